#include "platform/process_runner.h"

#include <QDir>
#include <QProcess>

namespace qvt {

int RunProgramAndWait(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(QDir::current().absoluteFilePath(program));
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(-1))
        return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

}  // namespace qvt
