// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ShellOpener.h"

// Passes requests to the Windows shell unchanged.
class WindowsShellOpener final : public ShellOpener
{
public:
    quintptr desktopWindow() override;
    bool openDocument(const ShellRequest &request) override;
    void openAddress(const ShellRequest &request) override;
};
