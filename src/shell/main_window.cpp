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
#include "dialogs/fuwahl_dlg.h"
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

namespace {

// The form's controls stand where the form put them.
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

TForm1::TForm1(qvt::AppContext& context) : context_(context) {
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
        MonitorPanel::Widgets{this, AnzGroupBox, AnzLabel, SerPanel, SerLabel, RichEdit1,
                              FileGroupBox, FileLabel, menu_.InDateispeichern1},
        [this](bool shown) { SetFormWidth(shown ? 660 : 455); });
    linkCommands_ =
        std::make_unique<LinkCommands>(*this, *monitorPanel_, menu_, *dialogs_, context_);
    programmingCommands_ = std::make_unique<ProgrammingCommands>(
        *this, *this, *this, menu_, *dialogs_, *linkCommands_, context_);
    trendCommand_ = new qvt::trend::TrendCommand(*this, menu_.Messwertverlauf1,
                                                 linkCommands_->trendHistory(), context_.record);
    ConnectMenu();
}

bool TForm1::StartUp() {
    qvt::ApplicationState& state = context_.state;

    // 2. How the parallel port is reached.
    programmingCommands_->OpenPortAccess();

    // 3.
    AnzGroupBox->hide();

    // 4. The configuration file; without it the program cannot keep its settings.
    state.ConfigFilePath =
        QFile::encodeName(QDir::current().absoluteFilePath(qvt::kConfigFileName)).toStdString();
    const std::optional<qvt::ConfigValues> config =
        qvt::ReadConfigurationFile(state.ConfigFilePath);
    if (!config) {
        qvt::ShowMessage(this, "Kein Zugriff auf Parameterdatei", qvt::Severity::Warning);
        return false;
    }

    // 5. The catalogue's variants without firmware were disabled as the menu was built.

    // 6. Settings from the file (already clamped by the reader).
    qvt::ApplyConfiguration(*config, state);
    menu_.Datumzeigen1->setChecked(config->ShowTelegram);

    // 7. The serial port; a failure leaves it closed without a message.
    linkCommands_->OpenAtStart();

    // 8. The parallel port base came with the configuration.

    // 9., 10. The window opens in the middle of its screen.
    SetFormWidth(455);
    move(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, size(),
                             screen()->availableGeometry())
             .topLeft());
    state.CurrentFileName = "Leer";
    FileLabel->setText("Leer");

    // 11. Cable idle: reset high, clock and data low.
    programmingCommands_->WriteIdlePattern();

    // 12.
    menu_.Baustein1->setChecked(true);
    state.SetChip(qvt::kDefaultChip);
    GeraetLabel->setText("QVT410-3E");
    menu_.SIOTYP1->setVisible(true);
    return true;
}

void TForm1::FormCreate() {
    linkCommands_->StartMonitor();
    programmingCommands_->WriteIdlePattern();
}

void TForm1::ConnectMenu() {
    const auto on = [this](QAction* item, void (TForm1::*handler)()) {
        connect(item, &QAction::triggered, this, handler);
    };
    on(menu_.Info2, &TForm1::Info2Click);
    on(menu_.Beenden1, &TForm1::Beenden1Click);
    on(menu_.Beenden2, &TForm1::Beenden1Click);
    on(menu_.Hilfe2, &TForm1::HilfeInhaltExecute);
    on(menu_.Index1, &TForm1::Index1Click);
    on(menu_.QVT4101, &TForm1::QVT4101Click);
    on(menu_.QVT0xx1, &TForm1::QVT0xx1Click);
    on(menu_.QVT055, &TForm1::QVT055Click);
    connect(menu_.Gertetyp1, &QMenu::aboutToShow, this, &TForm1::Gertetyp1Click);
    connect(menu_.Parameter1, &QMenu::aboutToShow, this, &TForm1::Parameter1Click);
}

TForm1::~TForm1() {
    ReleasePorts();
}

