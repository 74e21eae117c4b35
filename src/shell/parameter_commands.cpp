#include "shell/parameter_commands.h"

#include <QAction>
#include <QFileInfo>

#include "core/device_family.h"
#include "core/parameter_reset.h"
#include "dialogs/device_family_dialog.h"
#include "dialogs/function_choice_dialog.h"
#include "dialogs/measuring_range_dialog.h"
#include "dialogs/message_box.h"
#include "platform/files/parameter_file.h"
#include "shell/dialog_set.h"
#include "shell/main_menu.h"
#include "shell/parameter_file_view.h"

namespace qvt {
namespace {
const QString kFileGroupCaption = " Parameterdatei ";
const QString kNoFile = "Leer";
}  // namespace

ParameterCommands::ParameterCommands(QWidget& window, ParameterFileView& view, const MainMenu& menu,
                                     qvt::DialogSet& dialogs, qvt::AppContext& context)
    : window_(window),
      view_(view),
      dialogs_(dialogs),
      context_(context),
      askFileName_([&window](qvt::ParameterFileDialog kind) {
          return qvt::AskParameterFileName(kind, &window);
      }),
      askToSave_(
          [&window](const QString& fileName) { return qvt::AskToSaveChanges(&window, fileName); }),
      saved_(context.record),
      parameterDialogs_(dialogs, context) {
    parameterDialogs_.SetFamilyLabel([&view](const QString& text) { view.ShowDeviceLabel(text); });
    const auto on = [this](QAction* item, void (ParameterCommands::*handler)()) {
        connect(item, &QAction::triggered, this, handler);
    };
    on(menu.newItem, &ParameterCommands::NewParameterSet);
    on(menu.loadItem, &ParameterCommands::ChooseAndLoadFile);
    on(menu.saveItem, &ParameterCommands::Save);
    on(menu.saveAsItem, &ParameterCommands::SaveAs);
    on(menu.functionChoiceItem, &ParameterCommands::OpenFunctionChoice);
    on(menu.displayItem, &ParameterCommands::OpenDisplay);
    on(menu.switchingPointsItem, &ParameterCommands::OpenSwitchingPoints);
    on(menu.deviceSerialItem, &ParameterCommands::OpenDeviceSerial);
    on(menu.clockItem, &ParameterCommands::OpenClock);
    on(menu.expansionCardItem, &ParameterCommands::OpenExpansionCard);
    on(menu.specialFunctionsItem, &ParameterCommands::OpenSpecialFunctions);
    // After the record has taken the family (connected before, so it runs first).
    connect(dialogs_.deviceFamilyDialog, &qvt::dialogs::OkCancelDialog::Committed, this,
            &ParameterCommands::FamilyChosen);
}

// The name "Leer" shown at start is no file; a chosen file always comes with
// its folder.
bool ParameterCommands::HasFileName() const {
    const std::string& name = context_.state.currentFileName;
    return !name.empty() && name != kNoFile.toStdString();
}

bool ParameterCommands::MayDiscardChanges() {
    if (!saved_.Differs(context_.record))
        return true;
    const QString shownName =
        HasFileName() ? QFileInfo(QString::fromStdString(context_.state.currentFileName)).fileName()
                      : kNoFile;
    switch (askToSave_(shownName)) {
        case qvt::SaveAnswer::kSave:
            return SaveParameterSet();
        case qvt::SaveAnswer::kDiscard:
            return true;
        case qvt::SaveAnswer::kCancel:
            break;
    }
    return false;
}

// ---- File -------------------------------------------------------------------

void ParameterCommands::Remember() {
    saved_.Remember(context_.record);
    newSetType_.reset();
}

void ParameterCommands::FamilyChosen() {
    if (!newSetType_)
        return;
    // Only when nothing else was edited since "Neu": then the set differs
    // from the fresh one in its family alone.
    qvt::ParameterRecord asStarted = context_.record;
    asStarted.deviceType = *newSetType_;
    if (!saved_.Differs(asStarted))
        saved_.Remember(context_.record);
    newSetType_.reset();
}

void ParameterCommands::NewParameterSet() {
    if (!MayDiscardChanges())
        return;
    view_.EnableParameterSetCommands();
    qvt::ResetParameters(context_.record, context_.state);
    Remember();
    newSetType_ = context_.record.deviceType;
    view_.ClearTelegramList();
    context_.state.currentFileName.clear();
    view_.ShowFileCaption(kFileGroupCaption);
    view_.ShowFileName(kNoFile);
    // The user confirms the family of the new set.
    parameterDialogs_.RefillOpen();
    parameterDialogs_.OpenFamily();
}

void ParameterCommands::ChooseAndLoadFile() {
    if (!MayDiscardChanges())
        return;
    const QString chosen = askFileName_(qvt::ParameterFileDialog::kOpen);
    if (!chosen.isEmpty())
        LoadFile(chosen);
}

void ParameterCommands::LoadFile(const QString& chosen) {
    const std::string path = chosen.toStdString();
    // A file that cannot be read, or is not a parameter file, must not pass
    // for the set in use: "Senden" would send the old one under its name.
    if (!qvt::LoadParameterFile(path, context_.record)) {
        qvt::ShowMessage(&window_, "Datei konnte nicht geladen werden", qvt::Severity::kError);
        return;
    }
    context_.state.currentFileName = path;
    view_.EnableParameterSetCommands();
    view_.ShowFileCaption(kFileGroupCaption);
    view_.ShowFileName(chosen);
    view_.SelectDeviceType(context_.record.deviceType);
    Remember();
    parameterDialogs_.RefillOpen();
}

void ParameterCommands::Save() {
    SaveParameterSet();
}

bool ParameterCommands::SaveParameterSet() {
    if (!HasFileName()) {
        const QString chosen = askFileName_(qvt::ParameterFileDialog::kSave);
        if (chosen.isEmpty())
            return false;
        context_.state.currentFileName = chosen.toStdString();
    }
    if (!qvt::SaveParameterFile(context_.state.currentFileName, context_.record)) {
        qvt::ShowMessage(&window_, "Datei konnte nicht gespeichert werden", qvt::Severity::kError);
        return false;
    }
    Remember();
    view_.ShowFileName(QString::fromStdString(context_.state.currentFileName));
    return true;
}

void ParameterCommands::SaveAs() {
    const QString chosen = askFileName_(qvt::ParameterFileDialog::kSave);
    if (chosen.isEmpty())
        return;
    context_.state.currentFileName = chosen.toStdString();
    Save();
}

// ---- Parameter dialogs --------------------------------------------------------------

void ParameterCommands::OpenFunctionChoice() {
    parameterDialogs_.FillRangeAndSensor();
    const std::uint8_t type = context_.record.deviceType;
    if (qvt::IsMainFamily(type)) {
        dialogs_.functionChoiceDialog->ShowModeless();
    } else if (qvt::IsCounterFamily(type)) {
        // The counter family has no sensor choice.
        dialogs_.measuringRangeDialog->ShowModeless();
    }
}

void ParameterCommands::OpenDisplay() {
    parameterDialogs_.OpenDisplay();
}
void ParameterCommands::OpenSwitchingPoints() {
    parameterDialogs_.OpenSwitchingPoints();
}
void ParameterCommands::OpenDeviceSerial() {
    parameterDialogs_.OpenDeviceSerial();
}
void ParameterCommands::OpenClock() {
    parameterDialogs_.OpenClock();
}
void ParameterCommands::OpenExpansionCard() {
    parameterDialogs_.OpenCard();
}
void ParameterCommands::OpenSpecialFunctions() {
    parameterDialogs_.OpenMisc();
}

}  // namespace qvt
