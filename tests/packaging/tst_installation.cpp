#include "KeyValueLines.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

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
    const QDir tree(prefix.path());
    ToolRun run = ToolRun::of(u"cmake"_s, {u"--install"_s, QStringLiteral(FOLVAR_BUILD_DIR),
                                           u"--prefix"_s, prefix.path()});
    QVERIFY2(run.succeeded, run.output.constData());
    QVERIFY(QFileInfo(tree.filePath(u"bin/folvar"_s)).isExecutable());
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString icon = u"share/icons/hicolor/%1x%1/apps/folvar.png"_s.arg(size);
        QCOMPARE(QImageReader(tree.filePath(icon)).size(), QSize(size, size));
    }
    const QString entry = tree.filePath(u"share/applications/folvar.desktop"_s);
    run = ToolRun::of(u"desktop-file-validate"_s, {entry});
    QVERIFY2(run.succeeded && run.output.isEmpty(), run.output.constData());
    const auto keys = keyValueLines(readFile(entry));
    QVERIFY(keys.contains({u"Exec"_s, u"folvar"_s}) && keys.contains({u"Icon"_s, u"folvar"_s}));
    run = ToolRun::of(u"appstreamcli"_s,
                      {u"validate"_s, u"--no-net"_s,
                       tree.filePath(u"share/metainfo/example.folvar.Folvar.metainfo.xml"_s)});
    QVERIFY2(run.succeeded, run.output.constData());
}

void TestInstallation::buildsADebianPackage()
{
    QTemporaryDir out;
    ToolRun run = ToolRun::of(u"cpack"_s, {u"-G"_s, u"DEB"_s, u"--config"_s,
                                           QStringLiteral(FOLVAR_BUILD_DIR "/CPackConfig.cmake"),
                                           u"-B"_s, out.path()});
    QVERIFY2(run.succeeded, run.output.constData());
    const QString package = out.filePath(QDir(out.path()).entryList({u"*.deb"_s}).value(0));
    run = ToolRun::of(u"dpkg-deb"_s, {u"-c"_s, package});
    for (const char *file :
         {"bin/folvar\n", "applications/folvar.desktop\n", "hicolor/48x48/apps/folvar.png\n",
          "metainfo/example.folvar.Folvar.metainfo.xml\n"})
        QVERIFY2(run.output.contains(file), file);
    run = ToolRun::of(u"dpkg-deb"_s, {u"--field"_s, package, u"Depends"_s});
    QVERIFY2(run.output.contains("xdg-utils") && run.output.contains("libqt6widgets6"),
             run.output.constData());
}

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
