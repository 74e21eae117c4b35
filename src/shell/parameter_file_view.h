#pragma once

#include <QString>
#include <cstdint>

namespace qvt {

// The main window as the parameter file commands see it: the box at the
// bottom that names the file, the commands that need a parameter set, and
// the device type the set is for.
class ParameterFileView {
  public:
    virtual ~ParameterFileView() = default;

    // The caption of the box (" Parameterdatei ") and the file it names.
    virtual void ShowFileCaption(const QString& caption) = 0;
    virtual void ShowFileName(const QString& name) = 0;
    // "Parameter", "Speichern", "Speichern unter" and "Senden" become usable.
    virtual void EnableParameterSetCommands() = 0;
    // A new set starts with an empty list of received telegrams.
    virtual void ClearTelegramList() = 0;
    // Selects the device type of a loaded set as the device type menu does.
    virtual void SelectDeviceType(std::uint8_t deviceType) = 0;
    // Rebuilds the device label from the device type, chip type and edition.
    virtual void RefreshDeviceLabel() = 0;
    // Shows the given text as the device label, as it stands.
    virtual void ShowDeviceLabel(const QString& text) = 0;
};

}  // namespace qvt
