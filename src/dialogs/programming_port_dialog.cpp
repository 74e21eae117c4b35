#include "dialogs/programming_port_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/message_box.h"
#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {
namespace {

// The entries of the cable choice, in the order of CableType.
constexpr std::array<const char*, 3> kCableCaptions = {"Parallelport", "FTDI-Adapter", "GPIO"};

CableType CableTypeAt(int index) {
    return index == 1 ? CableType::kFtdi : index == 2 ? CableType::kGpio : CableType::kParallel;
}

int IndexOf(CableType type) {
    return type == CableType::kFtdi ? 1 : type == CableType::kGpio ? 2 : 0;
}

QLineEdit* MakeLineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

}  // namespace

ProgrammingPortDialog::ProgrammingPortDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("PLptDlg");
    setWindowTitle("Programmierschnittstelle");
    QFrame* area = ControlArea();

    auto* row = new QHBoxLayout(area);
    auto* layout = new QVBoxLayout;
    portButtons_ = {MakeRadio(area, "PLpRBtn1", "Schnittstelle = LPT1"),
                    MakeRadio(area, "PLpRBtn2", "Schnittstelle = LPT2"),
                    MakeRadio(area, "PLpRBtn3", "Schnittstelle = LPT3")};
    for (QAbstractButton* button : portButtons_) layout->addWidget(button);
    layout->addStretch();
    portButtons_[0]->setChecked(true);
    row->addLayout(layout);

    // The cable beside the port: a combo box, so that its entries stay out of
    // the port buttons' exclusive group.
    cableBox_ = new QComboBox(area);
    cableBox_->setObjectName("CableBox");
    for (const char* caption : kCableCaptions) cableBox_->addItem(caption);
    deviceEdit_ = MakeLineEdit(area, "DeviceEdit");
    pinsEdit_ = MakeLineEdit(area, "PinsEdit");
    searchButton_ = new QPushButton("Suchen", area);
    searchButton_->setObjectName("SearchBtn");
    foundList_ = new QListWidget(area);
    foundList_->setObjectName("FoundList");
    foundList_->setMinimumWidth(320);
    foundList_->setMaximumHeight(90);

    auto* cableGrid = new QGridLayout;
    cableGrid->addWidget(MakeLabel(area, "CableLabel", "&Kabel:", cableBox_), 0, 0);
    cableGrid->addWidget(cableBox_, 0, 1);
    cableGrid->addWidget(MakeLabel(area, "DeviceLabel", "&Gerät:", deviceEdit_), 1, 0);
    cableGrid->addWidget(deviceEdit_, 1, 1);
    cableGrid->addWidget(MakeLabel(area, "PinsLabel", "&Pinbelegung:", pinsEdit_), 2, 0);
    cableGrid->addWidget(pinsEdit_, 2, 1);
    cableGrid->addWidget(searchButton_, 3, 0, Qt::AlignTop);
    cableGrid->addWidget(foundList_, 3, 1);
    row->addLayout(cableGrid, 1);

    AddHelpButton(help::topic::kProgramming);

    connect(cableBox_, &QComboBox::currentIndexChanged, this, [this] { FollowCableType(); });
    connect(searchButton_, &QPushButton::clicked, this, [this] { ListFoundCables(); });
    connect(foundList_, &QListWidget::currentRowChanged, this,
            [this](int row) { TakeFoundCable(row); });
    // A click on the entry already current takes it again after the user
    // changed the fields by hand.
    connect(foundList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { TakeFoundCable(foundList_->row(item)); });
    FollowCableType();
}

void ProgrammingPortDialog::ShowValues(const ParallelPortValues& values) {
    CheckAt(portButtons_, values.port);
}

ParallelPortValues ProgrammingPortDialog::Values() const {
    return {std::max(0, CheckedIndex(portButtons_))};
}

void ProgrammingPortDialog::ShowCable(const CableChoice& cable) {
    emulated_ = cable.emulated;
    cableBox_->setCurrentIndex(IndexOf(cable.type));
    deviceEdit_->setText(QString::fromStdString(cable.device));
    pinsEdit_->setText(QString::fromStdString(cable.pins));
    FollowCableType();
}

CableChoice ProgrammingPortDialog::Cable() const {
    CableChoice cable;
    cable.type = CableTypeAt(cableBox_->currentIndex());
    cable.emulated = emulated_;
    // Kept for the parallel port too, so a switch to it and back loses nothing.
    cable.device = deviceEdit_->text().trimmed().toStdString();
    cable.pins = pinsEdit_->text().trimmed().toStdString();
    return WithDefaults(cable);
}

// Device and pin map belong to the USB and GPIO cables; the empty fields
// show what they default to.
void ProgrammingPortDialog::FollowCableType() {
    const CableType type = CableTypeAt(cableBox_->currentIndex());
    const CableChoice defaults = WithDefaults({type, {}, {}, false});
    deviceEdit_->setEnabled(type != CableType::kParallel);
    pinsEdit_->setEnabled(type != CableType::kParallel);
    deviceEdit_->setPlaceholderText(QString::fromStdString(defaults.device));
    pinsEdit_->setPlaceholderText(QString::fromStdString(defaults.pins));
}

void ProgrammingPortDialog::ListFoundCables() {
    found_ = findCables_ ? findCables_() : std::vector<FoundCable>{};
    const QSignalBlocker quiet(foundList_);
    foundList_->clear();
    for (const FoundCable& cable : found_) {
        QString line = QString("%1  %2  %3")
                           .arg(kCableCaptions[static_cast<std::size_t>(IndexOf(cable.type))])
                           .arg(QString::fromStdString(cable.device))
                           .arg(QString::fromStdString(cable.description));
        if (!cable.problem.empty())
            line += QString::fromUtf8(" – ") + QString::fromStdString(cable.problem);
        foundList_->addItem(line);
    }
    if (found_.empty()) {
        auto* none = new QListWidgetItem("Kein FTDI-Adapter und kein GPIO-Chip gefunden");
        none->setFlags(Qt::NoItemFlags);
        foundList_->addItem(none);
    }
}

void ProgrammingPortDialog::TakeFoundCable(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= found_.size())
        return;
    const FoundCable& cable = found_[static_cast<std::size_t>(row)];
    cableBox_->setCurrentIndex(IndexOf(cable.type));
    deviceEdit_->setText(QString::fromStdString(cable.device));
}

void ProgrammingPortDialog::CheckAndCommit() {
    if (const std::string problem = CableProblem(Cable()); !problem.empty()) {
        ShowMessage(this, QString::fromStdString(problem), Severity::kError);
        pinsEdit_->setFocus();
        return;
    }
    OkCancelDialog::CheckAndCommit();
}

}  // namespace qvt::dialogs
