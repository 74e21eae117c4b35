#include "dialogs/display_dialog.h"

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
#include "platform/help_topics.h"

namespace qvt::dialogs {
namespace {

constexpr int kTestValuePositions = 4;
constexpr char kMaskBlank = ' ';
// The device's answer to a telegram it took.
constexpr std::uint8_t kAccepted = 0x06;

}  // namespace

DisplayDialog::DisplayDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("AzDlg");
    setWindowTitle("Anzeige");
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    AddHelpButton(help::topic::kDisplay);
    QFrame* area = ControlArea();

    QGroupBox* pointGroup = MakeGroup(area, "GroupBox1", "Dezimalpunkt");
    pointButtons_ = {
        MakeRadio(pointGroup, "DzRBtn1", "Kein Punkt"), MakeRadio(pointGroup, "DzRBtn2", "X . XXX"),
        MakeRadio(pointGroup, "DzRBtn3", "XX . XX"), MakeRadio(pointGroup, "DzRBtn4", "XXX . X")};
    pointButtons_[0]->setChecked(true);
    auto* pointLayout = new QVBoxLayout(pointGroup);
    for (QAbstractButton* b : pointButtons_) pointLayout->addWidget(b);

    QGroupBox* roundingGroup = MakeGroup(area, "GroupBox2", "Letzte Stelle Runden");
    roundingButtons_ = {MakeRadio(roundingGroup, "RuRBtn1", "Immer 0"),
                        MakeRadio(roundingGroup, "RuRBtn2", "Normal 0/1/2/3/4/5/6/7/8/9/0"),
                        MakeRadio(roundingGroup, "RuRBtn3", "Nur Gerade 0/2/4/6/8/0"),
                        MakeRadio(roundingGroup, "RuRBtn4", QString::fromUtf8("Fünfer 0/5/0"))};
    roundingButtons_[1]->setChecked(true);
    auto* roundLayout = new QVBoxLayout(roundingGroup);
    for (QAbstractButton* b : roundingButtons_) roundLayout->addWidget(b);

    averageCountEdit_ = MakeEdit(area, "AzEdit1", 4, "000");
    unitTextEdit_ = MakeEdit(area, "AzEdit2", 3);
    divideBy10Box_ = MakeCheck(area, "AzCBox", "Teiler durch 10");
    displayReceptionBox_ = MakeCheck(area, "AzDBox", "Display-Empfang");
    displayReceptionBox_->setLayoutDirection(Qt::RightToLeft);  // text left of the box

    testValueEdit_ = new QLineEdit(area);
    testValueEdit_->setObjectName("AzDEdit1");
    // Four optional digit positions; an empty position shows as a blank.
    testValueEdit_->setInputMask(QStringLiteral("0000;") + QChar(kMaskBlank));
    testValueEdit_->setMaximumWidth(
        testValueEdit_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    testButton_ = new QPushButton("TEST", area);
    testButton_->setObjectName("Button1");

    auto* grid = new QGridLayout(area);
    grid->addWidget(pointGroup, 0, 0, 4, 1);
    grid->addWidget(roundingGroup, 0, 1, 4, 1);
    grid->addWidget(
        MakeLabel(area, "Label1", QString::fromUtf8("Messungen für Durchschnittsbildung"),
                  averageCountEdit_),
        4, 0);
    grid->addWidget(averageCountEdit_, 4, 1);
    grid->addWidget(MakeLabel(area, "Label2", "Dimension und Benennung", unitTextEdit_), 5, 0);
    grid->addWidget(unitTextEdit_, 5, 1);
    grid->addWidget(divideBy10Box_, 6, 0);
    grid->addWidget(displayReceptionBox_, 6, 1);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(MakeLabel(area, "Label3", "Testwert", testValueEdit_));
    testRow->addWidget(testValueEdit_);
    testRow->addWidget(testButton_);
    grid->addLayout(testRow, 7, 0, 1, 2);

    connect(testButton_, &QPushButton::clicked, this, &DisplayDialog::SendTestValue);
}

void DisplayDialog::Open(const DisplayValues& values) {
    ShowValues(values);
    testValueEdit_->setText("0");
    ShowModeless();
}

void DisplayDialog::ShowValues(const DisplayValues& values) {
    shownRounding_ = values.rounding;
    ClearChecks(pointButtons_);
    CheckAt(pointButtons_, static_cast<int>(values.point));
    ClearChecks(roundingButtons_);
    CheckAt(roundingButtons_, static_cast<int>(values.rounding));
    divideBy10Box_->setChecked(values.divideBy10);
    displayReceptionBox_->setChecked(values.displayReception);
    averageCountEdit_->SetField(values.averageCount);
    unitTextEdit_->SetField(values.unitText);
}

DisplayValues DisplayDialog::Values() const {
    const int rounding = CheckedIndex(roundingButtons_);
    return {.point = static_cast<DecimalPoint>(ChosenPointPosition()),
            .rounding = rounding < 0 ? shownRounding_ : static_cast<Rounding>(rounding),
            .divideBy10 = divideBy10Box_->isChecked(),
            .displayReception = displayReceptionBox_->isChecked(),
            .averageCount = averageCountEdit_->Field(),
            .unitText = unitTextEdit_->Field()};
}

void DisplayDialog::CheckAndCommit() {
    if (!EditsFitTheirFields(this, DeviceType(),
                             {{NumericField::kAzAverageCount, averageCountEdit_}}))
        return;
    OkCancelDialog::CheckAndCommit();
}

std::string DisplayDialog::TestValuePositions() const {
    std::string positions = ToField(testValueEdit_->displayText());
    positions.resize(kTestValuePositions, kMaskBlank);
    return positions;
}

int DisplayDialog::ChosenPointPosition() const {
    return std::max(0, CheckedIndex(pointButtons_));
}

void DisplayDialog::SendTestValue() {
    // A value the display cannot show is refused, not sent as another one.
    const std::string positions = TestValuePositions();
    if (const std::optional<FieldFault> fault = CheckTestValue(positions)) {
        ShowFieldFaults(this, {*fault});
        return;
    }
    const std::optional<std::uint8_t> reply =
        testValueSender_ ? testValueSender_(positions, ChosenPointPosition()) : std::nullopt;
    if (reply == kAccepted) {
        ShowMessage(this, QString::fromUtf8("Wert fehlerfrei übertragen"), Severity::kInfo);
    } else {
        ShowMessage(this, QString::fromUtf8("Fehler bei der Übertragung"), Severity::kError);
    }
}

}  // namespace qvt::dialogs
