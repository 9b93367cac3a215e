#include "ToolRun.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Cross-compiles the Windows shell backend and the icon resource with
// MinGW-w64, so a broken Windows path fails here. Nothing is run.
class TestWindowsBuild : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void crossCompilesTheShellAndTheIcon();
};

// The shell is given UTF-16 strings, so no path depends on the code page.
void TestWindowsBuild::crossCompilesTheShellAndTheIcon()
{
    const QString source = QStringLiteral(FOLVAR_SOURCE_DIR);
    QTemporaryDir dir;
    const QString resource = dir.filePath(u"folvar.res.o"_s);
    ToolRun run = ToolRun::of(u"x86_64-w64-mingw32-windres"_s,
                              {u"-I"_s + source + u"/resources"_s,
                               source + u"/resources/folvar.rc"_s, u"-o"_s, resource});
    QVERIFY2(run.succeeded, run.output.constData());
    const QString executable = dir.filePath(u"driver.exe"_s);
    run = ToolRun::of(u"x86_64-w64-mingw32-g++"_s,
                      {u"-std=c++20"_s, u"-Wall"_s, u"-Wextra"_s, u"-Werror"_s,
                       u"-I"_s + source + u"/platform/windows"_s,
                       source + u"/platform/windows/WindowsShell.cpp"_s,
                       source + u"/tests/packaging/windows_shell_driver.cpp"_s, resource, u"-o"_s,
                       executable, u"-lshell32"_s, u"-luser32"_s});
    QVERIFY2(run.succeeded, run.output.constData());
    run = ToolRun::of(u"x86_64-w64-mingw32-objdump"_s, {u"-p"_s, u"-h"_s, executable});
    QVERIFY(run.output.contains("ShellExecuteW") && run.output.contains("GetDesktopWindow"));
    QVERIFY(!run.output.contains("ShellExecuteA") && run.output.contains(".rsrc"));
}

QTEST_GUILESS_MAIN(TestWindowsBuild)
#include "tst_windowsbuild.moc"
