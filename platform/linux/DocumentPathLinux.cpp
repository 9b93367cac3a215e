// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentPath.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

// On Linux a Windows drive path ("C:\avto.doc", or "C:" alone) is taken
// inside the home folder with '\' as the folder separator, and, as at a
// drive's root, ".." never climbs above it; a network path
// ("\\server\share\a.doc") leads nowhere. Any other ".." is left for the
// system to follow, since after a linked folder it leads where the link does.

namespace {

// "C:" alone, or a drive followed by a separator.
bool startsWithDrive(const QString &path)
{
    if (path.size() < 2 || path[1] != u':' || !path[0].isLetter() || path[0].unicode() > 0x7F)
        return false;
    return path.size() == 2 || path[2] == u'\\' || path[2] == u'/';
}

// The folders after the drive, each ".." that would climb above the drive's
// root dropped, as Windows drops it there.
QString insideHome(const QString &drivePath)
{
    QStringList kept;
    qsizetype depth = 0;
    QString rest = drivePath.sliced(std::min<qsizetype>(3, drivePath.size()));
    for (const QString &part : rest.replace(u'\\', u'/').split(u'/')) {
        if (part == ".."_L1 && depth == 0)
            continue;
        depth += part == ".."_L1 ? -1 : part.isEmpty() || part == "."_L1 ? 0 : 1;
        kept.append(part);
    }
    return QDir::homePath() + u'/' + kept.join(u'/');
}

} // namespace

DocumentPath DocumentPath::locate(const QString &typedPath)
{
    if (typedPath.startsWith(u"\\\\"_s))
        return {{}, Problem::NetworkPath};
    const QString path = startsWithDrive(typedPath) ? insideHome(typedPath) : typedPath;
    return {QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path, Problem::None};
}
