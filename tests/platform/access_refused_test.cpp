// The line on standard error when a port is refused for lack of permission.
#include "platform/access_refused.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

namespace {

TEST(AccessRefused, NamesTheDeviceAndTheGroupThatGrantsAccess) {
    char path[] = "/tmp/qvt-device-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    struct stat info = {};
    ASSERT_EQ(stat(path, &info), 0);
    const group* owner = getgrgid(info.st_gid);
    ASSERT_NE(owner, nullptr);
    const std::string device = path;
    const std::string ownGroup = owner->gr_name;
    const struct {
        std::string device;
        int error;
        std::string group;  // empty: no line
    } cases[] = {
        {device, EACCES, ownGroup},  // the file system's word, not the usual group
        {device, EPERM, ownGroup},
        {"/dev/qvt-missing-port", EACCES, "dialout"},
        {device, ENOENT, ""},
        {device, EBUSY, ""},
        {device, 0, ""},
    };
    for (const auto& c : cases) {
        const std::string line = qvt::AccessRefusedLine(c.device, c.error, "dialout");
        if (c.group.empty()) {
            EXPECT_EQ(line, "") << c.error;
            continue;
        }
        EXPECT_EQ(line, "qvt410: Kein Zugriff auf " + c.device +
                            ": nur für Mitglieder der Gruppe " + c.group + " (sudo usermod -aG " +
                            c.group + " \"$USER\", dann neu anmelden)");
    }
    std::remove(path);
}

}  // namespace
