#include "KeyValueLines.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString buildDir = QStringLiteral(FOLVAR_BUILD_DIR);
const QList<int> iconSizes{16, 22, 24, 32, 48, 64, 128, 256};

QString iconPath(int size)
{
    return u"share/icons/hicolor/%1x%1/apps/folvar.png"_s.arg(size);
}

QHash<QString, QString> desktopEntry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QString> keys;
    for (const auto &[key, value] : keyValueLines(file.readAll()))
        keys.insert(key, value);
    return keys;
}

} // namespace

// Installs the program as a user or the Debian package would, without
// touching this machine's own system folders.
class TestInstallation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void installsAProgramTheDesktopKnows();
    void buildsADebianPackage();
};

void TestInstallation::installsAProgramTheDesktopKnows()
{
    QTemporaryDir prefix;
    ToolRun run = ToolRun::of(u"cmake"_s, {u"--install"_s, buildDir, u"--prefix"_s, prefix.path()});
    QVERIFY2(run.succeeded, run.output.constData());

    const QDir tree(prefix.path());
    QVERIFY(QFileInfo(tree.filePath(u"bin/folvar"_s)).isExecutable());
    for (int size : iconSizes) {
        QImageReader icon(tree.filePath(iconPath(size)));
        QCOMPARE(icon.size(), QSize(size, size));
    }

    const QString entry = tree.filePath(u"share/applications/folvar.desktop"_s);
    run = ToolRun::of(u"desktop-file-validate"_s, {entry});
    QVERIFY2(run.succeeded && run.output.isEmpty(), run.output.constData());
    const QHash<QString, QString> desktop = desktopEntry(entry);
    QCOMPARE(desktop.value(u"Name"_s), u"folvar"_s);
    QCOMPARE(desktop.value(u"Exec"_s), u"folvar"_s);
    QCOMPARE(desktop.value(u"Icon"_s), u"folvar"_s);
    QCOMPARE(desktop.value(u"Categories"_s), u"Office;"_s);
    QVERIFY(desktop.value(u"Comment"_s).contains(u"доверенность"_s));

    const QString metainfo = tree.filePath(u"share/metainfo/example.folvar.Folvar.metainfo.xml"_s);
    run = ToolRun::of(u"appstreamcli"_s, {u"validate"_s, u"--no-net"_s, metainfo});
    QVERIFY2(run.succeeded, run.output.constData());
}

void TestInstallation::buildsADebianPackage()
{
    QTemporaryDir out;
    ToolRun run
        = ToolRun::of(u"cpack"_s, {u"-G"_s, u"DEB"_s, u"--config"_s,
                                   buildDir + u"/CPackConfig.cmake"_s, u"-B"_s, out.path()});
    QVERIFY2(run.succeeded, run.output.constData());
    const QStringList packages = QDir(out.path()).entryList({u"*.deb"_s});
    QCOMPARE(packages.size(), 1);
    const QString package = out.filePath(packages.first());

    run = ToolRun::of(u"dpkg-deb"_s, {u"-c"_s, package});
    QVERIFY(run.succeeded);
    QVERIFY(run.output.contains("./usr/bin/folvar\n"));
    QVERIFY(run.output.contains("./usr/share/applications/folvar.desktop\n"));
    QVERIFY(run.output.contains("./usr/share/icons/hicolor/48x48/apps/folvar.png\n"));
    QVERIFY(run.output.contains("./usr/share/metainfo/example.folvar.Folvar.metainfo.xml\n"));

    run = ToolRun::of(u"dpkg-deb"_s, {u"-I"_s, package});
    QVERIFY(run.succeeded);
    const qsizetype depends = run.output.indexOf(" Depends: ");
    QVERIFY(depends >= 0);
    const QByteArray dependencies
        = run.output.mid(depends, run.output.indexOf('\n', depends) - depends);
    QVERIFY2(dependencies.contains("xdg-utils"), dependencies.constData());
    QVERIFY2(dependencies.contains("libqt6widgets6"), dependencies.constData());
}

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
