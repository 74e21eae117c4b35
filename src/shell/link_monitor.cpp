// The telegram monitor's driving in LinkCommands: when it may read, and the
// slices of a stream spread over turns of the event loop.
#include <QApplication>
#include <QInputDialog>

#include "dialogs/pc_serial_port_dialog.h"
#include "shell/dialog_set.h"
#include "shell/link_commands.h"

namespace qvt {

// The monitor stands still while a transmission or programming holds it, while
// it is already at work (a page being printed), and while a message box or a
// file dialog waits for the user; the PC port dialog, with its device
// chooser, is the one modal window it keeps running under.
bool LinkCommands::MonitorMayRun() const {
    if (!monitorStarted_ || holds_ > 0 || monitor_.busy())
        return false;
    QWidget* modal = QApplication::activeModalWidget();
    return modal == nullptr || dialogs_.pcSerialPortDialog->IsOwnWindow(modal);
}

void LinkCommands::MonitorBytesArrived() {
    if (!MonitorMayRun()) {
        if (monitorStarted_ && !retry_.isActive())
            retry_.start();
        return;
    }
    // Bytes still waiting raise no new notification.
    if (monitor_.HandleSlice() == qvt::TelegramMonitor::SliceEnd::kMoreWaiting)
        nextSlice_.start();
    monitor_.ReportFailures();
}

}  // namespace qvt
