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

#include "dialogs/field_guard.h"
#include "dialogs/message_box.h"
#include "dialogs/widgets.h"

namespace {

constexpr int kTestValuePositions = 4;
constexpr char kMaskBlank = ' ';
// The device's answer to a telegram it took.
constexpr std::uint8_t kAccepted = 0x06;

}  // namespace

TAzDlg::TAzDlg(QWidget* parent) : TOKBottomDlg(parent) {
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

void TAzDlg::Open(const qvt::DisplayValues& values) {
    ShowValues(values);
    AzDEdit1->setText("0");
    ShowModeless();
}

void TAzDlg::ShowValues(const qvt::DisplayValues& values) {
    shownRounding_ = values.rounding;
    qvt::ClearChecks({DzRBtn1, DzRBtn2, DzRBtn3, DzRBtn4});
    qvt::CheckAt({DzRBtn1, DzRBtn2, DzRBtn3, DzRBtn4}, static_cast<int>(values.point));
    qvt::ClearChecks({RuRBtn1, RuRBtn2, RuRBtn3, RuRBtn4});
    qvt::CheckAt({RuRBtn1, RuRBtn2, RuRBtn3, RuRBtn4}, static_cast<int>(values.rounding));
    AzCBox->setChecked(values.divideBy10);
    AzDBox->setChecked(values.displayReception);
    AzEdit1->SetField(values.averageCount);
    AzEdit2->SetField(values.unitText);
}

qvt::DisplayValues TAzDlg::Values() const {
    const int rounding = qvt::CheckedIndex({RuRBtn1, RuRBtn2, RuRBtn3, RuRBtn4});
    return {.point = static_cast<qvt::DecimalPoint>(ChosenPointPosition()),
            .rounding = rounding < 0 ? shownRounding_ : static_cast<qvt::Rounding>(rounding),
            .divideBy10 = AzCBox->isChecked(),
            .displayReception = AzDBox->isChecked(),
            .averageCount = AzEdit1->Field(),
            .unitText = AzEdit2->Field()};
}

void TAzDlg::OKBtnClick() {
    if (!qvt::EditsFitTheirFields(this, DeviceType(),
                                  {{qvt::NumericField::kAzAverageCount, AzEdit1}}))
        return;
    TOKBottomDlg::OKBtnClick();
}

std::string TAzDlg::TestValuePositions() const {
    std::string positions = qvt::ToField(AzDEdit1->displayText());
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
