#include "dialogs/rtc_dlg.h"

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

namespace {

constexpr const char* kWeekdays[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                      "Donnerstag", "Freitag", "Samstag"};

}  // namespace

TRtcDlg::TRtcDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("RtcDlg");
    setWindowTitle("Echtzeituhr - RTC");
    AddHelpButton(35);

    RTCMinEd = qvt::MakeEdit(Bevel1, "RTCMinEd", 2);
    RTCStdEd = qvt::MakeEdit(Bevel1, "RTCStdEd", 2);
    RTCTagEd = qvt::MakeEdit(Bevel1, "RTCTagEd", 2);
    RTCMonEd = qvt::MakeEdit(Bevel1, "RTCMonEd", 2);
    RTCJarEd = qvt::MakeEdit(Bevel1, "RTCJarEd", 4);
    RTCCBox = qvt::MakeCheck(Bevel1, "RTCCBox", "Automatisch");

    // The weekday buttons share a parent of their own, which makes them one radio group.
    auto* weekdays = new QWidget(Bevel1);
    weekdays->setObjectName("RTCWeekdays");
    auto* dayLayout = new QVBoxLayout(weekdays);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 7; ++i) {
        const QByteArray name = QByteArray("RTCRBtn") + QByteArray::number(i + 1);
        RTCRBtn[i] = qvt::MakeRadio(weekdays, name.constData(), kWeekdays[i]);
        dayLayout->addWidget(RTCRBtn[i]);
    }

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const char* labelName, const char* caption, qvt::FieldEdit* edit) {
        grid->addWidget(qvt::MakeLabel(Bevel1, labelName, caption, edit), row, 0);
        grid->addWidget(edit, row++, 1);
    };
    addRow("Label1", "Minuten", RTCMinEd);
    addRow("Label2", "Stunden", RTCStdEd);
    addRow("Label3", "Tag", RTCTagEd);
    addRow("Label4", "Monat", RTCMonEd);
    addRow("Label5", "Jahr", RTCJarEd);
    grid->addWidget(RTCCBox, row, 0, 1, 2);

    auto* layout = new QHBoxLayout(Bevel1);
    layout->addLayout(grid);
    layout->addWidget(weekdays);
}

void TRtcDlg::ShowClockFields(const qvt::ClockValues& values) {
    RTCMinEd->SetField(values.minute);
    RTCStdEd->SetField(values.hour);
    RTCTagEd->SetField(values.day);
    RTCMonEd->SetField(values.month);
    RTCJarEd->SetField(values.year);
}

void TRtcDlg::ShowValues(const qvt::ClockValues& values) {
    RTCCBox->setChecked(values.automatic);
    qvt::CheckAt(
        {RTCRBtn[0], RTCRBtn[1], RTCRBtn[2], RTCRBtn[3], RTCRBtn[4], RTCRBtn[5], RTCRBtn[6]},
        values.weekday);
    ShowClockFields(values);
}

qvt::ClockValues TRtcDlg::Values() const {
    return {.minute = RTCMinEd->Field(),
            .hour = RTCStdEd->Field(),
            .day = RTCTagEd->Field(),
            .month = RTCMonEd->Field(),
            .year = RTCJarEd->Field(),
            .weekday = qvt::CheckedIndex({RTCRBtn[0], RTCRBtn[1], RTCRBtn[2], RTCRBtn[3],
                                          RTCRBtn[4], RTCRBtn[5], RTCRBtn[6]}),
            .automatic = RTCCBox->isChecked()};
}

void TRtcDlg::OKBtnClick() {
    const qvt::ClockValues v = Values();
    const std::vector<qvt::ClockFault> faults =
        qvt::CheckClockTexts({v.minute, v.hour, v.day, v.month, v.year});
    if (!faults.empty()) {
        qvt::FieldEdit* const edits[] = {RTCMinEd, RTCStdEd, RTCTagEd, RTCMonEd, RTCJarEd};
        std::vector<qvt::FieldFault> shown;
        for (const qvt::ClockFault& f : faults) shown.push_back(f.fault);
        qvt::RefuseFaults(this, shown, edits[static_cast<int>(faults.front().field)]);
        return;
    }
    TOKBottomDlg::OKBtnClick();
}

bool TRtcDlg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        emit Activated();
    return TOKBottomDlg::event(event);
}
