#pragma once

#include "core/application_state.h"
#include "core/parameter_record.h"

namespace qvt {

// What "Neu" does to the record and the PC-side state: every device field back
// to its new-file value. The device type, chip, network flag, print and log
// switches, telegram display and parallel base address are left alone; the
// port indices change in memory only (the open port is not touched).
void ResetParameters(ParameterRecord& record, ApplicationState& state);

}  // namespace qvt
