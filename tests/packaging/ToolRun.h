#pragma once

#include <QProcess>

// What a command-line tool printed and whether it ended with exit code 0.
struct ToolRun
{
    QByteArray output;
    bool succeeded = false;

    static ToolRun of(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool finished = process.waitForFinished(240'000);
        return {process.readAll(), finished && process.exitStatus() == QProcess::NormalExit
                                       && process.exitCode() == 0};
    }
};
