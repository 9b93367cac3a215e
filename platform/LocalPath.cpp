#include "LocalPath.h"

#include <QDir>

namespace {

bool startsWithDrive(const QString &path)
{
    if (path.size() < 3)
        return false;
    const char16_t letter = path[0].toLower().unicode();
    return letter >= u'a' && letter <= u'z' && path[1] == u':'
           && (path[2] == u'\\' || path[2] == u'/');
}

} // namespace

QString localPath(const QString &typedPath)
{
#ifdef Q_OS_WIN
    return typedPath;
#else
    if (!startsWithDrive(typedPath))
        return typedPath;
    QString insideHome = typedPath.sliced(3);
    insideHome.replace(u'\\', u'/');
    return QDir::homePath() + u'/' + insideHome;
#endif
}
