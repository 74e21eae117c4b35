#pragma once

#include <QString>
#include <QStringList>

namespace qvt {

// Starts a program from the working directory (not from the search path)
// with the given arguments, sharing this process's standard streams, and
// waits for it without a time-out. Returns its exit code, or -1 when it could
// not be started or did not end normally.
int RunProgramAndWait(const QString& program, const QStringList& arguments);

}  // namespace qvt
