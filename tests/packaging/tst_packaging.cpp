#include "TestFiles.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ToolRun
{
    bool succeeded = false;
    QByteArray output;
};

ToolRun run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(240'000);
    return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            process.readAll()};
}

} // namespace

// Packages the program as Debian would and unpacks it where this machine's
// own system folders are not touched; cross-compiles the Windows shell calls
// so that a broken Windows path fails here.
class TestPackaging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void packagesAProgramTheDesktopKnows()
    {
        QTemporaryDir out;
        ToolRun tool = run(u"cpack"_s, {u"-G"_s, u"DEB"_s, u"--config"_s,
                                        QStringLiteral(FOLVAR_BUILD_DIR "/CPackConfig.cmake"),
                                        u"-B"_s, out.path()});
        QVERIFY2(tool.succeeded, tool.output.constData());
        const QString package = out.filePath(QDir(out.path()).entryList({u"*.deb"_s}).value(0));
        tool = run(u"dpkg-deb"_s, {u"--field"_s, package, u"Depends"_s});
        QVERIFY2(tool.output.contains("xdg-utils") && tool.output.contains("libqt6widgets6"),
                 tool.output.constData());
        QVERIFY(run(u"dpkg-deb"_s, {u"-x"_s, package, out.path()}).succeeded);
        const QDir tree(out.filePath(u"usr"_s));
        QVERIFY(QFileInfo(tree.filePath(u"bin/folvar"_s)).isExecutable());
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString icon = u"share/icons/hicolor/%1x%1/apps/folvar.png"_s.arg(size);
            QCOMPARE(QImageReader(tree.filePath(icon)).size(), QSize(size, size));
        }
        const QString entry = tree.filePath(u"share/applications/folvar.desktop"_s);
        tool = run(u"desktop-file-validate"_s, {entry});
        QVERIFY2(tool.succeeded && tool.output.isEmpty(), tool.output.constData());
        QVERIFY(readFile(entry).contains("\nExec=folvar\nIcon=folvar\n"));
        tool = run(u"appstreamcli"_s,
                   {u"validate"_s, u"--no-net"_s,
                    tree.filePath(u"share/metainfo/example.folvar.Folvar.metainfo.xml"_s)});
        QVERIFY2(tool.succeeded, tool.output.constData());
    }

    // The shell is given UTF-16 strings, so no path depends on the code page.
    void crossCompilesTheShellAndTheIcon()
    {
        const QString source = QStringLiteral(FOLVAR_SOURCE_DIR);
        QTemporaryDir dir;
        const QString resource = dir.filePath(u"folvar.res.o"_s);
        ToolRun tool = run(u"x86_64-w64-mingw32-windres"_s,
                           {u"-I"_s + source + u"/resources"_s, source + u"/resources/folvar.rc"_s,
                            u"-o"_s, resource});
        QVERIFY2(tool.succeeded, tool.output.constData());
        const QString executable = dir.filePath(u"driver.exe"_s);
        tool = run(u"x86_64-w64-mingw32-g++"_s,
                   {u"-std=c++20"_s, u"-Wall"_s, u"-Wextra"_s, u"-Werror"_s,
                    u"-I"_s + source + u"/platform/windows"_s,
                    source + u"/platform/windows/WindowsShell.cpp"_s,
                    source + u"/tests/packaging/windows_shell_driver.cpp"_s, resource, u"-o"_s,
                    executable, u"-lshell32"_s, u"-luser32"_s});
        QVERIFY2(tool.succeeded, tool.output.constData());
        tool = run(u"x86_64-w64-mingw32-objdump"_s, {u"-p"_s, u"-h"_s, executable});
        QVERIFY(tool.output.contains("ShellExecuteW") && tool.output.contains("GetDesktopWindow"));
        QVERIFY(!tool.output.contains("ShellExecuteA") && tool.output.contains(".rsrc"));
    }
};

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_packaging.moc"
