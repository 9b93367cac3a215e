// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// One request to the desktop shell to act on a file or address, with the
// arguments in the order the Windows shell takes them.
struct ShellRequest
{
    static constexpr int showNormal = 1;
    static constexpr int showMaximized = 3;

    quintptr owner = 0;
    QString verb;
    QString file;
    QString parameters;
    QString directory;
    int showCommand = showNormal;

    friend bool operator==(const ShellRequest &, const ShellRequest &) = default;
};
