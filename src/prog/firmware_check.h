#pragma once

#include <cstddef>
#include <cstdio>

#include "prog/prog_status.h"

namespace qvt {

// Reads a firmware file from its start through the HEX reader to its end
// record, so that a broken file is found before the chip is erased or
// written. A non-zero imageSize also requires every data byte to lie below
// it (the page mode keeps an image of that size; the byte mode folds higher
// addresses onto its memory and passes 0). Returns Ok, FormatError
// or ChecksumError, and leaves the file at its start again.
ProgStatus CheckHexFile(std::FILE* file, std::size_t imageSize);

}  // namespace qvt
