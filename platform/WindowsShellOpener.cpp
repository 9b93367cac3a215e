#include "WindowsShellOpener.h"

#include "windows/WindowsShell.h"

quintptr WindowsShellOpener::desktopWindow()
{
    return WindowsShell::desktopWindow();
}

void WindowsShellOpener::execute(const ShellRequest &request)
{
    WindowsShell::execute(request.owner, request.verb.toStdWString(), request.file.toStdWString(),
                          request.parameters.toStdWString(), request.directory.toStdWString(),
                          request.showCommand);
}
