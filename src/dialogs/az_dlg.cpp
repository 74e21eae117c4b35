#include "dialogs/az_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/application_state.h"
#include "core/device_family.h"
#include "core/parameter_record.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/field_guard.h"
#include "dialogs/message_box.h"

namespace {

constexpr std::uint8_t kPointMask = 0x03;
constexpr std::uint8_t kDisplayReception = 0x04;
constexpr int kTestValuePositions = 4;
constexpr char kMaskBlank = ' ';
// The device's answer to a telegram it took.
constexpr std::uint8_t kAccepted = 0x06;

// The counter family numbers the points "X . XXX" and "XXX . X" the other way round.
int ExchangeForCounterFamily(int code, std::uint8_t deviceType) {
    if (!qvt::IsCounterFamily(deviceType))
        return code;
    if (code == 1)
        return 3;
    if (code == 3)
        return 1;
    return code;
}

}  // namespace

TAzDlg::TAzDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("AzDlg");
    setWindowTitle("Anzeige");
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    AddHelpButton(32);

    using qvt::MakeRadio;
    GroupBox1 = qvt::MakeGroup(Bevel1, "GroupBox1", "Dezimalpunkt");
    DzRBtn1 = MakeRadio(GroupBox1, "DzRBtn1", "Kein Punkt");
    DzRBtn2 = MakeRadio(GroupBox1, "DzRBtn2", "X . XXX");
    DzRBtn3 = MakeRadio(GroupBox1, "DzRBtn3", "XX . XX");
    DzRBtn4 = MakeRadio(GroupBox1, "DzRBtn4", "XXX . X");
    DzRBtn1->setChecked(true);
    auto* pointLayout = new QVBoxLayout(GroupBox1);
    for (QRadioButton* b : {DzRBtn1, DzRBtn2, DzRBtn3, DzRBtn4}) pointLayout->addWidget(b);

    GroupBox2 = qvt::MakeGroup(Bevel1, "GroupBox2", "Letzte Stelle Runden");
    RuRBtn1 = MakeRadio(GroupBox2, "RuRBtn1", "Immer 0");
    RuRBtn2 = MakeRadio(GroupBox2, "RuRBtn2", "Normal 0/1/2/3/4/5/6/7/8/9/0");
    RuRBtn3 = MakeRadio(GroupBox2, "RuRBtn3", "Nur Gerade 0/2/4/6/8/0");
    RuRBtn4 = MakeRadio(GroupBox2, "RuRBtn4", QString::fromUtf8("Fünfer 0/5/0"));
    RuRBtn2->setChecked(true);
    auto* roundLayout = new QVBoxLayout(GroupBox2);
    for (QRadioButton* b : {RuRBtn1, RuRBtn2, RuRBtn3, RuRBtn4}) roundLayout->addWidget(b);

    AzEdit1 = qvt::MakeEdit(Bevel1, "AzEdit1", 4, "000");
    AzEdit2 = qvt::MakeEdit(Bevel1, "AzEdit2", 3);
    AzCBox = qvt::MakeCheck(Bevel1, "AzCBox", "Teiler durch 10");
    AzDBox = qvt::MakeCheck(Bevel1, "AzDBox", "Display-Empfang");
    AzDBox->setLayoutDirection(Qt::RightToLeft);  // text left of the box

    AzDEdit1 = new QLineEdit(Bevel1);
    AzDEdit1->setObjectName("AzDEdit1");
    // Four optional digit positions; an empty position shows as a blank.
    AzDEdit1->setInputMask(QStringLiteral("0000;") + QChar(kMaskBlank));
    AzDEdit1->setMaximumWidth(
        AzDEdit1->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    Button1 = new QPushButton("TEST", Bevel1);
    Button1->setObjectName("Button1");

    auto* grid = new QGridLayout(Bevel1);
    grid->addWidget(GroupBox1, 0, 0, 4, 1);
    grid->addWidget(GroupBox2, 0, 1, 4, 1);
    grid->addWidget(
        qvt::MakeLabel(Bevel1, "Label1", QString::fromUtf8("Messungen für Durchschnittsbildung"),
                       AzEdit1),
        4, 0);
    grid->addWidget(AzEdit1, 4, 1);
    grid->addWidget(qvt::MakeLabel(Bevel1, "Label2", "Dimension und Benennung", AzEdit2), 5, 0);
    grid->addWidget(AzEdit2, 5, 1);
    grid->addWidget(AzCBox, 6, 0);
    grid->addWidget(AzDBox, 6, 1);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(qvt::MakeLabel(Bevel1, "Label3", "Testwert", AzDEdit1));
    testRow->addWidget(AzDEdit1);
    testRow->addWidget(Button1);
    grid->addLayout(testRow, 7, 0, 1, 2);

    connect(Button1, &QPushButton::clicked, this, &TAzDlg::Button1Click);
}

