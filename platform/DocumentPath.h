// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where a typed document path leads on this system, or why it leads nowhere.
// A path holding a control, format or separator character is never used on
// any system: it could hide or forge what the user is shown. The rest is
// each system's own (linux/, windows/).
struct DocumentPath
{
    enum class Problem { None, Empty, ControlCharacter, NetworkPath, NoHome, Device, Stream };

    // The absolute path of the file in the system's separators, empty when
    // the path is refused.
    QString location;
    Problem problem = Problem::None;

    static DocumentPath resolve(const QString &typedPath);
    // "C:", an ASCII letter and a colon, as Windows names a drive.
    static bool startsWithDrive(const QString &path);

private:
    static DocumentPath locate(const QString &typedPath);
};
