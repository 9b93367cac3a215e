#include "WindowsShell.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

namespace {

// Characters the ANSI code page lacks become the system's default character.
std::string toAnsi(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int wideLength = static_cast<int>(text.size());
    const int size
        = WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

} // namespace

namespace WindowsShell {

std::uintptr_t desktopWindow()
{
    return reinterpret_cast<std::uintptr_t>(GetDesktopWindow());
}

void execute(std::uintptr_t owner, const std::wstring &verb, const std::wstring &file,
             const std::wstring &parameters, const std::wstring &directory, int showCommand)
{
    const std::string ansiVerb = toAnsi(verb);
    const std::string ansiFile = toAnsi(file);
    const std::string ansiParameters = toAnsi(parameters);
    const std::string ansiDirectory = toAnsi(directory);
    ShellExecuteA(reinterpret_cast<HWND>(owner), ansiVerb.c_str(), ansiFile.c_str(),
                  ansiParameters.c_str(), ansiDirectory.c_str(), showCommand);
}

} // namespace WindowsShell