void TForm1::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setMinimumSize(0, 351);
    client->installEventFilter(this);  // keeps the bottom boxes anchored on resize
    setCentralWidget(client);

    PGroupBox = MakeGroupBox(client, "PGroupBox", " QVT Programmieren ", {80, 64, 305, 105});
    PGroupBox->hide();
    PLabel = MakeLabel(PGroupBox, "PLabel", 8, 32);
    PLabel->setMinimumWidth(289);
    PLabel1 = MakeLabel(PGroupBox, "PLabel1", 224, 56, "Bitte warten");
    ProgressBar = new QProgressBar(PGroupBox);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setGeometry(8, 80, 289, 16);
    ProgressBar->setTextVisible(false);

    AnzGroupBox = MakeGroupBox(client, "AnzGroupBox", " Messwert ", {32, 56, 401, 113});
    AnzGroupBox->setToolTip("Aktueller Messwert des QVT410");
    AnzGroupBox->setAutoFillBackground(true);
    AnzGroupBox->setStyleSheet(
        "QGroupBox#AnzGroupBox { background: black; color: white; border: 1px solid gray;"
        " margin-top: 0px; padding-top: 14px; }"
        "QGroupBox#AnzGroupBox::title { subcontrol-origin: padding; left: 8px; top: 1px; }");
    AnzLabel = qvt::MakeTextLabel(AnzGroupBox, "AnzLabel", " 0000");
    AnzLabel->setGeometry(8, 24, 385, 75);
    AnzLabel->setAlignment(Qt::AlignCenter);
    QFont big("Arial");
    big.setPixelSize(64);
    big.setBold(true);
    AnzLabel->setFont(big);
    AnzLabel->setStyleSheet("color: red; background: black;");
    AnzGroupBox->hide();

    SerPanel = new QFrame(client);
    SerPanel->setObjectName("SerPanel");
    SerPanel->setGeometry(104, 176, 233, 33);
    SerPanel->setFrameShape(QFrame::Panel);
    SerPanel->setFrameShadow(QFrame::Raised);
    SerPanel->setToolTip("Aktuelles Telegramm vom QVT410");
    SerPanel->setAutoFillBackground(true);
    SerPanel->setStyleSheet("QFrame#SerPanel { background: aqua; }");
    SerLabel = MakeLabel(SerPanel, "SerLabel", 20, 7);
    QFont serFont("Arial");
    serFont.setPixelSize(16);
    serFont.setBold(true);
    SerLabel->setFont(serFont);
    SerLabel->setStyleSheet("color: blue;");
    SerLabel->setMinimumWidth(200);
    SerPanel->hide();

    RichEdit1 = new QTextEdit(client);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setGeometry(456, 0, 185, 273);
    RichEdit1->setToolTip("Letzte Telegramme vom QVT410");
    RichEdit1->setReadOnly(true);
    RichEdit1->setEnabled(false);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    QFont listFont("Arial");
    listFont.setPixelSize(13);
    RichEdit1->setFont(listFont);

    FileGroupBox = MakeGroupBox(client, "FileGroupBox", " Parameterdatei  ", {0, 318, 652, 33});
    FileLabel = MakeLabel(FileGroupBox, "FileLabel", 8, 16);
    FileLabel->setMinimumWidth(430);

    GtGroupBox =
        MakeGroupBox(client, "GtGroupBox", QString::fromUtf8(" Gerätetyp "), {547, 318, 105, 33});
    GeraetLabel = MakeLabel(GtGroupBox, "GeraetLabel", 16, 16, "QVT410-3E");
    GeraetLabel->setMinimumWidth(85);
}

void TForm1::SetFormWidth(int width) {
    const int height = 351 + menuBar()->sizeHint().height();
    setFixedSize(width, height);
}

// The file box spans the bottom edge and the device type box keeps to the
// bottom right corner, whatever the width; the telegram list at the right is
// simply cut off by a narrow window.
void TForm1::AnchorBottomBoxes() {
    const QWidget* client = centralWidget();
    const int bottom = client->height() - 33;
    FileGroupBox->setGeometry(0, bottom, client->width(), 33);
    GtGroupBox->setGeometry(client->width() - 105, bottom, 105, 33);
}

void TForm1::ReleasePorts() {
    if (context_.state.ShutdownDone)
        return;
    if (linkCommands_)
        linkCommands_->Shutdown();
    if (programmingCommands_)
        programmingCommands_->Shutdown();
    context_.state.ShutdownDone = 1;
    emit portsReleased();
}

bool TForm1::MayExit() {
    if (!exitConfirmed_)
        exitConfirmed_ = parameterCommands_->MayDiscardChanges();
    return exitConfirmed_;
}

