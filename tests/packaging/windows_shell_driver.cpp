// Links the Windows shell calls into an executable; it is built, never run.
#include "WindowsShell.h"

int main()
{
    WindowsShell::execute(WindowsShell::desktopWindow(), L"open", L"C:\\avto.doc", L"", L"", 3);
    return 0;
}
