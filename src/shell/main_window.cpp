#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTextEdit>

#include "compose/serial_target.h"
#include "core/device_family.h"
#include "core/device_label.h"
#include "dialogs/function_choice_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/widgets.h"
#include "platform/files/config_file_access.h"
#include "platform/help.h"
#include "shell/app_icon.h"
#include "shell/info_box.h"
#include "shell/link_commands.h"
#include "shell/monitor_panel.h"
#include "shell/parameter_commands.h"
#include "shell/programming_commands.h"
#include "trend/trend_command.h"

namespace qvt {
namespace {

// The controls stand at fixed places in a window of fixed size.
QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, const QString& text = {}) {
    QLabel* label = qvt::MakeTextLabel(parent, name, text);
    label->move(left, top);
    return label;
}

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    QGroupBox* box = qvt::MakeGroup(parent, name, caption);
    box->setGeometry(geometry);
    return box;
}

}  // namespace

MainWindow::MainWindow(qvt::AppContext& context) : context_(context) {
    setObjectName("Form1");
    setWindowTitle("QVT Parametrieren");
    // The program's icon, taken over from the application where it set one:
    // decoding its eight PNGs is a good part of the start-up time.
    setWindowIcon(QApplication::windowIcon().isNull() ? qvt::ApplicationIcon()
                                                      : QApplication::windowIcon());
    BuildControls();
    menu_ = BuildMainMenu(*this, *this, context_.settings.programmingMenuVisible);
    // The dialogs belong to the window; nothing of theirs depends on the
    // start-up below.
    dialogs_ = std::make_unique<qvt::DialogSet>(context_, this);
    parameterCommands_ =
        std::make_unique<ParameterCommands>(*this, *this, menu_, *dialogs_, context_);
    monitorPanel_ = std::make_unique<MonitorPanel>(
        MonitorPanel::Widgets{this, valueBox_, valueLabel_, telegramPanel_, telegramLabel_,
                              telegramList_, fileBox_, fileLabel_, menu_.logToFileItem},
        [this](bool shown) { SetWindowWidth(shown ? 660 : 455); });
    linkCommands_ =
        std::make_unique<LinkCommands>(*this, *monitorPanel_, menu_, *dialogs_, context_);
    programmingCommands_ = std::make_unique<ProgrammingCommands>(
        *this, *this, *this, menu_, *dialogs_, *linkCommands_, context_);
    trendCommand_ = new qvt::trend::TrendCommand(*this, menu_.valueTrendItem,
                                                 linkCommands_->trendHistory(), context_.record);
    ConnectMenu();
}

bool MainWindow::StartUp() {
    qvt::ApplicationState& state = context_.state;

    // How the parallel port is reached; the port itself opens at its first
    // use, once the configuration has named its base address.
    programmingCommands_->OpenPortAccess();

    // The measured value shows only once the serial port is open.
    valueBox_->hide();

    // The configuration file; without it the program cannot keep its settings.
    state.configFilePath =
        QFile::encodeName(QDir::current().absoluteFilePath(qvt::kConfigFileName)).toStdString();
    const std::optional<qvt::ConfigValues> config =
        qvt::ReadConfigurationFile(state.configFilePath);
    if (!config) {
        qvt::ShowMessage(this, "Kein Zugriff auf Parameterdatei", qvt::Severity::kWarning);
        return false;
    }

    // Settings from the file (already clamped by the reader), the parallel
    // port's base address among them.
    qvt::ApplyConfiguration(*config, state);
    menu_.showTelegramsItem->setChecked(config->showTelegram);

    // A serial port that fails to open stays closed without a message box.
    linkCommands_->OpenAtStart();

    // Narrow, without the telegram list, in the middle of its screen.
    SetWindowWidth(455);
    move(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, size(),
                             screen()->availableGeometry())
             .topLeft());
    state.currentFileName = "Leer";
    fileLabel_->setText("Leer");

    // Cable idle: reset high, clock and data low.
    programmingCommands_->WriteIdlePattern();

    // The program starts with the 8253 chosen and its edition item shown.
    menu_.chip8253Item->setChecked(true);
    state.SetChip(qvt::kDefaultChip);
    deviceTypeLabel_->setText("QVT410-3E");
    menu_.editionItem->setVisible(true);
    return true;
}

