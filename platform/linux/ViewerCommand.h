// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command line that shows a Windows-1251 document in an application
// that can be told the encoding on its command line: LibreOffice and the
// text editors that take an encoding option. Others guess the encoding and
// get it wrong, so they are left to the desktop's opener.
struct ViewerCommand
{
    QString program;
    QStringList arguments;

    // The command for the application with this executable (a name or a
    // path), or nothing when it takes no encoding hint. The file is an
    // absolute path, so it can never be taken for an option.
    static std::optional<ViewerCommand> forApplication(const QString &executable,
                                                       const QString &file);
};
