// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopShellOpener.h"

#include "DefaultApplication.h"
#include "ViewerCommand.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QUrl>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

// GIO reads the file's content type from the disk.
DocumentViewer DesktopShellOpener::viewerFor(const QString &file)
{
    return {file, DefaultApplication::executableFor(file)};
}

bool DesktopShellOpener::openDocument(const DocumentViewer &viewer)
{
    const std::optional<ViewerCommand> command
        = ViewerCommand::forApplication(viewer.application, viewer.file);
    if (command && start(command->program, command->arguments, viewer.file))
        return true;
    return start(u"xdg-open"_s, {viewer.file}, viewer.file);
}

// The query of a mail address is percent-encoded on the way, so its
// Cyrillic subject and trailing space arrive intact.
void DesktopShellOpener::openAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

// The process has no parent: deleting a running QProcess would end the
// viewer with the window. It deletes itself once the viewer has ended.
bool DesktopShellOpener::start(const QString &program, const QStringList &arguments,
                               const QString &file)
{
    auto *process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setChildProcessModifier([] { ::setsid(); });
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    QElapsedTimer running;
    running.start();
    connect(process, &QProcess::finished, this,
            [this, process, file, running](int exitCode, QProcess::ExitStatus status) {
                const bool failed = exitCode != 0 || status != QProcess::NormalExit;
                if (failed && running.elapsed() < watchMilliseconds)
                    Q_EMIT documentNotShown(file);
                process->deleteLater();
            });
    return true;
}
