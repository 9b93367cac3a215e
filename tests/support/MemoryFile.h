// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DocumentFile.h"

#include <QByteArray>

#include <atomic>
#include <semaphore>

// Keeps the document in memory instead of a file. A slow one's commit waits
// until its gate is released, as a flush to a slow disk does, and may be
// given up meanwhile; a failing one's commit then fails, as the flush to a
// share that went away does.
class MemoryFile final : public DocumentFile
{
public:
    QString locate(const QString &typedPath) const override { return typedPath; }
    bool open(const QString &typedPath) override
    {
        bytes.clear();
        path = typedPath;
        return true;
    }
    bool write(QByteArrayView written) override
    {
        bytes.append(written);
        return true;
    }
    bool commit() override
    {
        if (slow)
            gate.acquire();
        return committed = !failing && !abandoned;
    }
    bool abandon() override { return abandoned = abandonable; }
    QString location() const override { return movedTo.isEmpty() ? path : movedTo; }
    bool wentElsewhere() const override { return !movedTo.isEmpty(); }
    QString errorString() const override
    {
        return failing ? QStringLiteral("Input/output error") : QString();
    }
    QString warning() const override { return {}; }
    bool isStream() const override { return false; }
    bool namedAsText() const override { return true; }

    QByteArray bytes;
    QString path;
    QString movedTo;
    bool slow = false;
    bool failing = false;
    bool abandonable = true;
    std::atomic<bool> abandoned = false;
    std::binary_semaphore gate{0};
    std::atomic<bool> committed = false;
};
