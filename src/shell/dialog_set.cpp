#include "shell/dialog_set.h"

#include "dialogs/device_family_dialog.h"
#include "dialogs/device_serial_port_dialog.h"
#include "dialogs/display_dialog.h"
#include "dialogs/expansion_card_dialog.h"
#include "dialogs/function_choice_dialog.h"
#include "dialogs/measuring_range_dialog.h"
#include "dialogs/pc_serial_port_dialog.h"
#include "dialogs/programming_port_dialog.h"
#include "dialogs/pt100_dialog.h"
#include "dialogs/real_time_clock_dialog.h"
#include "dialogs/special_functions_dialog.h"
#include "dialogs/switching_points_dialog.h"
#include "shell/info_box.h"

namespace qvt {

DialogSet::DialogSet(AppContext& c, QWidget* w) {
    using namespace dialogs;
    infoBox = new InfoBox(w);
    switchingPointsDialog = new SwitchingPointsDialog(w);
    deviceSerialPortDialog = new DeviceSerialPortDialog(w);
    realTimeClockDialog = new RealTimeClockDialog(w);
    pcSerialPortDialog = new PcSerialPortDialog(w);
    programmingPortDialog = new ProgrammingPortDialog(w);
    measuringRangeDialog = new MeasuringRangeDialog(w);
    // The range dialog starts the function code defined, before anything reads it.
    c.record.funcCode = 0;
    pt100Dialog = new Pt100Dialog(w);
    expansionCardDialog = new ExpansionCardDialog(w);
    functionChoiceDialog = new FunctionChoiceDialog(w);
    specialFunctionsDialog = new SpecialFunctionsDialog(w);
    deviceFamilyDialog = new DeviceFamilyDialog(w);
    displayDialog = new DisplayDialog(w);
    // "OK" checks the texts for the device type of that moment.
    for (OkCancelDialog* dialog : std::initializer_list<OkCancelDialog*>{
             switchingPointsDialog, deviceSerialPortDialog, measuringRangeDialog,
             specialFunctionsDialog, displayDialog})
        dialog->SetDeviceTypeSource([&c] { return c.record.deviceType; });
    // "OK" of the function selection goes on to the range or the sensor dialog.
    functionChoiceDialog->SetTargets(measuringRangeDialog, pt100Dialog);
}

}  // namespace qvt
