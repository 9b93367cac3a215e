// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The Windows shell calls, free of Qt so they build with any Windows
// toolchain. Strings reach the shell as UTF-16, so a path or subject in any
// script arrives intact whatever the system's ANSI code page.
namespace WindowsShell {

// ShellExecuteW's own form, which tests may answer as Windows may.
using Execute
    = void *(__stdcall *)(void *owner, const wchar_t *verb, const wchar_t *file,
                          const wchar_t *parameters, const wchar_t *directory, int showCommand);

Execute systemExecute();
void *desktopWindow();

// False when the shell could not carry out the request.
bool execute(Execute call, void *owner, const std::wstring &verb, const std::wstring &file,
             const std::wstring &parameters, const std::wstring &directory, int showCommand);

} // namespace WindowsShell
