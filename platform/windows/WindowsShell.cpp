// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowsShell.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

namespace WindowsShell {

std::uintptr_t desktopWindow()
{
    return reinterpret_cast<std::uintptr_t>(GetDesktopWindow());
}

// ShellExecuteW reports success with a value greater than 32.
bool execute(std::uintptr_t owner, const std::wstring &verb, const std::wstring &file,
             const std::wstring &parameters, const std::wstring &directory, int showCommand)
{
    const HINSTANCE result
        = ShellExecuteW(reinterpret_cast<HWND>(owner), verb.c_str(), file.c_str(),
                        parameters.c_str(), directory.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace WindowsShell
