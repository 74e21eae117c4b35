#pragma once

#include <memory>

#include "platform/printer.h"

namespace qvt {

// The system's default printer, used without a dialog; coordinates are
// scaled from 600 dpi to the printer's own resolution.
std::unique_ptr<Printer> MakeDefaultPrinter();

}  // namespace qvt
