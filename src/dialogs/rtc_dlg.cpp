#include "dialogs/rtc_dlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/application_state.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"

namespace {

constexpr const char* kWeekdays[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                      "Donnerstag", "Freitag", "Samstag"};
constexpr int kMonday = 1;

// Decimal text with a leading '0' when it is one character long (7 -> "07").
std::string TwoPlaces(int value) {
    std::string text = std::to_string(value);
    if (text.size() == 1)
        text.insert(text.begin(), '0');
    return text;
}

}  // namespace

TRtcDlg::TRtcDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent),
      record_(record),
      state_(state),
      clock_([] { return QDateTime::currentDateTime(); }) {
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

void TRtcDlg::Open() {
    RTCCBox->setChecked(false);
    if (record_.rtcAuto == 1) {
        RTCCBox->setChecked(true);
        GetPCZeit();
    }
    RTCRBtn[record_.rtcWeekday <= 6 ? record_.rtcWeekday : kMonday]->setChecked(true);
    ShowClockFields();
    ShowModeless();  // becoming active takes the PC time once more
}

void TRtcDlg::GetPCZeit() {
    if (record_.rtcAuto == 0)
        return;
    const QDateTime now = clock_();
    const QDate date = now.date();
    const QTime time = now.time();
    record_.rtcWeekday = static_cast<std::uint8_t>(date.dayOfWeek() % 7);  // Sunday 7 -> 0
    record_.rtcDay = TwoPlaces(date.day());
    record_.rtcMonth = TwoPlaces(date.month());
    record_.rtcYear = TwoPlaces(date.year());
    record_.rtcMinute = TwoPlaces(time.minute());
    record_.rtcHour = TwoPlaces(time.hour());
    ShowClockFields();
}

void TRtcDlg::ShowClockFields() {
    RTCMinEd->SetField(record_.rtcMinute.view());
    RTCStdEd->SetField(record_.rtcHour.view());
    RTCTagEd->SetField(record_.rtcDay.view());
    RTCMonEd->SetField(record_.rtcMonth.view());
    RTCJarEd->SetField(record_.rtcYear.view());
}

void TRtcDlg::OKBtnClick() {
    const int weekday = qvt::CheckedIndex(
        {RTCRBtn[0], RTCRBtn[1], RTCRBtn[2], RTCRBtn[3], RTCRBtn[4], RTCRBtn[5], RTCRBtn[6]});
    if (weekday >= 0)
        record_.rtcWeekday = static_cast<std::uint8_t>(weekday);
    record_.rtcMinute = RTCMinEd->Field();
    record_.rtcHour = RTCStdEd->Field();
    record_.rtcDay = RTCTagEd->Field();
    record_.rtcMonth = RTCMonEd->Field();
    record_.rtcYear = RTCJarEd->Field();
    record_.rtcAuto = RTCCBox->isChecked() ? 1 : 0;
    TOKBottomDlg::OKBtnClick();
}

bool TRtcDlg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        GetPCZeit();
    return TOKBottomDlg::event(event);
}
