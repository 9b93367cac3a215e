// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowsShell.h"

#include <cstdint>

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

namespace WindowsShell {

Execute systemExecute()
{
    return reinterpret_cast<Execute>(ShellExecuteW);
}

void *desktopWindow()
{
    return GetDesktopWindow();
}

// ShellExecuteW reports success with a value greater than 32; 32 itself
// says a DLL it needed is missing.
bool execute(Execute call, void *owner, const std::wstring &verb, const std::wstring &file,
             const std::wstring &parameters, const std::wstring &directory, int showCommand)
{
    void *const result = call(owner, verb.c_str(), file.c_str(), parameters.c_str(),
                              directory.c_str(), showCommand);
    return reinterpret_cast<std::intptr_t>(result) > 32;
}

} // namespace WindowsShell
