#include "platform/error_reason.h"

#include <cerrno>

namespace qvt {

std::string ErrorReason(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "nicht vorhanden";
        case EACCES:
        case EPERM:
            return "Zugriff verweigert";
        case EBUSY:
            return "von einem anderen Programm belegt";
        case EISDIR:
            return "ist ein Ordner";
        case ENXIO:
        case ENODEV:
            return "kein Gerät angeschlossen";
        case EIO:
            return "Ein-/Ausgabefehler";
        case ENOTTY:
        case EINVAL:
            return "keine serielle Schnittstelle";
        case ENOSPC:
        case EDQUOT:
            return "Datenträger voll";
        case EROFS:
            return "Datenträger schreibgeschützt";
        case EFBIG:
            return "Datei zu groß";
        default:
            return "Systemfehler " + std::to_string(error);
    }
}

}  // namespace qvt
