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

class ParameterCommands;
class LinkCommands;
class MonitorPanel;
class ProgrammingCommands;
namespace qvt::trend {
class TrendCommand;
}  // namespace qvt::trend
// The main window "QVT Parametrieren". Controls keep the names of the form;
// the commands live in ParameterCommands, LinkCommands and
// ProgrammingCommands, which reach the window through the views it
// implements and the menu items through the typed MainMenu. Made only by
// StartApplication (shell/startup.h), so no one sees it half started.
class TForm1 : public QMainWindow, public ParameterFileView, public ProgressBoxView {
    Q_OBJECT
  public:
    ~TForm1() override;

    qvt::AppContext& context() { return context_; }
    qvt::DialogSet& dialogs() { return *dialogs_; }
    const MainMenu& mainMenu() const { return menu_; }

    // Outer width: 455 hides the telegram list, 660 shows it.
    void SetFormWidth(int width);

    // Exit sequence: releases the ports once, then closes the window. Unsaved
    // edits of the parameter set are offered for saving first (also when the
    // window is closed by its frame); cancelling keeps the program running.
    void Beenden1Click();
    void Info2Click();
    void HilfeInhaltExecute();
    void Index1Click();

    // Device type selection.
    void QVT4101Click();
    void QVT0xx1Click();
    void QVT055Click();
    void Gertetyp1Click();
    void Parameter1Click();

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

    // Controls.
    QGroupBox* PGroupBox = nullptr;
    QLabel* PLabel = nullptr;
    QLabel* PLabel1 = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QGroupBox* AnzGroupBox = nullptr;
    QLabel* AnzLabel = nullptr;
    QFrame* SerPanel = nullptr;
    QLabel* SerLabel = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QGroupBox* FileGroupBox = nullptr;
    QLabel* FileLabel = nullptr;
    QGroupBox* GtGroupBox = nullptr;
    QLabel* GeraetLabel = nullptr;

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
    friend std::unique_ptr<TForm1> StartApplication(qvt::AppContext& context);

    // The window, its controls and menus, the dialogs and the commands; the
    // start-up itself is left to StartUp.
    explicit TForm1(qvt::AppContext& context);
    // The construction steps that reach ports and files; false when the
    // configuration file is not accessible.
    bool StartUp();
    // The creation handler: the monitor starts, the cable is set idle again.
    void FormCreate();

    void BuildControls();
    void ConnectMenu();
    void AnchorBottomBoxes();
    void ReleasePorts();
    bool MayExit();
    void MarkDeviceTypeItem(std::uint8_t deviceType);
    void ApplyChipToLabelAndMenu(const QString& family);

    qvt::AppContext& context_;
    MainMenu menu_;
    std::unique_ptr<qvt::DialogSet> dialogs_;
    std::unique_ptr<ParameterCommands> parameterCommands_;
    std::unique_ptr<MonitorPanel> monitorPanel_;
    std::unique_ptr<LinkCommands> linkCommands_;
    std::unique_ptr<ProgrammingCommands> programmingCommands_;
    qvt::trend::TrendCommand* trendCommand_ = nullptr;  // a child of the window
    bool closing_ = false;
    bool exitConfirmed_ = false;
};
