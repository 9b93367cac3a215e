#pragma once

#include <QProcess>
#include <QTest>

inline bool isAlone()
{
    return qEnvironmentVariableIsSet("FOLVAR_ALONE");
}

// Runs the current test row again in a process of its own, with more
// environment variables ("NAME=value"), so that what the row provokes (a
// signal, a hang, a limit, a scale) cannot take the other rows with it.
inline void runAlone(const QStringList &environment)
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : environment + QStringList(QStringLiteral("FOLVAR_ALONE=1")))
        variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    QProcess row;
    row.setProcessEnvironment(variables);
    row.setProcessChannelMode(QProcess::MergedChannels);
    row.start(QCoreApplication::applicationFilePath(),
              {QLatin1StringView(QTest::currentTestFunction()) + u':'
               + QLatin1StringView(QTest::currentDataTag())});
    if (!row.waitForFinished(20'000))
        row.kill();
    QVERIFY2(row.exitStatus() == QProcess::NormalExit && row.exitCode() == 0,
             row.readAll().constData());
}
