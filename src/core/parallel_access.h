#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qvt {

// How the parallel port is reached for chip programming: as chosen in
// QVT410.INI ([parallel] access) and as found at start. Auto is a choice
// only; the access in use is one of the others. The first three keep the
// numbers of the original port access modes: 0 none, 1 direct port I/O,
// 2 through the system's driver (on Linux ppdev).
enum class ParallelAccess : std::uint8_t {
    kNone = 0,
    kDirect = 1,
    kPpdev = 2,
    kEmulated = 3,
    kAuto = 4,
};

// The access named by its settings word: "auto", "ppdev", "direct",
// "emulated" or "none", exactly so; nothing for anything else.
constexpr std::optional<ParallelAccess> ParseParallelAccess(std::string_view word) {
    if (word == "auto")
        return ParallelAccess::kAuto;
    if (word == "ppdev")
        return ParallelAccess::kPpdev;
    if (word == "direct")
        return ParallelAccess::kDirect;
    if (word == "emulated")
        return ParallelAccess::kEmulated;
    if (word == "none")
        return ParallelAccess::kNone;
    return std::nullopt;
}

}  // namespace qvt
