// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ShellOpener.h"

#include <QList>

// Keeps every request instead of carrying it out.
class RecordingShellOpener final : public ShellOpener
{
public:
    static constexpr quintptr desktopHandle = 0x10010;

    quintptr desktopWindow() override { return desktopHandle; }
    bool openDocument(const ShellRequest &request) override
    {
        documents.append(request);
        return true;
    }
    void openAddress(const ShellRequest &request) override { addresses.append(request); }

    QList<ShellRequest> documents;
    QList<ShellRequest> addresses;
};
