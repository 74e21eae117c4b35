#include "prog/port_trace.h"

namespace qvt {

PortTrace::~PortTrace() {
    if (file_)
        std::fclose(file_);
}

bool PortTrace::Open(const std::string& path) {
    if (file_)
        std::fclose(file_);
    file_ = std::fopen(path.c_str(), "a");
    return file_ != nullptr;
}

void PortTrace::Flush() {
    if (file_)
        std::fflush(file_);
}

void PortTrace::Written(std::uint16_t address, std::uint8_t value) {
    if (file_)
        std::fprintf(file_, "W %04X %02X\n", address, value);
}

void PortTrace::Read(std::uint16_t address, std::uint8_t value) {
    if (file_)
        std::fprintf(file_, "R %04X %02X\n", address, value);
}

void PortTrace::Waited(long long units) {
    if (file_)
        std::fprintf(file_, "D %lld\n", units);
}

}  // namespace qvt
