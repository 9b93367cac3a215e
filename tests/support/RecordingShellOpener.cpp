#include "RecordingShellOpener.h"

quintptr RecordingShellOpener::desktopWindow()
{
    ++desktopWindowCalls;
    return desktopHandle;
}

bool RecordingShellOpener::openDocument(const ShellRequest &request)
{
    documents.append(request);
    return canOpenDocuments;
}

void RecordingShellOpener::openAddress(const ShellRequest &request)
{
    addresses.append(request);
}
