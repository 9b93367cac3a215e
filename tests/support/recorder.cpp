// Notes how the shell started it, for the tests: the file it was given,
// then the show command, in UTF-8, in the file that FOLVAR_RECORD names.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <QFile>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const QByteArray noted
        = QString::fromWCharArray(arguments[count - 1]).toUtf8() + '\n' + QByteArray::number(show);
    QFile record(qEnvironmentVariable("FOLVAR_RECORD"));
    return record.open(QIODevice::WriteOnly) && record.write(noted) == noted.size() ? 0 : 1;
}