void TForm1::Beenden1Click() {
    if (!MayExit())
        return;
    ReleasePorts();
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
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

void TForm1::Info2Click() {
    dialogs_->InfoBox->show();
    dialogs_->InfoBox->raise();
    dialogs_->InfoBox->activateWindow();
}

void TForm1::HilfeInhaltExecute() {
    qvt::help::ShowContents();
}

void TForm1::Index1Click() {
    qvt::help::ShowIndex();
}

// F1 on a highlighted menu item shows the topic of its help context; in the
// help menu itself it shows the contents.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
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
            if (m == menu_.Hilfe1) {
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

void TForm1::MarkDeviceTypeItem(std::uint8_t deviceType) {
    menu_.QVT4101->setChecked(deviceType == qvt::kDeviceQvt410);
    menu_.QVT0xx1->setChecked(deviceType == qvt::kDeviceQvt0xx);
    menu_.QVT055->setChecked(deviceType == qvt::kDeviceQvt055);
}

void TForm1::ApplyChipToLabelAndMenu(const QString& family) {
    const qvt::ApplicationState& s = context_.state;
    // The chip item's caption names the chip it is checked for; the edition
    // item is there for a chip whose firmware comes in editions.
    menu_.Baustein1->setChecked(s.chip() == qvt::Chip::k8253);
    menu_.SIOTYP1->setVisible(qvt::ProfileOf(s.chip()).hasEditions);
    const std::string suffix =
        qvt::DeviceLabelSuffix(context_.record.deviceType, s.chip(), s.NetworkDevice);
    GeraetLabel->setText(family + QString::fromStdString(suffix));
}

void TForm1::SelectDeviceType(std::uint8_t deviceType) {
    if (deviceType > qvt::kDeviceQvt055)
        return;
    MarkDeviceTypeItem(deviceType);
    context_.record.deviceType = deviceType;
    const QString family = QString::fromStdString(qvt::FamilyText(deviceType));
    dialogs_->FuWahlDlg->FuWahlBtn1->setText(deviceType == qvt::kDeviceQvt055 ? "Anzeigezeiten"
                                                                              : "Sondermessung");
    if (deviceType == qvt::kDeviceQvt055) {
        // The clock device always runs an 8252 image; ChipType itself stays.
        menu_.Baustein1->setChecked(false);
        menu_.SIOTYP1->setVisible(false);
        GeraetLabel->setText(family + "-2");
        return;
    }
    ApplyChipToLabelAndMenu(family);
}

void TForm1::QVT4101Click() {
    SelectDeviceType(qvt::kDeviceQvt410);
}
void TForm1::QVT0xx1Click() {
    SelectDeviceType(qvt::kDeviceQvt0xx);
}
void TForm1::QVT055Click() {
    SelectDeviceType(qvt::kDeviceQvt055);
}

void TForm1::ShowDeviceLabel(const QString& text) {
    GeraetLabel->setText(text);
}

void TForm1::RefreshDeviceLabel() {
    const std::uint8_t type = context_.record.deviceType;
    if (type == qvt::kDeviceQvt055) {
        GeraetLabel->setText(
            QString::fromStdString(qvt::DeviceLabel(type, context_.state.chip(), 0)));
        return;
    }
    ApplyChipToLabelAndMenu(QString::fromStdString(qvt::FamilyText(type)));
}

void TForm1::Gertetyp1Click() {
    const std::uint8_t type = context_.record.deviceType;
    if (type <= qvt::kDeviceQvt055)
        MarkDeviceTypeItem(type);
}

void TForm1::Parameter1Click() {
    const std::uint8_t type = context_.record.deviceType;
    if (type > qvt::kDeviceQvt055)
        return;
    const bool counterFamily = qvt::IsCounterFamily(type);
    menu_.AnalogausgangDAC1->setVisible(!counterFamily);
    menu_.Sonstiges1->setVisible(counterFamily);
}

// ---- Views -------------------------------------------------------------------

void TForm1::ShowFileCaption(const QString& caption) {
    FileGroupBox->setTitle(caption);
}

void TForm1::ShowFileName(const QString& name) {
    FileLabel->setText(name);
}

void TForm1::EnableParameterSetCommands() {
    for (QAction* item :
         {menu_.Parameter1->menuAction(), menu_.Speichern1, menu_.Speichernunter1, menu_.Senden1}) {
        item->setEnabled(true);
    }
}

void TForm1::ClearTelegramList() {
    RichEdit1->clear();
}

void TForm1::ShowProgressBox(const QString& text) {
    PLabel->setText(text);
    PLabel->adjustSize();
    AnzGroupBox->hide();
    SerPanel->hide();
    QPalette palette = PGroupBox->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 255));
    PGroupBox->setPalette(palette);
    PGroupBox->setAutoFillBackground(true);
    PGroupBox->show();
    PGroupBox->repaint();
    ProgressBar->repaint();
}

void TForm1::SetProgressMaximum(int maximum) {
    ProgressBar->setMaximum(maximum);
}

bool TForm1::SetProgressPosition(int position, bool paintNow) {
    if (ProgressBar->value() == position)
        return false;
    ProgressBar->setValue(position);
    if (paintNow)
        ProgressBar->repaint();
    return true;
}

int TForm1::ProgressMaximum() const {
    return ProgressBar->maximum();
}

void TForm1::HideProgressBox() {
    PGroupBox->hide();
}
