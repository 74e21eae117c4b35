#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <memory>

#include "shell/app_context.h"
#include "shell/dialog_set.h"
#include "shell/main_menu.h"
#include "shell/parameter_file_view.h"
#include "shell/progress_box_view.h"

class QGroupBox;
class QLabel;
class QFrame;
class QProgressBar;
class QTextEdit;

namespace qvt {

class ParameterCommands;
class LinkCommands;
class MonitorPanel;
class ProgrammingCommands;
namespace trend {
class TrendCommand;
}  // namespace trend

// The main window "QVT Parametrieren" (object name "Form1", which help and the
// service staff know it by). The commands live in ParameterCommands,
// LinkCommands and ProgrammingCommands, which reach the window through the
// views it implements and the menu items through the typed MainMenu. Made
// only by StartApplication (shell/startup.h), so no one sees it half started.
class MainWindow : public QMainWindow, public ParameterFileView, public ProgressBoxView {
    Q_OBJECT
  public:
    ~MainWindow() override;

    AppContext& context() { return context_; }
    DialogSet& dialogs() { return *dialogs_; }
    const MainMenu& mainMenu() const { return menu_; }

    // Outer width: 455 hides the telegram list, 660 shows it.
    void SetWindowWidth(int width);

    // Exit sequence: releases the ports once, then closes the window. Unsaved
    // edits of the parameter set are offered for saving first (also when the
    // window is closed by its frame); cancelling keeps the program running.
    void Exit();
    void ShowProgramInfo();
    void ShowHelpContents();
    void ShowHelpIndex();

    // As the device type menu opens: checks the item of the current type.
    void MarkCurrentDeviceType();
    // As the parameter menu opens: the counter family has special functions
    // where the others have an expansion card.
    void ShowItemsOfFamily();

    // ParameterFileView.
    void ShowFileCaption(const QString& caption) override;
    void ShowFileName(const QString& name) override;
    void EnableParameterSetCommands() override;
    void ClearTelegramList() override;
    void SelectDeviceType(std::uint8_t deviceType) override;
    void RefreshDeviceLabel() override;
    void ShowDeviceLabel(const QString& text) override;

    // ProgressBoxView.
    void ShowProgressBox(const QString& text) override;
    void SetProgressMaximum(int maximum) override;
    bool SetProgressPosition(int position, bool paintNow) override;
    int ProgressMaximum() const override;
    void HideProgressBox() override;

    ParameterCommands& parameterCommands() { return *parameterCommands_; }
    LinkCommands& linkCommands() { return *linkCommands_; }
    ProgrammingCommands& programmingCommands() { return *programmingCommands_; }

  signals:
    // The exit sequence released the ports (emitted once per run).
    void portsReleased();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend std::unique_ptr<MainWindow> StartApplication(AppContext& context);

    // The window, its controls and menus, the dialogs and the commands; the
    // start-up itself is left to StartUp.
    explicit MainWindow(AppContext& context);
    // The construction steps that reach ports and files; false when the
    // configuration file is not accessible.
    bool StartUp();
    // Once the window stands: the telegram monitor starts reading, and the
    // programming cable is set idle again.
    void StartMonitoring();

    void BuildControls();
    void ConnectMenu();
    void AnchorBottomBoxes();
    void ReleasePorts();
    bool MayExit();
    void MarkDeviceTypeItem(std::uint8_t deviceType);
    void ApplyChipToLabelAndMenu(const QString& family);

    // The window's controls; their object names are the ones help and the
    // tests know them by.
    QGroupBox* progressBox_ = nullptr;  // " QVT Programmieren ", over the value
    QLabel* progressStepLabel_ = nullptr;
    QLabel* progressWaitLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QGroupBox* valueBox_ = nullptr;  // " Messwert "
    QLabel* valueLabel_ = nullptr;   // its digits
    QFrame* telegramPanel_ = nullptr;
    QLabel* telegramLabel_ = nullptr;
    QTextEdit* telegramList_ = nullptr;  // the last telegrams, right of the value
    QGroupBox* fileBox_ = nullptr;       // the parameter or log file
    QLabel* fileLabel_ = nullptr;
    QGroupBox* deviceTypeBox_ = nullptr;
    QLabel* deviceTypeLabel_ = nullptr;

    AppContext& context_;
    MainMenu menu_;
    std::unique_ptr<DialogSet> dialogs_;
    std::unique_ptr<ParameterCommands> parameterCommands_;
    std::unique_ptr<MonitorPanel> monitorPanel_;
    std::unique_ptr<LinkCommands> linkCommands_;
    std::unique_ptr<ProgrammingCommands> programmingCommands_;
    trend::TrendCommand* trendCommand_ = nullptr;  // a child of the window
    bool closing_ = false;
    bool exitConfirmed_ = false;
};

}  // namespace qvt
