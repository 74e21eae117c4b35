#include "core/parameter_reset.h"

namespace qvt {

void ResetParameters(ParameterRecord& r, ApplicationState& s) {
    r.mbMeasStart = "0000";
    r.mbDisplayStart = "0000";
    r.mbMeasEnd = "0000";
    r.mbDisplayEnd = "0000";

    r.funcCode = 0;
    r.azDecimalPoint = 0;
    r.azRounding = 1;
    r.azDivideBy10 = 0;
    r.azAverageCount.clear();
    r.azUnitText.clear();

    r.sp1RelayNC = 0;
    r.sp1Active = 0;
    r.sp2RelayNC = 0;
    r.sp2Active = 0;
    r.sp1Setpoint = "0000";
    r.sp1Hysteresis = "0000";
    r.sp2Setpoint = "0000";
    r.sp2Hysteresis = "0000";
    r.sp1Delay = "0000";
    r.sp2Delay = "0000";

    r.sioBaudIndex = 5;
    r.sioMode = 0;
    r.sioSendCycle = "0000";

    r.rtcWeekday = 1;
    r.rtcAuto = 1;
    r.rtcMinute = "00";
    r.rtcHour = "00";
    r.rtcDay = "01";
    r.rtcMonth = "01";
    r.rtcYear = "2001";

    s.baudIndex = 5;
    s.portIndex = 1;
    s.lptIndex = 1;
    r.daCardType = 2;

    r.soEncoderPulses = "0100";
    r.soDisplayMode = 0;
    r.soCountDirection = 0;

    s.printPageNumber = 1;
    s.printLineCount = 0;
}

}  // namespace qvt
