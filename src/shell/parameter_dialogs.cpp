#include "shell/parameter_dialogs.h"

#include <QApplication>
#include <ctime>

#include "core/device_label.h"
#include "core/dialog_values.h"
#include "dialogs/device_family_dialog.h"
#include "dialogs/device_serial_port_dialog.h"
#include "dialogs/display_dialog.h"
#include "dialogs/expansion_card_dialog.h"
#include "dialogs/measuring_range_dialog.h"
#include "dialogs/pt100_dialog.h"
#include "dialogs/real_time_clock_dialog.h"
#include "dialogs/special_functions_dialog.h"
#include "dialogs/switching_points_dialog.h"
#include "shell/dialog_set.h"

namespace qvt {
namespace {

std::tm LocalTimeOf(const QDateTime& now) {
    std::tm local{};
    local.tm_wday = now.date().dayOfWeek() % 7;  // Sunday 7 -> 0
    local.tm_mday = now.date().day();
    local.tm_mon = now.date().month() - 1;
    local.tm_year = now.date().year() - 1900;
    local.tm_min = now.time().minute();
    local.tm_hour = now.time().hour();
    return local;
}

// The values the dialog shows, and then the dialog.
template <class Dialog, class Values>
void ShowWith(Dialog* dialog, const Values& values) {
    dialog->ShowValues(values);
    dialog->ShowModeless();
}

}  // namespace

ParameterDialogs::ParameterDialogs(DialogSet& dialogs, AppContext& context)
    : dialogs_(dialogs), context_(context), clock_([] { return QDateTime::currentDateTime(); }) {
    ConnectCommits();
    connect(dialogs_.realTimeClockDialog, &dialogs::RealTimeClockDialog::Activated, this,
            &ParameterDialogs::TakePcTimeIfAutomatic);
}

void ParameterDialogs::ConnectCommits() {
    ParameterRecord& record = context_.record;
    const auto commit = [this, &record](auto* dialog) {
        connect(dialog, &dialogs::OkCancelDialog::Committed, this,
                [dialog, &record] { Commit(dialog->Values(), record); });
    };
    commit(dialogs_.displayDialog);
    commit(dialogs_.switchingPointsDialog);
    commit(dialogs_.deviceSerialPortDialog);
    commit(dialogs_.realTimeClockDialog);
    commit(dialogs_.expansionCardDialog);
    commit(dialogs_.specialFunctionsDialog);
    commit(dialogs_.measuringRangeDialog);
    commit(dialogs_.pt100Dialog);
    // Only the label and the type: the menu check marks follow when the
    // device type menu is next opened.
    connect(dialogs_.deviceFamilyDialog, &dialogs::OkCancelDialog::Committed, this,
            [this, &record] {
                const FamilyValues values = dialogs_.deviceFamilyDialog->Values();
                Commit(values, record);
                if (familyLabel_)
                    familyLabel_(QString::fromStdString(FamilyText(record.deviceType)));
            });
}

void ParameterDialogs::OpenDisplay() {
    dialogs_.displayDialog->Open(DisplayValuesOf(context_.record));
}

void ParameterDialogs::OpenSwitchingPoints() {
    ShowWith(dialogs_.switchingPointsDialog, SwitchingPointValuesOf(context_.record));
}

void ParameterDialogs::OpenDeviceSerial() {
    dialogs::DeviceSerialPortDialog* dialog = dialogs_.deviceSerialPortDialog;
    ShowWith(dialog, SioValuesOf(context_.record));
    context_.state.baudIndex = static_cast<std::uint8_t>(dialog->Values().baud);
}

void ParameterDialogs::OpenClock() {
    TakePcTimeIfAutomatic();
    ShowWith(dialogs_.realTimeClockDialog, ClockValuesOf(context_.record));
}

void ParameterDialogs::TakePcTimeIfAutomatic() {
    if (context_.record.rtcAuto == 0)
        return;
    TakePcTime(LocalTimeOf(clock_()), context_.record);
    dialogs_.realTimeClockDialog->ShowClockFields(ClockValuesOf(context_.record));
}

void ParameterDialogs::OpenCard() {
    ShowWith(dialogs_.expansionCardDialog, CardValuesOf(context_.record));
}

void ParameterDialogs::OpenMisc() {
    ShowWith(dialogs_.specialFunctionsDialog, MiscValuesOf(context_.record));
}

void ParameterDialogs::OpenFamily() {
    ShowWith(dialogs_.deviceFamilyDialog, FamilyValuesOf(context_.record));
}

void ParameterDialogs::FillRangeAndSensor() {
    dialogs_.measuringRangeDialog->ShowValues(RangeValuesOf(context_.record));
    dialogs_.pt100Dialog->ShowValues(SensorValuesOf(context_.record));
}

void ParameterDialogs::RefillOpen() {
    QWidget* active = QApplication::activeWindow();
    DialogSet& d = dialogs_;
    // The function selection's "OK" goes on to the range or the sensor dialog
    // as they were filled, so both follow the new set whether they, the
    // selection or nothing is open.
    FillRangeAndSensor();
    // Opening a shown dialog refills it, with the side effects opening has on
    // the record (the clock's PC time). The PC side is left alone: the device
    // serial dialog is refilled without copying its baud rate to the PC port.
    const auto reopen = [this](QWidget* dialog, void (ParameterDialogs::*open)()) {
        if (dialog->isVisible())
            (this->*open)();
    };
    reopen(d.displayDialog, &ParameterDialogs::OpenDisplay);
    reopen(d.switchingPointsDialog, &ParameterDialogs::OpenSwitchingPoints);
    if (d.deviceSerialPortDialog->isVisible())
        ShowWith(d.deviceSerialPortDialog, SioValuesOf(context_.record));
    reopen(d.realTimeClockDialog, &ParameterDialogs::OpenClock);
    reopen(d.expansionCardDialog, &ParameterDialogs::OpenCard);
    reopen(d.specialFunctionsDialog, &ParameterDialogs::OpenMisc);
    reopen(d.deviceFamilyDialog, &ParameterDialogs::OpenFamily);
    // The keyboard stays where the user had it.
    if (active)
        active->activateWindow();
}

}  // namespace qvt
