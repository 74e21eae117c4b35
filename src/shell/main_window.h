#pragma once

#include <QMainWindow>
#include <memory>

#include "shell/app_context.h"
#include "shell/dialog_set.h"

class QGroupBox;
class QLabel;
class QFrame;
class QProgressBar;
class QTextEdit;
class QMenu;
class QAction;

class ParameterCommands;
class LinkCommands;
class ProgrammingCommands;

// The main window "QVT Parametrieren". Controls keep the names of the form so
// the commands of each subsystem can reach them; the commands themselves live
// in ParameterCommands, LinkCommands and ProgrammingCommands, which connect to
// the menu items by name.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(qvt::AppContext& context);
    ~TForm1() override;

    // Creates every dialog, hidden, and then runs the creation handler.
    void CreateDialogs();
    void FormCreate();

    // False when the configuration file could be neither read nor created:
    // the warning was shown and the window is closing.
    bool startedUp() const { return startedUp_; }

    qvt::AppContext& context() { return context_; }
    qvt::DialogSet& dialogs() { return *dialogs_; }

    // A menu item, submenu or menu by its name; nullptr when unknown.
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;

    // Outer width: 455 hides the telegram list, 660 shows it.
    void SetFormWidth(int width);

    // Builds the device label from the device type, chip and network flag.
    void RefreshDeviceLabel();

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
    void SelectDeviceType(std::uint8_t deviceType);
    void Gertetyp1Click();
    void Parameter1Click();

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
    void BuildControls();
    void BuildMenus();
    void AnchorBottomBoxes();
    void ReleasePorts();
    bool MayExit();
    void MarkDeviceTypeItem(std::uint8_t deviceType);
    void ApplyChipToLabelAndMenu(const QString& family);

    qvt::AppContext& context_;
    std::unique_ptr<qvt::DialogSet> dialogs_;
    std::unique_ptr<ParameterCommands> parameterCommands_;
    std::unique_ptr<LinkCommands> linkCommands_;
    std::unique_ptr<ProgrammingCommands> programmingCommands_;
    bool startedUp_ = false;
    bool closing_ = false;
    bool exitConfirmed_ = false;
};
