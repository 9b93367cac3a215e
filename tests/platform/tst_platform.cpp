// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Generate.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "RecordingShellOpener.h"
#include "SystemCases.h"
#include "SystemServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
// shellapi.h needs the types of windows.h.
#include <shellapi.h>
#endif

#include <clocale>
#include <memory>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every entry below a folder, links not followed: a file by its bytes, a
// link by its target.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator entry(folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (entry.hasNext()) {
        const QFileInfo file = entry.nextFileInfo();
        entries.insert(QDir(folder).relativeFilePath(file.filePath()),
                       file.isSymLink() ? file.symLinkTarget().toUtf8()
                       : file.isFile()  ? readFile(file.filePath())
                                        : "node");
    }
    return entries;
}

#ifdef Q_OS_WIN
// ReplaceFileW as Windows documents its answers, call after call: 0 replaces,
// 1177 leaves the old file under the backup name and the new one under its
// own, any other changes nothing. MoveFileExW, whose first failingMoves calls
// fail, as for a moment or for good; DeleteFileW, whose first failingRemoves
// calls fail for a moment; GetFinalPathNameByHandleW, naming the drive C: as
// finalPrefix; and the pauses between tries, counted.
QList<DWORD> replaceAnswers;
int replaces = 0;
int failingMoves = 0;
DWORD moveFailure = ERROR_WRITE_PROTECT;
int failingRemoves = 0;
QString finalPrefix;
std::atomic<int> pauses = 0;

BOOL WINAPI answerReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                          LPVOID, LPVOID)
{
    ++replaces;
    const DWORD answer = replaceAnswers.isEmpty() ? 0 : replaceAnswers.takeFirst();
    if (answer == 0)
        return ReplaceFileW(replaced, replacement, backup, flags, nullptr, nullptr);
    if (answer == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        MoveFileW(replaced, backup);
    SetLastError(answer);
    return FALSE;
}

BOOL WINAPI answerMove(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    if (failingMoves-- <= 0)
        return MoveFileExW(from, to, flags);
    SetLastError(moveFailure);
    return FALSE;
}

BOOL WINAPI answerRemove(LPCWSTR path)
{
    if (failingRemoves-- <= 0)
        return DeleteFileW(path);
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
}

DWORD WINAPI answerFinalName(HANDLE handle, LPWSTR name, DWORD length, DWORD flags)
{
    const DWORD got = GetFinalPathNameByHandleW(handle, name, length, flags);
    if (finalPrefix.isEmpty() || got < 6 || got >= length)
        return got;
    const QString given = finalPrefix + QString::fromWCharArray(name + 6, got - 6);
    if (given.size() >= qsizetype(length))
        return DWORD(given.size() + 1);
    name[given.toWCharArray(name)] = L'\0';
    return DWORD(given.size());
}

// ShellExecuteW, which answers the next call with shellAnswer where one is set.
INT_PTR shellAnswer = 0;

void *__stdcall answerShell(void *owner, const wchar_t *verb, const wchar_t *file,
                            const wchar_t *parameters, const wchar_t *folder, int show)
{
    // An error is a number in the form of a handle.
    if (const INT_PTR answer = std::exchange(shellAnswer, 0))
        return reinterpret_cast<void *>(answer); // NOLINT(performance-no-int-to-ptr)
    return ShellExecuteW(static_cast<HWND>(owner), verb, file, parameters, folder, show);
}

void WINAPI answerPause(DWORD milliseconds)
{
    ++pauses;
    Sleep(milliseconds);
}
#endif

} // namespace

