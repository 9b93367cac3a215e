#pragma once

#include <cstdint>
#include <string>

// The Windows shell calls, free of Qt so they build with any Windows
// toolchain. Strings arrive as UTF-16 and reach the shell in the ANSI code
// page.
namespace WindowsShell {

std::uintptr_t desktopWindow();

void execute(std::uintptr_t owner, const std::wstring &verb, const std::wstring &file,
             const std::wstring &parameters, const std::wstring &directory, int showCommand);

} // namespace WindowsShell
