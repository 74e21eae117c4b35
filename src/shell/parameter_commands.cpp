#include "shell/parameter_commands.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTextEdit>

#include "core/parameter_reset.h"
#include "dialogs/az_dlg.h"
#include "dialogs/da_dlg.h"
#include "dialogs/fuwahl_dlg.h"
#include "dialogs/gw_dlg.h"
#include "dialogs/mb_dlg.h"
#include "dialogs/message_box.h"
#include "dialogs/pt_dlg.h"
#include "dialogs/rtc_dlg.h"
#include "dialogs/sio_dlg.h"
#include "dialogs/so_dlg.h"
#include "dialogs/spkt_dlg.h"
#include "platform/files/parameter_file.h"
#include "shell/main_window.h"

namespace {
const QString kFileGroupCaption = " Parameterdatei ";
const QString kNoFile = "Leer";
}  // namespace

ParameterCommands::ParameterCommands(TForm1& form, qvt::AppContext& context)
    : form_(form),
      context_(context),
      askFileName_([&form](qvt::ParameterFileDialog kind) {
          return qvt::AskParameterFileName(kind, &form);
      }),
      askToSave_(
          [&form](const QString& fileName) { return qvt::AskToSaveChanges(&form, fileName); }),
      saved_(context.record) {
    const auto on = [this](const char* name, void (ParameterCommands::*handler)()) {
        connect(form_.action(name), &QAction::triggered, this, handler);
    };
    on("Neu1", &ParameterCommands::Neu1Click);
    on("Laden1", &ParameterCommands::Laden1Click);
    on("Speichern1", &ParameterCommands::Speichern1Click);
    on("Speichernunter1", &ParameterCommands::Speichernunter1Click);
    on("Funktionswahl1", &ParameterCommands::Funktionswahl1Click);
    on("Anzeige1", &ParameterCommands::Anzeige1Click);
    on("Schaltpunkte1", &ParameterCommands::Schaltpunkte1Click);
    on("SIO1", &ParameterCommands::SIO1Click);
    on("RTC1", &ParameterCommands::RTC1Click);
    on("AnalogausgangDAC1", &ParameterCommands::AnalogausgangDAC1Click);
    on("Sonstiges1", &ParameterCommands::Sonstiges1Click);
}

void ParameterCommands::LinkDialogs() {
    qvt::DialogSet& d = form_.dialogs();
    d.FuWahlDlg->SetTargets(d.MbDlg, d.PtDlg);
    d.GwDlg->SetDeviceLabel(form_.GeraetLabel);
}

void ParameterCommands::EnableParameterSetCommands() {
    for (const char* name : {"Parameter1", "Speichern1", "Speichernunter1", "Senden1"}) {
        form_.action(name)->setEnabled(true);
    }
}

// The name "Leer" shown at start is no file; a chosen file always comes with
// its folder.
bool ParameterCommands::HasFileName() const {
    const std::string& name = context_.state.CurrentFileName;
    return !name.empty() && name != kNoFile.toStdString();
}

bool ParameterCommands::MayDiscardChanges() {
    if (!saved_.Differs(context_.record))
        return true;
    const QString shownName =
        HasFileName() ? QFileInfo(QString::fromStdString(context_.state.CurrentFileName)).fileName()
                      : kNoFile;
    switch (askToSave_(shownName)) {
        case qvt::SaveAnswer::Save:
            return SaveParameterSet();
        case qvt::SaveAnswer::Discard:
            return true;
        case qvt::SaveAnswer::Cancel:
            break;
    }
    return false;
}

void ParameterCommands::RefillOpenDialogs() {
    QWidget* active = QApplication::activeWindow();
    qvt::DialogSet& d = form_.dialogs();
    if (d.MbDlg->isVisible())
        d.MbDlg->FillFromRecord();
    if (d.PtDlg->isVisible())
        d.PtDlg->FillFromRecord();
    // Opening a shown dialog refills it, with the side effects opening has.
    const auto reopen = [](auto* dialog) {
        if (dialog->isVisible())
            dialog->Open();
    };
    reopen(d.AzDlg);
    reopen(d.SPktDlg);
    reopen(d.SioDlg);
    reopen(d.RtcDlg);
    reopen(d.DaDlg);
    reopen(d.SoDlg);
    reopen(d.GwDlg);
    // The keyboard stays where the user had it.
    if (active)
        active->activateWindow();
}