void TAzDlg::Open() {
    const int point =
        ExchangeForCounterFamily(record_.azDecimalPoint & kPointMask, record_.deviceType);
    QRadioButton* const pointButtons[] = {DzRBtn1, DzRBtn2, DzRBtn3, DzRBtn4};
    qvt::ClearChecks({DzRBtn1, DzRBtn2, DzRBtn3, DzRBtn4});
    pointButtons[point]->setChecked(true);

    qvt::ClearChecks({RuRBtn1, RuRBtn2, RuRBtn3, RuRBtn4});
    QRadioButton* const roundButtons[] = {RuRBtn1, RuRBtn2, RuRBtn3, RuRBtn4};
    roundButtons[record_.azRounding > 2 ? 3 : record_.azRounding]->setChecked(true);

    AzCBox->setChecked(record_.azDivideBy10 == 1);
    AzDBox->setChecked(record_.azDecimalPoint > 3);

    AzEdit1->SetField(record_.azAverageCount.view());
    AzEdit2->SetField(record_.azUnitText.view());
    AzDEdit1->setText("0");
    ShowModeless();
}

void TAzDlg::OKBtnClick() {
    if (!qvt::EditsFitTheirFields(this, record_.deviceType,
                                  {{qvt::NumericField::kAzAverageCount, AzEdit1}}))
        return;
    record_.azDivideBy10 = AzCBox->isChecked() ? 1 : 0;

    const int point = std::max(0, qvt::CheckedIndex({DzRBtn1, DzRBtn2, DzRBtn3, DzRBtn4}));
    auto code = static_cast<std::uint8_t>(ExchangeForCounterFamily(point, record_.deviceType));

    const int rounding = qvt::CheckedIndex({RuRBtn1, RuRBtn2, RuRBtn3, RuRBtn4});
    if (rounding == 3) {
        // "Fünfer": the counter family (and any unknown type) codes it as 3.
        const bool mainFamily =
            record_.deviceType == qvt::kDeviceQvt410 || record_.deviceType == qvt::kDeviceQvt055;
        record_.azRounding = mainFamily ? 5 : 3;
    } else if (rounding >= 0) {
        record_.azRounding = static_cast<std::uint8_t>(rounding);
    }

    if (AzDBox->isChecked())
        code |= kDisplayReception;
    record_.azDecimalPoint = code;

    record_.azAverageCount = AzEdit1->Field();
    record_.azUnitText = AzEdit2->Field();
    TOKBottomDlg::OKBtnClick();
}

std::string TAzDlg::TestValuePositions() const {
    std::string positions = AzDEdit1->displayText().toLatin1().toStdString();
    positions.resize(kTestValuePositions, kMaskBlank);
    return positions;
}

int TAzDlg::ChosenPointPosition() const {
    return std::max(0, qvt::CheckedIndex({DzRBtn1, DzRBtn2, DzRBtn3, DzRBtn4}));
}

void TAzDlg::Button1Click() {
    // A value the display cannot show is refused, not sent as another one.
    const std::string positions = TestValuePositions();
    if (const std::optional<qvt::FieldFault> fault = qvt::CheckTestValue(positions)) {
        qvt::ShowFieldFaults(this, {*fault});
        return;
    }
    const std::optional<std::uint8_t> reply =
        testValueSender_ ? testValueSender_(positions, ChosenPointPosition()) : std::nullopt;
    if (reply == kAccepted) {
        qvt::ShowMessage(this, QString::fromUtf8("Wert fehlerfrei übertragen"),
                         qvt::Severity::Info);
    } else {
        qvt::ShowMessage(this, QString::fromUtf8("Fehler bei der Übertragung"),
                         qvt::Severity::Error);
    }
}
