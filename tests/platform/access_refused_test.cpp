// The line on standard error when a port is refused for lack of permission.
#include "platform/access_refused.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

namespace {

std::string JoinLine(const std::string& device, const std::string& group) {
    return "qvt410: Kein Zugriff auf " + device + ": nur für Mitglieder der Gruppe " + group +
           " (sudo usermod -aG " + group + " \"$USER\", dann neu anmelden)";
}

std::string OwnerLine(const std::string& device, const std::string& owner, const std::string& group,
                      const std::string& mode) {
    return "qvt410: Kein Zugriff auf " + device + ": Besitzer " + owner + ", Gruppe " + group +
           ", Rechte " + mode +
           " (den Systemverwalter bitten, das Gerät der Gruppe dialout mit Lese- und "
           "Schreibrecht zu geben, z. B. per udev-Regel GROUP=\"dialout\", MODE=\"0660\")";
}

// Devices as ls -l shows them on real systems; joining a group is advised
// only where it opens the device, and never for root's group.
TEST(AccessRefused, AdvisesJoiningAGroupOnlyWhereThatGrantsAccess) {
    const std::string tty = "/dev/ttyUSB0";
    const struct {
        const char* name;
        qvt::DevicePermissions permissions;
        std::string line;
    } cases[] = {
        {"usual serial port",
         {"root", "dialout", S_IFCHR | 0660, false, false},
         JoinLine(tty, "dialout")},
        {"uucp on other systems",
         {"root", "uucp", S_IFCHR | 0660, false, false},
         JoinLine(tty, "uucp")},
        {"owner only",
         {"root", "dialout", S_IFCHR | 0600, false, false},
         OwnerLine(tty, "root", "dialout", "crw-------")},
        {"root's group",
         {"root", "root", S_IFCHR | 0660, true, false},
         OwnerLine(tty, "root", "root", "crw-rw----")},
        {"held by a login",
         {"anna", "tty", S_IFCHR | 0620, false, false},
         OwnerLine(tty, "anna", "tty", "crw--w----")},
        {"group may only read",
         {"root", "dialout", S_IFCHR | 0640, false, false},
         OwnerLine(tty, "root", "dialout", "crw-r-----")},
        {"already a member",
         {"root", "dialout", S_IFCHR | 0660, false, true},
         OwnerLine(tty, "root", "dialout", "crw-rw----")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qvt::AccessRefusedLine(tty, EACCES, "dialout", c.permissions), c.line) << c.name;
        EXPECT_EQ(qvt::AccessRefusedLine(tty, EPERM, "dialout", c.permissions), c.line) << c.name;
        EXPECT_EQ(qvt::AccessRefusedLine(tty, EBUSY, "dialout", c.permissions), "") << c.name;
        EXPECT_EQ(qvt::AccessRefusedLine(tty, 0, "dialout", c.permissions), "") << c.name;
    }
    // A device that cannot be asked: the usual group.
    EXPECT_EQ(qvt::AccessRefusedLine("/dev/qvt-missing-port", EACCES, "dialout"),
              JoinLine("/dev/qvt-missing-port", "dialout"));
}

// The same read from a real file: owner, group and mode as stat gives them.
TEST(AccessRefused, ReadsOwnerGroupAndModeFromTheFileSystem) {
    char path[] = "/tmp/qvt-device-XXXXXX";
    const int fd = mkstemp(path);  // mode 0600, ours
    ASSERT_GE(fd, 0);
    close(fd);
    const passwd* user = getpwuid(geteuid());
    const group* own = getgrgid(getegid());
    ASSERT_NE(user, nullptr);
    ASSERT_NE(own, nullptr);
    const std::string device = path;
    EXPECT_EQ(qvt::AccessRefusedLine(device, EACCES, "dialout"),
              OwnerLine(device, user->pw_name, own->gr_name, "-rw-------"));

    // A group this process is not in, that may read and write: join it.
    // Only root may give a file away to such a group.
    const group* other = getgrnam("dialout");
    if (other && geteuid() == 0 && getegid() != other->gr_gid &&
        chown(path, 0, other->gr_gid) == 0 && chmod(path, 0660) == 0) {
        EXPECT_EQ(qvt::AccessRefusedLine(device, EACCES, "dialout"), JoinLine(device, "dialout"));
    }
    std::remove(path);
}

}  // namespace
