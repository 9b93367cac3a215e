#include "DesktopShellOpener.h"

#include "DocumentPath.h"
#include "ViewerCommand.h"
#include "linux/DefaultApplication.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

quintptr DesktopShellOpener::desktopWindow()
{
    return 0;
}

bool DesktopShellOpener::openDocument(const ShellRequest &request)
{
    const QString file = DocumentPath::resolve(request.file).location;
    if (file.isEmpty())
        return false;
    const std::optional<ViewerCommand> viewer
        = ViewerCommand::forApplication(DefaultApplication::executableFor(file), file);
    if (viewer && QProcess::startDetached(viewer->program, viewer->arguments))
        return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

// The query of a mail address is percent-encoded on the way, so its
// Cyrillic subject and trailing space arrive intact.
void DesktopShellOpener::openAddress(const ShellRequest &request)
{
    QDesktopServices::openUrl(QUrl(request.file, QUrl::TolerantMode));
}
