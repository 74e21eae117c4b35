#pragma once

#include <QWidget>

#include "shell/app_context.h"

namespace qvt::dialogs {
class DeviceFamilyDialog;
class DeviceSerialPortDialog;
class DisplayDialog;
class ExpansionCardDialog;
class FunctionChoiceDialog;
class MeasuringRangeDialog;
class PcSerialPortDialog;
class ProgrammingPortDialog;
class Pt100Dialog;
class RealTimeClockDialog;
class SpecialFunctionsDialog;
class SwitchingPointsDialog;
}  // namespace qvt::dialogs

namespace qvt {

class InfoBox;

// Every dialog of the program, created once after the main window, in a fixed
// order, and hidden until opened. Children of the main window, so they live
// exactly as long as it does.
struct DialogSet {
    DialogSet(AppContext& context, QWidget* mainWindow);

    InfoBox* infoBox = nullptr;
    dialogs::SwitchingPointsDialog* switchingPointsDialog = nullptr;
    dialogs::DeviceSerialPortDialog* deviceSerialPortDialog = nullptr;
    dialogs::RealTimeClockDialog* realTimeClockDialog = nullptr;
    dialogs::PcSerialPortDialog* pcSerialPortDialog = nullptr;
    dialogs::ProgrammingPortDialog* programmingPortDialog = nullptr;
    dialogs::MeasuringRangeDialog* measuringRangeDialog = nullptr;
    dialogs::Pt100Dialog* pt100Dialog = nullptr;
    dialogs::ExpansionCardDialog* expansionCardDialog = nullptr;
    dialogs::FunctionChoiceDialog* functionChoiceDialog = nullptr;
    dialogs::SpecialFunctionsDialog* specialFunctionsDialog = nullptr;
    dialogs::DeviceFamilyDialog* deviceFamilyDialog = nullptr;
    dialogs::DisplayDialog* displayDialog = nullptr;
};

}  // namespace qvt
