#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QTextEdit>
#include <string>

#include "shell/link_commands.h"
#include "support/app_fixture.h"
#include "support/controls.h"
#include "support/devsim_process.h"
#include "support/menu_items.h"
#include "support/pty_pair.h"
#include "support/qt_files.h"

// The started program with COM2 standing for the given device (a pseudo
// terminal's path) and no parallel port.
struct LinkFixture : AppFixture {
    // start: false leaves the window to Start(), e.g. after a configuration
    // file was put in place.
    explicit LinkFixture(const std::string& com2, bool start = true) {
        context.settings.serialDevices[1] = com2;
        context.settings.parallelAccess = qvt::ParallelAccess::kNone;
        if (start)
            Start();
    }

    qvt::LinkCommands& link() { return form->linkCommands(); }

    void WriteConfig(const QByteArray& bytes) { WriteFile(dir.filePath("QVT410.CFG"), bytes); }
    QByteArray Config() const { return ReadFile(dir.filePath("QVT410.CFG")); }

    // The lines kept for the printer, shown at the right of the window.
    QStringList ListLines() const {
        const QString text = Control<QTextEdit>(*form, "RichEdit1")->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }
};

// Short telegrams "+<first>", "+<first + 1>", ... as a device sends them.
inline std::string NumberedTelegrams(int count, int first) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += "+" + std::to_string(first + i) + "\r";
    return bytes;
}
