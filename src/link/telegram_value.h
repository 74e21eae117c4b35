#pragma once

#include "core/measured_value.h"
#include "link/telegram_assembler.h"

namespace qvt {

// The measured value of a telegram the monitor assembled, with the unit of
// the 26-character form.
MeasuredValue ReadMeasuredValue(const ReceivedTelegram& telegram);

}  // namespace qvt
