#include "DocumentPath.h"

#include <QDir>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

#ifndef Q_OS_WIN
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
#endif

} // namespace

bool DocumentPath::isHidden(QChar character)
{
    switch (character.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

DocumentPath DocumentPath::resolve(const QString &typedPath)
{
    if (typedPath.isEmpty())
        return {{}, Problem::Empty};
    if (std::ranges::any_of(typedPath, isHidden))
        return {{}, Problem::ControlCharacter};
#ifdef Q_OS_WIN
    const QString path = typedPath;
#else
    if (typedPath.startsWith(u"\\\\"_s))
        return {{}, Problem::NetworkPath};
    const QString path = startsWithDrive(typedPath) ? insideHome(typedPath) : typedPath;
#endif
    return {QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path, Problem::None};
}
