#include "prog/firmware_file.h"

#include <cerrno>

#include "platform/any_case_file.h"
#include "platform/error_reason.h"
#include "platform/files/atomic_file.h"

namespace qvt {

FirmwareFile OpenFirmwareFile(const std::string& name) {
    int error = 0;
    FirmwareFile opened{OpenRegularFile(FindFileAnyCase(name), FileAccess::kRead, error), {}};
    if (opened.file)
        return opened;
    if (error == ENOENT || error == ENOTDIR)
        opened.problem = "nicht gefunden";
    else if (error == kNotAPlainFile)
        opened.problem = "kann nicht gelesen werden: keine gewöhnliche Datei";
    else
        opened.problem = "kann nicht gelesen werden: " + ErrorReason(error);
    return opened;
}

}  // namespace qvt
