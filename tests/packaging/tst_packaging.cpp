#include "TestFiles.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a tool wrote to its standard output; its errors go to the test's log.
QByteArray printed(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(program, arguments);
    tool.waitForFinished(240'000);
    return tool.readAllStandardOutput();
}

} // namespace

// Packages the program as Debian would and unpacks it where this machine's
// own system folders are not touched; cross-compiles the Windows shell calls
// and the icon so that a broken Windows path fails here. Nothing runs them.
class TestPackaging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void packagesAProgramTheDesktopKnows()
    {
        QTemporaryDir out;
        QCOMPARE(
            QProcess::execute(u"cpack"_s, {u"-G"_s, u"DEB"_s, u"-B"_s, out.path(), u"--config"_s,
                                           QStringLiteral(FOLVAR_BUILD_DIR "/CPackConfig.cmake")}),
            0);
        const QString package = out.filePath(QDir(out.path()).entryList({u"*.deb"_s}).value(0));
        const QByteArray depends = printed(u"dpkg-deb"_s, {u"--field"_s, package, u"Depends"_s});
        QVERIFY2(depends.contains("xdg-utils") && depends.contains("libqt6widgets6"), depends);
        QCOMPARE(QProcess::execute(u"dpkg-deb"_s, {u"-x"_s, package, out.path()}), 0);
        const QDir tree(out.filePath(u"usr/share"_s));
        QVERIFY(QFileInfo(out.filePath(u"usr/bin/folvar"_s)).isExecutable());
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QCOMPARE(QImageReader(tree.filePath(u"icons/hicolor/%1x%1/apps/folvar.png"_s.arg(size)))
                         .size(),
                     QSize(size, size));
        const QString entry = tree.filePath(u"applications/folvar.desktop"_s);
        QCOMPARE(printed(u"desktop-file-validate"_s, {entry}), QByteArray());
        QVERIFY(readFile(entry).contains("\nExec=folvar\nIcon=folvar\n"));
        QCOMPARE(
            QProcess::execute(u"appstreamcli"_s,
                              {u"validate"_s, u"--no-net"_s,
                               tree.filePath(u"metainfo/example.folvar.Folvar.metainfo.xml"_s)}),
            0);
    }

    // The shell is given UTF-16 strings, so no path depends on the code page.
    void crossCompilesTheShellAndTheIcon()
    {
        const QString source = QStringLiteral(FOLVAR_SOURCE_DIR);
        QTemporaryDir dir;
        const QString resource = dir.filePath(u"folvar.res.o"_s);
        QCOMPARE(QProcess::execute(u"x86_64-w64-mingw32-windres"_s,
                                   {u"-I"_s + source + u"/resources"_s,
                                    source + u"/resources/folvar.rc"_s, u"-o"_s, resource}),
                 0);
        const QString executable = dir.filePath(u"driver.exe"_s);
        QCOMPARE(QProcess::execute(u"x86_64-w64-mingw32-g++"_s,
                                   {u"-std=c++20"_s, u"-Wall"_s, u"-Wextra"_s, u"-Werror"_s,
                                    u"-I"_s + source + u"/platform/windows"_s,
                                    source + u"/platform/windows/WindowsShell.cpp"_s,
                                    source + u"/tests/packaging/windows_shell_driver.cpp"_s,
                                    resource, u"-o"_s, executable, u"-lshell32"_s, u"-luser32"_s}),
                 0);
        const QByteArray imports
            = printed(u"x86_64-w64-mingw32-objdump"_s, {u"-p"_s, u"-h"_s, executable});
        QVERIFY(imports.contains("ShellExecuteW") && imports.contains("GetDesktopWindow"));
        QVERIFY(!imports.contains("ShellExecuteA") && imports.contains(".rsrc"));
    }
};

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_packaging.moc"
