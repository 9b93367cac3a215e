// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

// The Windows shell calls, free of Qt so they build with any Windows
// toolchain. Strings reach the shell as UTF-16, so a path or subject in any
// script arrives intact whatever the system's ANSI code page.
namespace WindowsShell {

std::uintptr_t desktopWindow();

// False when the shell could not carry out the request.
bool execute(std::uintptr_t owner, const std::wstring &verb, const std::wstring &file,
             const std::wstring &parameters, const std::wstring &directory, int showCommand);

} // namespace WindowsShell