void MainWindow::StartMonitoring() {
    linkCommands_->StartMonitor();
    programmingCommands_->WriteIdlePattern();
}

void MainWindow::ConnectMenu() {
    const auto on = [this](QAction* item, void (MainWindow::*handler)()) {
        connect(item, &QAction::triggered, this, handler);
    };
    on(menu_.programInfoItem, &MainWindow::ShowProgramInfo);
    on(menu_.exitItem, &MainWindow::Exit);
    on(menu_.fileExitItem, &MainWindow::Exit);
    on(menu_.helpContentsItem, &MainWindow::ShowHelpContents);
    on(menu_.helpIndexItem, &MainWindow::ShowHelpIndex);
    const auto selects = [this](QAction* item, std::uint8_t deviceType) {
        connect(item, &QAction::triggered, this,
                [this, deviceType] { SelectDeviceType(deviceType); });
    };
    selects(menu_.qvt410Item, qvt::kDeviceQvt410);
    selects(menu_.qvt0xxItem, qvt::kDeviceQvt0xx);
    selects(menu_.qvt055Item, qvt::kDeviceQvt055);
    connect(menu_.deviceTypeMenu, &QMenu::aboutToShow, this, &MainWindow::MarkCurrentDeviceType);
    connect(menu_.parameterMenu, &QMenu::aboutToShow, this, &MainWindow::ShowItemsOfFamily);
}

MainWindow::~MainWindow() {
    ReleasePorts();
}

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setMinimumSize(0, 351);
    client->installEventFilter(this);  // keeps the bottom boxes anchored on resize
    setCentralWidget(client);

    progressBox_ = MakeGroupBox(client, "PGroupBox", " QVT Programmieren ", {80, 64, 305, 105});
    progressBox_->hide();
    progressStepLabel_ = MakeLabel(progressBox_, "PLabel", 8, 32);
    progressStepLabel_->setMinimumWidth(289);
    progressWaitLabel_ = MakeLabel(progressBox_, "PLabel1", 224, 56, "Bitte warten");
    progressBar_ = new QProgressBar(progressBox_);
    progressBar_->setObjectName("ProgressBar");
    progressBar_->setGeometry(8, 80, 289, 16);
    progressBar_->setTextVisible(false);

    valueBox_ = MakeGroupBox(client, "AnzGroupBox", " Messwert ", {32, 56, 401, 113});
    valueBox_->setToolTip("Aktueller Messwert des QVT410");
    valueBox_->setAutoFillBackground(true);
    valueBox_->setStyleSheet(
        "QGroupBox#AnzGroupBox { background: black; color: white; border: 1px solid gray;"
        " margin-top: 0px; padding-top: 14px; }"
        "QGroupBox#AnzGroupBox::title { subcontrol-origin: padding; left: 8px; top: 1px; }");
    valueLabel_ = qvt::MakeTextLabel(valueBox_, "AnzLabel", " 0000");
    valueLabel_->setGeometry(8, 24, 385, 75);
    valueLabel_->setAlignment(Qt::AlignCenter);
    QFont big("Arial");
    big.setPixelSize(64);
    big.setBold(true);
    valueLabel_->setFont(big);
    valueLabel_->setStyleSheet("color: red; background: black;");
    valueBox_->hide();

    telegramPanel_ = new QFrame(client);
    telegramPanel_->setObjectName("SerPanel");
    telegramPanel_->setGeometry(104, 176, 233, 33);
    telegramPanel_->setFrameShape(QFrame::Panel);
    telegramPanel_->setFrameShadow(QFrame::Raised);
    telegramPanel_->setToolTip("Aktuelles Telegramm vom QVT410");
    telegramPanel_->setAutoFillBackground(true);
    telegramPanel_->setStyleSheet("QFrame#SerPanel { background: aqua; }");
    telegramLabel_ = MakeLabel(telegramPanel_, "SerLabel", 20, 7);
    QFont serFont("Arial");
    serFont.setPixelSize(16);
    serFont.setBold(true);
    telegramLabel_->setFont(serFont);
    telegramLabel_->setStyleSheet("color: blue;");
    telegramLabel_->setMinimumWidth(200);
    telegramPanel_->hide();

    telegramList_ = new QTextEdit(client);
    telegramList_->setObjectName("RichEdit1");
    telegramList_->setGeometry(456, 0, 185, 273);
    telegramList_->setToolTip("Letzte Telegramme vom QVT410");
    telegramList_->setReadOnly(true);
    telegramList_->setEnabled(false);
    telegramList_->setLineWrapMode(QTextEdit::NoWrap);
    QFont listFont("Arial");
    listFont.setPixelSize(13);
    telegramList_->setFont(listFont);

    fileBox_ = MakeGroupBox(client, "FileGroupBox", " Parameterdatei  ", {0, 318, 652, 33});
    fileLabel_ = MakeLabel(fileBox_, "FileLabel", 8, 16);
    fileLabel_->setMinimumWidth(430);

    deviceTypeBox_ =
        MakeGroupBox(client, "GtGroupBox", QString::fromUtf8(" Gerätetyp "), {547, 318, 105, 33});
    deviceTypeLabel_ = MakeLabel(deviceTypeBox_, "GeraetLabel", 16, 16, "QVT410-3E");
    deviceTypeLabel_->setMinimumWidth(85);
}

