#pragma once

#include <QObject>

#include "shell/app_context.h"

class TForm1;

// The Programmieren menu: parallel port access, programming runs, catalogue, outside programmer.
// Connects itself to the main window's menu items by name.
class ProgrammingCommands : public QObject {
    Q_OBJECT
public:
    ProgrammingCommands(TForm1& form, qvt::AppContext& context);

    // Start-up: decides how the parallel port is reached.
    void OpenPortAccess();
    // Puts the cable into its idle pattern (0x08 on the data register).
    void WriteIdlePattern();
    // Exit: releases the parallel port.
    void Shutdown();

private:
    TForm1& form_;
    qvt::AppContext& context_;
};
