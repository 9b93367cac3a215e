#include "ToolRun.h"

#include <QProcess>

ToolRun ToolRun::of(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    run.succeeded = process.waitForFinished(240'000) && process.exitStatus() == QProcess::NormalExit
                    && process.exitCode() == 0;
    run.output = process.readAll();
    return run;
}
