#include "DocumentPath.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

bool hasControlCharacter(const QString &path)
{
    return std::ranges::any_of(
        path, [](QChar character) { return character.category() == QChar::Other_Control; });
}

#ifndef Q_OS_WIN
// "C:" alone, or a drive followed by a separator.
bool startsWithDrive(const QString &path)
{
    if (path.size() < 2 || path[1] != u':' || !path[0].isLetter() || path[0].unicode() > 0x7F)
        return false;
    return path.size() == 2 || path[2] == u'\\' || path[2] == u'/';
}

QString insideHome(const QString &drivePath)
{
    QString rest = drivePath.sliced(std::min<qsizetype>(3, drivePath.size()));
    rest.replace(u'\\', u'/');
    return QDir::homePath() + u'/' + rest;
}
#endif

} // namespace

DocumentPath DocumentPath::resolve(const QString &typedPath)
{
    if (typedPath.isEmpty())
        return {{}, Problem::Empty};
    if (hasControlCharacter(typedPath))
        return {{}, Problem::ControlCharacter};
#ifdef Q_OS_WIN
    const QString path = typedPath;
#else
    if (typedPath.startsWith(u"\\\\"_s))
        return {{}, Problem::NetworkPath};
    const QString path = startsWithDrive(typedPath) ? insideHome(typedPath) : typedPath;
#endif
    return {QFileInfo(path).absoluteFilePath(), Problem::None};
}
