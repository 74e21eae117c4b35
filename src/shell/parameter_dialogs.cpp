#include "shell/parameter_dialogs.h"

#include <QApplication>
#include <ctime>

#include "core/device_label.h"
#include "core/dialog_values.h"
#include "dialogs/az_dlg.h"
#include "dialogs/da_dlg.h"
#include "dialogs/gw_dlg.h"
#include "dialogs/mb_dlg.h"
#include "dialogs/pt_dlg.h"
#include "dialogs/rtc_dlg.h"
#include "dialogs/sio_dlg.h"
#include "dialogs/so_dlg.h"
#include "dialogs/spkt_dlg.h"
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
    connect(dialogs_.RtcDlg, &TRtcDlg::Activated, this, &ParameterDialogs::TakePcTimeIfAutomatic);
}

void ParameterDialogs::ConnectCommits() {
    ParameterRecord& record = context_.record;
    const auto commit = [this, &record](auto* dialog) {
        connect(dialog, &TOKBottomDlg::Committed, this,
                [dialog, &record] { Commit(dialog->Values(), record); });
    };
    commit(dialogs_.AzDlg);
    commit(dialogs_.SPktDlg);
    commit(dialogs_.SioDlg);
    commit(dialogs_.RtcDlg);
    commit(dialogs_.DaDlg);
    commit(dialogs_.SoDlg);
    commit(dialogs_.MbDlg);
    commit(dialogs_.PtDlg);
    // Only the label and the type: the menu check marks follow when the
    // device type menu is next opened.
    connect(dialogs_.GwDlg, &TOKBottomDlg::Committed, this, [this, &record] {
        const FamilyValues values = dialogs_.GwDlg->Values();
        Commit(values, record);
        if (familyLabel_)
            familyLabel_(QString::fromStdString(FamilyText(record.deviceType)));
    });
}

void ParameterDialogs::OpenDisplay() {
    dialogs_.AzDlg->Open(DisplayValuesOf(context_.record));
}

void ParameterDialogs::OpenSwitchingPoints() {
    ShowWith(dialogs_.SPktDlg, SwitchingPointValuesOf(context_.record));
}

void ParameterDialogs::OpenDeviceSerial() {
    TSioDlg* dialog = dialogs_.SioDlg;
    ShowWith(dialog, SioValuesOf(context_.record));
    context_.state.BaudIndex = static_cast<std::uint8_t>(dialog->Values().baud);
}

void ParameterDialogs::OpenClock() {
    TakePcTimeIfAutomatic();
    ShowWith(dialogs_.RtcDlg, ClockValuesOf(context_.record));
}

void ParameterDialogs::TakePcTimeIfAutomatic() {
    if (context_.record.rtcAuto == 0)
        return;
    TakePcTime(LocalTimeOf(clock_()), context_.record);
    dialogs_.RtcDlg->ShowClockFields(ClockValuesOf(context_.record));
}

void ParameterDialogs::OpenCard() {
    ShowWith(dialogs_.DaDlg, CardValuesOf(context_.record));
}

void ParameterDialogs::OpenMisc() {
    ShowWith(dialogs_.SoDlg, MiscValuesOf(context_.record));
}

void ParameterDialogs::OpenFamily() {
    ShowWith(dialogs_.GwDlg, FamilyValuesOf(context_.record));
}

void ParameterDialogs::FillRangeAndSensor() {
    dialogs_.MbDlg->ShowValues(RangeValuesOf(context_.record));
    dialogs_.PtDlg->ShowValues(SensorValuesOf(context_.record));
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
    reopen(d.AzDlg, &ParameterDialogs::OpenDisplay);
    reopen(d.SPktDlg, &ParameterDialogs::OpenSwitchingPoints);
    if (d.SioDlg->isVisible())
        ShowWith(d.SioDlg, SioValuesOf(context_.record));
    reopen(d.RtcDlg, &ParameterDialogs::OpenClock);
    reopen(d.DaDlg, &ParameterDialogs::OpenCard);
    reopen(d.SoDlg, &ParameterDialogs::OpenMisc);
    reopen(d.GwDlg, &ParameterDialogs::OpenFamily);
    // The keyboard stays where the user had it.
    if (active)
        active->activateWindow();
}

}  // namespace qvt
