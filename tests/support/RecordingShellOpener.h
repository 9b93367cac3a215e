// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ShellOpener.h"

#include <QList>
#include <QStringList>

// Keeps every request instead of carrying it out.
class RecordingShellOpener final : public ShellOpener
{
public:
    DocumentViewer viewerFor(const QString &file) override
    {
        return {file, QStringLiteral("viewer")};
    }
    bool openDocument(const DocumentViewer &viewer) override
    {
        documents.append(viewer);
        return true;
    }
    void openAddress(const QString &address) override { addresses.append(address); }

    QList<DocumentViewer> documents;
    QStringList addresses;
};
