#include "compose/chip_access.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace qvt {

ChipAccess::ChipAccess(const PlatformSettings& settings, std::string programName,
                       const ParallelPortOpeners& openers, const CableOpeners& cableOpeners)
    : settings_(settings),
      programName_(std::move(programName)),
      openers_(openers),
      cableOpeners_(cableOpeners) {
    const std::string& trace = settings.portTraceFile;
    if (!trace.empty()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(trace, error);
        io_.OpenTrace(error ? trace : absolute.string());
    }
}

ChipAccess::~ChipAccess() {
    io_.FlushTrace();
    io_.SetPort(nullptr);
}

bool ChipAccess::Open(std::uint16_t lptBase) {
    if (!openPending_)
        return false;
    openPending_ = false;
    if (settings_.cable.type != CableType::kParallel) {
        usb_ = OpenUsbCableBackend(settings_, io_.trace(), counter_, lptBase, cableOpeners_);
        std::fprintf(stderr, "%s: Programmierkabel: %s\n", programName_.c_str(),
                     usb_->description().c_str());
        return true;
    }
    backend_ = OpenParallelBackend(settings_, lptBase, counter_, openers_);
    io_.SetPort(backend_.port.get());
    std::fprintf(stderr, "%s: Parallelport: %s\n", programName_.c_str(),
                 backend_.description.c_str());
    return true;
}

void ChipAccess::Close() {
    usb_.reset();
    io_.SetPort(nullptr);
    backend_ = {};
    openPending_ = false;
    io_.FlushTrace();
}

IspLink ChipAccess::LinkAt(std::uint16_t lptBase) {
    if (usb_)
        return IspLink(usb_->cable());
    if (!cable_ || cableBase_ != lptBase) {
        cable_ = std::make_unique<ParallelCable>(io_, counter_, lptBase);
        cableBase_ = lptBase;
    }
    return IspLink(*cable_);
}

void ChipAccess::WriteIdlePattern(std::uint16_t lptBase) {
    if (usb_) {
        usb_->cable().SetLines(kIspIdlePattern);
        usb_->cable().Flush();
    } else {
        io_.PortWrite(lptBase, kIspIdlePattern);
    }
    io_.FlushTrace();
}

}  // namespace qvt
