#include "DesktopShellOpener.h"

#include "LocalPath.h"

#include <QDesktopServices>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isAddressScheme(const QString &scheme)
{
    return scheme == "http"_L1 || scheme == "https"_L1 || scheme == "mailto"_L1;
}

} // namespace

quintptr DesktopShellOpener::desktopWindow()
{
    return 0;
}

void DesktopShellOpener::execute(const ShellRequest &request)
{
    QDesktopServices::openUrl(urlFor(request.file));
}

QUrl DesktopShellOpener::urlFor(const QString &file)
{
    QUrl address(file, QUrl::TolerantMode);
    if (address.isValid() && isAddressScheme(address.scheme()))
        return address;
    return QUrl::fromLocalFile(QFileInfo(localPath(file)).absoluteFilePath());
}
