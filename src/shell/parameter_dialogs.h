#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

#include "shell/app_context.h"

namespace qvt {

struct DialogSet;

// Moves values between the parameter record and the parameter dialogs: fills
// a dialog when it opens, does what opening it does besides, and writes what
// the user commits with "OK" back into the record, coded for the device type
// of that moment.
class ParameterDialogs : public QObject {
    Q_OBJECT
  public:
    ParameterDialogs(DialogSet& dialogs, AppContext& context);

    // Where the PC's local date and time come from (tests fix it).
    using PcClock = std::function<QDateTime()>;
    void SetPcClock(PcClock clock) { clock_ = std::move(clock); }

    // Shows the bare family text in the main window after the device family
    // dialog's "OK".
    using FamilyLabel = std::function<void(const QString& familyText)>;
    void SetFamilyLabel(FamilyLabel label) { familyLabel_ = std::move(label); }

    void OpenDisplay();
    void OpenSwitchingPoints();
    // Also sets the PC's baud rate index to the device's rate as shown: the
    // PC talks to the device at the rate the device is set to.
    void OpenDeviceSerial();
    // Takes the PC time first when automatic time is stored; becoming the
    // active window takes it once more.
    void OpenClock();
    void OpenCard();
    void OpenMisc();
    void OpenFamily();
    // Fills the measuring range and the sensor dialog, which the function
    // selection leads to.
    void FillRangeAndSensor();

    // Refills every dialog that is open, as opening it would, and the two
    // that the function selection leads to, so that none writes the values of
    // a set that was replaced. Changes nothing on the PC side.
    void RefillOpen();

  private:
    // With automatic time stored: the PC's date, time and weekday into the
    // record and the clock fields. Otherwise nothing.
    void TakePcTimeIfAutomatic();
    void ConnectCommits();

    DialogSet& dialogs_;
    AppContext& context_;
    PcClock clock_;
    FamilyLabel familyLabel_;
};

}  // namespace qvt
