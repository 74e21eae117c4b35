#pragma once

#include <cstdint>
#include <vector>

#include "prog/memory_geometry.h"

namespace qvt {

// Marks the pages a HEX record of the page-mode programming needs written.
// The record's first page is marked, and the following page as well whenever
// the record reaches beyond its 16-byte line ((address mod 16) + length > 15),
// as the firmware tools lay out their records. Every further page the record's
// bytes reach is marked too, so no byte of a long record is left out. Marks
// beyond the last page have no effect.
void MarkRecordPages(std::vector<bool>& used, const MemoryGeometry& memory, std::uint16_t address,
                     std::uint8_t length);

}  // namespace qvt