void MainWindow::SetWindowWidth(int width) {
    const int height = 351 + menuBar()->sizeHint().height();
    setFixedSize(width, height);
}

// The file box spans the bottom edge and the device type box keeps to the
// bottom right corner, whatever the width; the telegram list at the right is
// simply cut off by a narrow window.
void MainWindow::AnchorBottomBoxes() {
    const QWidget* client = centralWidget();
    const int bottom = client->height() - 33;
    fileBox_->setGeometry(0, bottom, client->width(), 33);
    deviceTypeBox_->setGeometry(client->width() - 105, bottom, 105, 33);
}

void MainWindow::ReleasePorts() {
    if (context_.state.shutdownDone)
        return;
    if (linkCommands_)
        linkCommands_->Shutdown();
    if (programmingCommands_)
        programmingCommands_->Shutdown();
    context_.state.shutdownDone = 1;
    emit portsReleased();
}

bool MainWindow::MayExit() {
    if (!exitConfirmed_)
        exitConfirmed_ = parameterCommands_->MayDiscardChanges();
    return exitConfirmed_;
}

void MainWindow::Exit() {
    if (!MayExit())
        return;
    ReleasePorts();
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!MayExit()) {
        event->ignore();
        return;
    }
    ReleasePorts();
    event->accept();
    if (!closing_) {
        closing_ = true;
        // Dialogs and the help window are separate windows; the program ends
        // with its main window all the same.
        QApplication::quit();
    }
}

void MainWindow::ShowProgramInfo() {
    dialogs_->infoBox->show();
    dialogs_->infoBox->raise();
    dialogs_->infoBox->activateWindow();
}

void MainWindow::ShowHelpContents() {
    qvt::help::ShowContents();
}

void MainWindow::ShowHelpIndex() {
    qvt::help::ShowIndex();
}

