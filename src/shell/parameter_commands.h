#pragma once

#include <QObject>

#include "shell/app_context.h"

class TForm1;

// The file commands (Neu, Laden, Speichern, Speichern unter) and the openers of the parameter dialogs.
// Connects itself to the main window's menu items by name.
class ParameterCommands : public QObject {
    Q_OBJECT
public:
    ParameterCommands(TForm1& form, qvt::AppContext& context);


private:
    TForm1& form_;
    qvt::AppContext& context_;
};
