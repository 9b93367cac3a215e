// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentPath.h"

#include "HiddenCharacters.h"

#include <QList>

#include <algorithm>

DocumentPath DocumentPath::resolve(const QString &typedPath)
{
    // Blanks alone would name a file no one could tell from no name.
    if (std::ranges::all_of(typedPath, [](QChar character) { return character.isSpace(); }))
        return {{}, Problem::Empty};
    if (std::ranges::any_of(typedPath.toUcs4(), HiddenCharacters::isHidden))
        return {{}, Problem::ControlCharacter};
    return locate(typedPath);
}

bool DocumentPath::startsWithDrive(const QString &path)
{
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() <= 0x7F;
}
