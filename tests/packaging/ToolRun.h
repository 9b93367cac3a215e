#pragma once

#include <QByteArray>
#include <QStringList>

// What a command-line tool printed and whether it ended with exit code 0.
struct ToolRun
{
    QByteArray output;
    bool succeeded = false;

    static ToolRun of(const QString &program, const QStringList &arguments);
};
