#pragma once

#include <QWidget>

#include "shell/app_context.h"
#include "shell/dialog_set.h"
#include "shell/parameter_dialogs.h"

// The program's dialogs with the record they are filled from and committed
// to, as the parameter commands wire them, without a main window.
struct DialogBench {
    explicit DialogBench(const qvt::ParameterRecord& record = {}) : context{record, {}, {}} {}

    qvt::AppContext context;
    QWidget window;
    qvt::DialogSet dialogs{context, &window};
    qvt::ParameterDialogs openers{dialogs, context};
};
