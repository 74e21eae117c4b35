#include "dialogs/real_time_clock_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/field_check.h"
#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {
namespace {

constexpr const char* kWeekdays[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                      "Donnerstag", "Freitag", "Samstag"};

}  // namespace

RealTimeClockDialog::RealTimeClockDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("RtcDlg");
    setWindowTitle("Echtzeituhr - RTC");
    AddHelpButton(help::topic::kRealTimeClock);
    QFrame* area = ControlArea();

    minuteEdit_ = MakeEdit(area, "RTCMinEd", 2);
    hourEdit_ = MakeEdit(area, "RTCStdEd", 2);
    dayEdit_ = MakeEdit(area, "RTCTagEd", 2);
    monthEdit_ = MakeEdit(area, "RTCMonEd", 2);
    yearEdit_ = MakeEdit(area, "RTCJarEd", 4);
    automaticBox_ = MakeCheck(area, "RTCCBox", "Automatisch");

    // The weekday buttons share a parent of their own, which makes them one radio group.
    auto* weekdays = new QWidget(area);
    weekdays->setObjectName("RTCWeekdays");
    auto* dayLayout = new QVBoxLayout(weekdays);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 7; ++i) {
        const QByteArray name = QByteArray("RTCRBtn") + QByteArray::number(i + 1);
        weekdayButtons_[i] = MakeRadio(weekdays, name.constData(), kWeekdays[i]);
        dayLayout->addWidget(weekdayButtons_[i]);
    }

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const char* labelName, const char* caption, FieldEdit* edit) {
        grid->addWidget(MakeLabel(area, labelName, caption, edit), row, 0);
        grid->addWidget(edit, row++, 1);
    };
    addRow("Label1", "Minuten", minuteEdit_);
    addRow("Label2", "Stunden", hourEdit_);
    addRow("Label3", "Tag", dayEdit_);
    addRow("Label4", "Monat", monthEdit_);
    addRow("Label5", "Jahr", yearEdit_);
    grid->addWidget(automaticBox_, row, 0, 1, 2);

    auto* layout = new QHBoxLayout(area);
    layout->addLayout(grid);
    layout->addWidget(weekdays);
}

void RealTimeClockDialog::ShowClockFields(const ClockValues& values) {
    minuteEdit_->SetField(values.minute);
    hourEdit_->SetField(values.hour);
    dayEdit_->SetField(values.day);
    monthEdit_->SetField(values.month);
    yearEdit_->SetField(values.year);
}

void RealTimeClockDialog::ShowValues(const ClockValues& values) {
    automaticBox_->setChecked(values.automatic);
    CheckAt(weekdayButtons_, values.weekday);
    ShowClockFields(values);
}

ClockValues RealTimeClockDialog::Values() const {
    return {.minute = minuteEdit_->Field(),
            .hour = hourEdit_->Field(),
            .day = dayEdit_->Field(),
            .month = monthEdit_->Field(),
            .year = yearEdit_->Field(),
            .weekday = CheckedIndex(weekdayButtons_),
            .automatic = automaticBox_->isChecked()};
}

void RealTimeClockDialog::CheckAndCommit() {
    const ClockValues v = Values();
    const std::vector<ClockFault> faults =
        CheckClockTexts({v.minute, v.hour, v.day, v.month, v.year});
    if (!faults.empty()) {
        FieldEdit* const edits[] = {minuteEdit_, hourEdit_, dayEdit_, monthEdit_, yearEdit_};
        std::vector<FieldFault> shown;
        for (const ClockFault& f : faults) shown.push_back(f.fault);
        RefuseFaults(this, shown, edits[static_cast<int>(faults.front().field)]);
        return;
    }
    OkCancelDialog::CheckAndCommit();
}

bool RealTimeClockDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        emit Activated();
    return OkCancelDialog::event(event);
}

}  // namespace qvt::dialogs
