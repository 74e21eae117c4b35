#pragma once

namespace qvt {

// SIGTERM (the session ending, `kill`, `timeout`) ends the program the way
// "Beenden" does after its question: the event loop returns, so the serial
// line gets its settings back and the log file is closed whole. Call once,
// after the QApplication exists.
void QuitOnTerminate();

}  // namespace qvt