// F1 on a highlighted menu item shows the topic of its help context; in the
// help menu itself it shows the contents.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        AnchorBottomBoxes();
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* m = qobject_cast<QMenu*>(watched)) {
            QAction* active = m->activeAction();
            QAction* source = active ? active : m->menuAction();
            int context = source->property("helpContext").toInt();
            if (active && context == 0)
                context = m->menuAction()->property("helpContext").toInt();
            m->close();
            for (QWidget* w = m->parentWidget(); w; w = w->parentWidget()) {
                if (auto* parentMenu = qobject_cast<QMenu*>(w))
                    parentMenu->close();
            }
            if (m == menu_.helpMenu) {
                qvt::help::ShowContents();
            } else {
                qvt::help::ShowContext(context);
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Device type -----------------------------------------------------------

void MainWindow::MarkDeviceTypeItem(std::uint8_t deviceType) {
    menu_.qvt410Item->setChecked(deviceType == qvt::kDeviceQvt410);
    menu_.qvt0xxItem->setChecked(deviceType == qvt::kDeviceQvt0xx);
    menu_.qvt055Item->setChecked(deviceType == qvt::kDeviceQvt055);
}

void MainWindow::ApplyChipToLabelAndMenu(const QString& family) {
    const qvt::ApplicationState& s = context_.state;
    // The chip item's caption names the chip it is checked for; the edition
    // item is there for a chip whose firmware comes in editions.
    menu_.chip8253Item->setChecked(s.chip() == qvt::Chip::k8253);
    menu_.editionItem->setVisible(qvt::ProfileOf(s.chip()).hasEditions);
    const std::string suffix =
        qvt::DeviceLabelSuffix(context_.record.deviceType, s.chip(), s.networkDevice);
    deviceTypeLabel_->setText(family + QString::fromStdString(suffix));
}

void MainWindow::SelectDeviceType(std::uint8_t deviceType) {
    if (deviceType > qvt::kDeviceQvt055)
        return;
    MarkDeviceTypeItem(deviceType);
    context_.record.deviceType = deviceType;
    const QString family = QString::fromStdString(qvt::FamilyText(deviceType));
    dialogs_->functionChoiceDialog->SetRangeChoiceCaption(
        deviceType == qvt::kDeviceQvt055 ? "Anzeigezeiten" : "Sondermessung");
    if (deviceType == qvt::kDeviceQvt055) {
        // The clock device always runs an 8252 image; ChipType itself stays.
        menu_.chip8253Item->setChecked(false);
        menu_.editionItem->setVisible(false);
        deviceTypeLabel_->setText(family + "-2");
        return;
    }
    ApplyChipToLabelAndMenu(family);
}

void MainWindow::ShowDeviceLabel(const QString& text) {
    deviceTypeLabel_->setText(text);
}

void MainWindow::RefreshDeviceLabel() {
    const std::uint8_t type = context_.record.deviceType;
    if (type == qvt::kDeviceQvt055) {
        deviceTypeLabel_->setText(
            QString::fromStdString(qvt::DeviceLabel(type, context_.state.chip(), 0)));
        return;
    }
    ApplyChipToLabelAndMenu(QString::fromStdString(qvt::FamilyText(type)));
}

void MainWindow::MarkCurrentDeviceType() {
    const std::uint8_t type = context_.record.deviceType;
    if (type <= qvt::kDeviceQvt055)
        MarkDeviceTypeItem(type);
}

void MainWindow::ShowItemsOfFamily() {
    const std::uint8_t type = context_.record.deviceType;
    if (type > qvt::kDeviceQvt055)
        return;
    const bool counterFamily = qvt::IsCounterFamily(type);
    menu_.expansionCardItem->setVisible(!counterFamily);
    menu_.specialFunctionsItem->setVisible(counterFamily);
}

// ---- Views -------------------------------------------------------------------

void MainWindow::ShowFileCaption(const QString& caption) {
    fileBox_->setTitle(caption);
}

void MainWindow::ShowFileName(const QString& name) {
    fileLabel_->setText(name);
}

void MainWindow::EnableParameterSetCommands() {
    for (QAction* item :
         {menu_.parameterMenu->menuAction(), menu_.saveItem, menu_.saveAsItem, menu_.sendItem}) {
        item->setEnabled(true);
    }
}

void MainWindow::ClearTelegramList() {
    telegramList_->clear();
}

void MainWindow::ShowProgressBox(const QString& text) {
    progressStepLabel_->setText(text);
    progressStepLabel_->adjustSize();
    valueBox_->hide();
    telegramPanel_->hide();
    QPalette palette = progressBox_->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 255));
    progressBox_->setPalette(palette);
    progressBox_->setAutoFillBackground(true);
    progressBox_->show();
    progressBox_->repaint();
    progressBar_->repaint();
}

void MainWindow::SetProgressMaximum(int maximum) {
    progressBar_->setMaximum(maximum);
}

bool MainWindow::SetProgressPosition(int position, bool paintNow) {
    if (progressBar_->value() == position)
        return false;
    progressBar_->setValue(position);
    if (paintNow)
        progressBar_->repaint();
    return true;
}

int MainWindow::ProgressMaximum() const {
    return progressBar_->maximum();
}

void MainWindow::HideProgressBox() {
    progressBox_->hide();
}

}  // namespace qvt