// ---- Datei ------------------------------------------------------------------

void ParameterCommands::Neu1Click() {
    if (!MayDiscardChanges())
        return;
    EnableParameterSetCommands();
    qvt::ResetParameters(context_.record, context_.state);
    saved_.Remember(context_.record);
    form_.RichEdit1->clear();
    context_.state.CurrentFileName.clear();
    form_.FileGroupBox->setTitle(kFileGroupCaption);
    form_.FileLabel->setText(kNoFile);
    // The user confirms the family of the new set.
    LinkDialogs();
    RefillOpenDialogs();
    form_.dialogs().GwDlg->Open();
}

void ParameterCommands::Laden1Click() {
    if (!MayDiscardChanges())
        return;
    const QString chosen = askFileName_(qvt::ParameterFileDialog::Open);
    if (chosen.isEmpty())
        return;
    const std::string path = chosen.toStdString();
    // A file that cannot be read, or is not a parameter file, must not pass
    // for the set in use: "Senden" would send the old one under its name.
    if (!qvt::LoadParameterFile(path, context_.record)) {
        qvt::ShowMessage(&form_, "Datei konnte nicht geladen werden", qvt::Severity::Error);
        return;
    }
    context_.state.CurrentFileName = path;
    EnableParameterSetCommands();
    form_.FileGroupBox->setTitle(kFileGroupCaption);
    form_.FileLabel->setText(chosen);
    form_.SelectDeviceType(context_.record.deviceType);
    saved_.Remember(context_.record);
    RefillOpenDialogs();
}

void ParameterCommands::Speichern1Click() {
    SaveParameterSet();
}

bool ParameterCommands::SaveParameterSet() {
    if (!HasFileName()) {
        const QString chosen = askFileName_(qvt::ParameterFileDialog::Save);
        if (chosen.isEmpty())
            return false;
        context_.state.CurrentFileName = chosen.toStdString();
    }
    if (!qvt::SaveParameterFile(context_.state.CurrentFileName, context_.record)) {
        qvt::ShowMessage(&form_, "Datei konnte nicht gespeichert werden", qvt::Severity::Error);
        return false;
    }
    saved_.Remember(context_.record);
    form_.FileLabel->setText(QString::fromStdString(context_.state.CurrentFileName));
    return true;
}

void ParameterCommands::Speichernunter1Click() {
    const QString chosen = askFileName_(qvt::ParameterFileDialog::Save);
    if (chosen.isEmpty())
        return;
    context_.state.CurrentFileName = chosen.toStdString();
    Speichern1Click();
}

// ---- Parameter --------------------------------------------------------------

void ParameterCommands::Funktionswahl1Click() {
    LinkDialogs();
    qvt::DialogSet& d = form_.dialogs();
    d.MbDlg->FillFromRecord();
    d.PtDlg->FillFromRecord();
    switch (context_.record.deviceType) {
        case qvt::kDeviceQvt410:
        case qvt::kDeviceQvt055:
            d.FuWahlDlg->ShowModeless();
            break;
        case qvt::kDeviceQvt0xx:
            // The counter family has no sensor choice.
            d.MbDlg->ShowModeless();
            break;
        default:
            break;
    }
}

void ParameterCommands::Anzeige1Click() {
    form_.dialogs().AzDlg->Open();
}
void ParameterCommands::Schaltpunkte1Click() {
    form_.dialogs().SPktDlg->Open();
}
void ParameterCommands::SIO1Click() {
    form_.dialogs().SioDlg->Open();
}
void ParameterCommands::RTC1Click() {
    form_.dialogs().RtcDlg->Open();
}
void ParameterCommands::AnalogausgangDAC1Click() {
    form_.dialogs().DaDlg->Open();
}
void ParameterCommands::Sonstiges1Click() {
    form_.dialogs().SoDlg->Open();
}
