#pragma once

#include <QObject>

#include "shell/app_context.h"

class TForm1;

// The device link: serial port, Senden, the telegram monitor and the telegram log.
// Connects itself to the main window's menu items by name.
class LinkCommands : public QObject {
    Q_OBJECT
public:
    LinkCommands(TForm1& form, qvt::AppContext& context);

    // Start-up: opens the configured serial port; a failure leaves it closed.
    void OpenAtStart();
    // Creation handler: starts reading the device's telegrams.
    void StartMonitor();
    // Exit: restores and closes the serial port, closes the log file.
    void Shutdown();

private:
    TForm1& form_;
    qvt::AppContext& context_;
};
