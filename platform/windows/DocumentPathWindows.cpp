// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentPath.h"

#include <QDir>

// Windows takes the path as it stands; a relative one from the current folder.
DocumentPath DocumentPath::locate(const QString &typedPath)
{
    const QString path
        = QDir::isAbsolutePath(typedPath) ? typedPath : QDir::currentPath() + u'/' + typedPath;
    return {QDir::toNativeSeparators(path), Problem::None};
}