// Writes documents where the rows of tests/data/file-output.rows say and
// opens them as the system would, Linux's desktop or Windows; also catches
// what would go to the system's opener.
class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { SystemServices::prepareProcess(); }

    void init()
    {
        if (QTest::currentDataTag() && !qEnvironmentVariableIsSet("FOLVAR_ROW_ALONE"))
            QSKIP("Each row runs as a test of its own.");
    }

    void replacesOrRefuses_data()
    {
        addTestRows(u"file-output.rows"_s,
                    {"setup", "user", "path", "document", "failure", "onWindows"});
    }

    // The program lives on; a refused document leaves the folder exactly as
    // it was, and only a written one is opened. What protected a replaced
    // file still does, and a new file is made as any new file is.
    void replacesOrRefuses()
    {
        QFETCH(QString, setup);
        QFETCH(QString, user);
        QFETCH(QString, path);
        QFETCH(QString, document);
        QFETCH(QString, failure);
        QFETCH(QString, onWindows);
        const int windowsCode = onWindows.toInt();
        if (isWindows && windowsCode == 0 && !onWindows.isEmpty())
            QSKIP(qPrintable(onWindows));
        if (isWindows && windowsCode != 0)
            failure = qt_error_string(windowsCode);
        QTemporaryDir folder;
        failure.replace(u"%1"_s, folder.path());
        // Windows takes a relative path from Documents; these rows mean the test's folder.
        if (isWindows && !path.trimmed().isEmpty() && QDir::isRelativePath(path))
            path = QDir::toNativeSeparators(folder.filePath(path));

        QDir::setCurrent(folder.path());
        qputenv("HOME", QFile::encodeName(folder.path()));
        const auto cleanUp = qScopeGuard([] {
            QVERIFY(actAs({}));
            runShell(
                u"chattr -R -i . ; umount avto.doc small; [ ! -e .sysctl ] || sysctl -q -p .sysctl; true"_s);
            // Windows keeps the current folder from being removed.
            QDir::setCurrent(QDir::tempPath());
        });
        const bool racing = setup.startsWith("100 times, "_L1);
        setup.remove(u"100 times, "_s);
        // A reader that leaves while the writer still writes a document longer than a pipe holds.
        const bool leaving = setup == "leaving reader"_L1;
        if (leaving)
            setup = u"sh: mkfifo pipe && exec 3<>pipe && { head -c 10 <&3 >/dev/null & }"_s;
        if (setup == "no home"_L1)
            qputenv("HOME", "");
        const QString unable = setup.startsWith("sh: "_L1) ? runShell(setup.sliced(4)) : QString();
        if (!unable.isEmpty())
            QSKIP(qPrintable(u"This system cannot set the case up: "_s + unable));
        // Where a row made a locale, the C library's words in Russian and in Windows-1251.
        if (QDir(u"locale"_s).exists()) {
            qputenv("LOCPATH", QFile::encodeName(folder.filePath(u"locale"_s)));
            QVERIFY(std::setlocale(LC_ALL, "ru_RU.CP1251"));
        }
        const QStringList documents = document.split(u' ', Qt::SkipEmptyParts);
        QByteArrayList kept;
        for (const QString &name : documents)
            kept.append(protection(name));
        QMap<QString, QByteArray> expected = snapshot(folder.path());
        MapForm form;
        form.path = path;
        if (leaving)
            form.texts[u"Text1"_s] = QString(200'000, u'Ж');
        SystemDocumentFile output;
        RecordingShellOpener shell;
        if (!actAs(user))
            QSKIP("Only root can write as another user.");

        const QStringList race{u"shared/.go"_s, u"shared/.racing"_s, u"shared/.stopped"_s};
        QVERIFY(!racing || QFile(race[0]).open(QIODevice::WriteOnly));
        QTRY_VERIFY(!racing || QFile::exists(race[1]));
        // A refused document is tried again: a second failure in a row closes
        // nothing of the program's own, such as its input.
        const bool inputOpen = QFileInfo::exists(u"/proc/self/fd/0"_s);
        const GenerateResult result = generate(output, shell, form);
        for (int time = 1; time < (racing ? 100 : 2) && result.outcome == Outcome::NotWritten;
             ++time)
            QCOMPARE(generate(output, shell, form).outcome, Outcome::NotWritten);
        QCOMPARE(QFileInfo::exists(u"/proc/self/fd/0"_s), inputOpen);

        // A new file is compared with one made beside it as any file is.
        const QString touched = QFileInfo(documents.value(0)).path() + u"/touched"_s;
        const bool isNew = kept.contains("missing");
        QVERIFY(!isNew || QFile(touched).open(QIODevice::WriteOnly));
        QVERIFY(actAs({}));
        QCOMPARE(result.outcome, failure.isEmpty() ? Outcome::Written : Outcome::NotWritten);
        QVERIFY2(GenerateReport::text(result).contains(failure), qPrintable(result.reason));
        // A FIFO or pipe is handed to no viewer, which would read nothing or hang.
        QCOMPARE(shell.documents.size(),
                 failure.isEmpty() && QFileInfo(result.location).isFile() ? 1 : 0);
        // The viewer is handed the file written, its links and ".." followed.
        for (const DocumentViewer &shown : std::as_const(shell.documents))
            QVERIFY(isWindows || shown.file == QFileInfo(shown.file).canonicalFilePath());
        for (qsizetype index = 0; index < documents.size(); ++index) {
            // A FIFO's reader may still be writing down what it read.
            QTRY_COMPARE(readFile(documents[index]), testData(u"start.doc.ref"_s));
            QCOMPARE(protection(documents[index]),
                     kept[index] == "missing" ? protection(touched) : kept[index]);
            expected[documents[index]] = testData(u"start.doc.ref"_s);
        }
        QVERIFY(!isNew || QFile::remove(touched));
        QTRY_VERIFY_WITH_TIMEOUT(!racing || QFile::exists(race[2]), 10'000);
        for (const QString &mark : race)
            QVERIFY(!racing || QFile::remove(mark));
        // Wine shows a link as the file it leads to; the link itself must stay.
        if (isWindows && setup.contains("ln -s"_L1)) {
            QCOMPARE(runShell(u"test -L "_s + QFileInfo(path).fileName()), QString());
            expected[QFileInfo(path).fileName()] = testData(u"start.doc.ref"_s);
        }
        QCOMPARE(snapshot(folder.path()), expected);
    }

    void opensThroughTheDesktopDatabase_data()
    {
        addTestRows(u"desktop.rows"_s, {"data", "file", "ends", "started", "handed", "told"});
    }

    // On a desktop of the test's own: fake applications for several types in
    // "apps", a LibreOffice that cannot start in "stale", no application in
    // "none", the system's file types and a fake xdg-open. A path typed as
    // "link -> target" is a link made first. The desktop's
    // libraries read it only once.
    void opensThroughTheDesktopDatabase()
    {
        if (isWindows)
            QSKIP("Windows has no desktop database: it opens files through associations.");
        QFETCH(QString, data);
        QFETCH(QString, file);
        QFETCH(QString, ends);
        QFETCH(QString, started);
        QFETCH(QString, handed);
        QFETCH(QString, told);
        const QString desktop = QStringLiteral(FOLVAR_TEST_DATA "/desktop/");
        QTemporaryDir home;
        const QString folder = home.path();
        QVERIFY(QFile::link(u"/usr/share/mime"_s, folder + u"/mime"_s));
        for (const QString &variable :
             {u"HOME="_s + folder, u"PATH="_s + desktop + u"bin:/usr/bin:/bin"_s,
              u"XDG_DATA_DIRS="_s + desktop + data + u':' + folder, u"XDG_DATA_HOME="_s + folder,
              u"XDG_CONFIG_HOME="_s + desktop + u"config"_s, u"XDG_CONFIG_DIRS="_s + folder,
              u"XDG_CURRENT_DESKTOP="_s, u"FOLVAR_FAKE_END="_s + ends})
            qputenv(qPrintable(variable.section(u'=', 0, 0)), variable.section(u'=', 1).toUtf8());
        QDir::setCurrent(folder);
        MapForm form;
        form.path = file.section(u" -> "_s, 0, 0);
        QVERIFY(!file.contains(u" -> "_s) || QFile::link(file.section(u" -> "_s, 1), form.path));
        SystemDocumentFile output;
        SystemShellOpener shell;
        QString notShown;
        connect(&shell, &ShellOpener::documentNotShown, this,
                [&notShown](const QString &document) { notShown = document; });

        QCOMPARE(GenerateReport::text(generate(output, shell, form)), QString());

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + u"/ended"_s), 10'000);
        QTRY_COMPARE(notShown, told.arg(folder));
        QTest::qWait(100);
        QCOMPARE(notShown, told.arg(folder));
        QCOMPARE(readFile(folder + u"/started"_s), started.arg(folder).toUtf8());
        QCOMPARE(readFile(folder + u"/xdg-open"_s), handed.arg(folder).toUtf8());
    }

    void opensAsWindowsDoes_data()
    {
        addTestRows(u"windows.rows"_s, {"path", "noted", "told", "second"});
    }

    // In a Wine prefix where ".recorded" files open with the tests' recorder
    // and R:\ takes no new file. Each row writes its document twice, the
    // second time over the first. Where the second is refused, the first
    // stays whole at the path or, where nothing could be put back, beside
    // it, named in the message; nothing else is left, and the next click,
    // once another program lets go, writes it.
    void opensAsWindowsDoes()
    {
#ifdef Q_OS_WIN
        QFETCH(QString, path);
        QFETCH(QString, noted);
        QFETCH(QString, told);
        QFETCH(QString, second);
        const QString recorder = QCoreApplication::applicationDirPath() + u"/recorder.exe"_s;
        QSettings classes(u"HKEY_CLASSES_ROOT"_s, QSettings::NativeFormat);
        classes.setValue(u".recorded/."_s, u"folvar.recorded"_s);
        classes.setValue(u"folvar.recorded/shell/open/command/."_s,
                         u'"' + QDir::toNativeSeparators(recorder) + u"\" \"%1\""_s);
        QTemporaryDir folder;
        const QString documents = QDir::toNativeSeparators(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        const QString here = QDir::toNativeSeparators(folder.path());
        const auto placed
            = [&](QString text) { return text.replace(u"%1"_s, here).replace(u"%2"_s, documents); };
        const QString record = folder.filePath(u"noted"_s);
        qputenv("FOLVAR_RECORD", QDir::toNativeSeparators(record).toUtf8());
        MapForm form;
        form.path = placed(path);
        WindowsDocumentFile output(WindowsFileCalls{answerReplace, answerMove, answerFinalName,
                                                    answerRemove, answerPause});
        WindowsShellOpener shell(answerShell);
        generate(output, shell, form);
        const QString answers = second.section(u',', 0, 0);
        for (const QString &answer : answers.split(u' ').mid(1))
            replaceAnswers.append(answers.startsWith("replace"_L1) ? answer.toULong() : 0);
        finalPrefix = answers.startsWith("named"_L1) ? answers.sliced(6) : QString();
        const QString moves = second.section(u", "_s, 1);
        failingMoves = moves.section(u' ', 0, 0).toInt();
        moveFailure = moves.endsWith("held"_L1) ? ERROR_SHARING_VIOLATION : ERROR_WRITE_PROTECT;
        failingRemoves = second == "backup stays"_L1 ? 10 : 0;
        shellAnswer = answers.startsWith("shell"_L1) ? answers.sliced(6).toInt() : 0;
        pauses = replaces = 0;
        // Held as a program that shows the document holds it: others may read it, not write it.
        std::unique_ptr<void, BOOL(WINAPI *)(HANDLE)> holder(
            second.startsWith("held"_L1)
                ? CreateFileW(qUtf16Printable(form.path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr)
                : nullptr,
            CloseHandle);
        // Let go once the retries are seen to begin.
        std::jthread letGo([&holder, &second] {
            for (QDeadlineTimer wait(5'000);
                 second == "held for a moment"_L1 && pauses == 0 && !wait.hasExpired();)
                QThread::msleep(10);
            if (second == "held for a moment"_L1)
                holder.reset();
        });

        const QString message = GenerateReport::text(generate(output, shell, form));

        QVERIFY2(told.isEmpty() ? message.isEmpty() : message.startsWith(placed(told)),
                 qPrintable(message));
        // Named through a drive mapping, the document is still replaced whole.
        QVERIFY(finalPrefix.isEmpty() || replaces == 1);
        if (!second.isEmpty() && !told.isEmpty()) {
            const auto left = QDir(here).entryList({u".folvar-*"_s}, QDir::Files | QDir::Hidden);
            QVERIFY(readFile(form.path) == testData(u"start.doc.ref"_s) || left.size() == 2);
            for (const QString &name : left)
                QVERIFY(message.contains(here + u'\\' + name)
                        && readFile(folder.filePath(name)) == testData(u"start.doc.ref"_s));
            holder.reset();
            QCOMPARE(GenerateReport::text(generate(output, shell, form)), QString());
        }
        if (!noted.isEmpty()) {
            QTRY_COMPARE(readFile(record), placed(noted).toUtf8());
            QCOMPARE(readFile(placed(noted).section(u'\n', 0, 0)), testData(u"start.doc.ref"_s));
        }
#else
        QSKIP("Associations and drive letters are Windows's own.");
#endif
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
