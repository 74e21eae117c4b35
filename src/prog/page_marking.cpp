#include "prog/page_marking.h"

namespace qvt {
namespace {

void Mark(std::vector<bool>& used, std::size_t page) {
    if (page < used.size())
        used[page] = true;
}

}  // namespace

void MarkRecordPages(std::vector<bool>& used, const MemoryGeometry& memory, std::uint16_t address,
                     std::uint8_t length) {
    const std::size_t first = address / memory.pageSize;
    Mark(used, first);
    if ((address % 16) + length > 15)
        Mark(used, first + 1);
    if (length == 0)
        return;
    const std::size_t last = (std::size_t{address} + length - 1) / memory.pageSize;
    for (std::size_t page = first + 1; page <= last; ++page) Mark(used, page);
}

}  // namespace qvt
