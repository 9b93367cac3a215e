#include "RecordingShellOpener.h"

quintptr RecordingShellOpener::desktopWindow()
{
    ++desktopWindowCalls;
    return desktopHandle;
}

void RecordingShellOpener::execute(const ShellRequest &request)
{
    requests.append(request);
}
