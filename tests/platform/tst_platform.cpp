#include "DesktopShellOpener.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "RecordingShellOpener.h"
#include "SaveFileOutput.h"
#include "ViewerCommand.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <clocale>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

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

// What protects a file: its owner, group, mode, links and every extended
// attribute, access control lists among them.
QByteArray protection(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return "missing";
    QByteArray kept = QString::asprintf("%o %u %u %lu", status.st_mode, status.st_uid,
                                        status.st_gid, static_cast<ulong>(status.st_nlink))
                          .toUtf8();
    QByteArray names(1 << 16, '\0');
    QList<QByteArray> attributes
        = names
              .first(
                  std::max<ssize_t>(::listxattr(name.constData(), names.data(), names.size()), 0))
              .split('\0');
    std::ranges::sort(attributes);
    for (const QByteArray &attribute : attributes) {
        QByteArray value(1 << 16, '\0');
        const ssize_t size
            = ::getxattr(name.constData(), attribute.constData(), value.data(), value.size());
        kept += ' ' + attribute + '=' + value.first(std::max<ssize_t>(size, 0)).toHex();
    }
    return kept;
}

// Makes what stands at the path beforehand: by commands run in the folder,
// where a row's commands fail here the row is skipped; or a FIFO whose
// reader opens it before the writer comes and reads all, or goes after ten
// bytes; or a file to replace under a limit of 500 bytes a file.
std::future<QByteArray> prepare(const QString &setup, const QString &first, QString &unable)
{
    const QByteArray name = QFile::encodeName(first);
    if (setup.startsWith("sh: "_L1)) {
        QProcess shell;
        shell.start(u"sh"_s, {u"-c"_s, setup.sliced(4)});
        if (!shell.waitForFinished() || shell.exitCode() != 0)
            unable = u"%1 "_s.arg(shell.exitCode())
                     + QString::fromLocal8Bit(shell.readAllStandardError());
    }
    const rlimit fileLimit{500, 500};
    if (setup == "size limit"_L1 && writeFile(first, QByteArray(5000, 'o'))
        && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR)
        setrlimit(RLIMIT_FSIZE, &fileLimit);
    if (!setup.endsWith("reader"_L1))
        return {};
    mkfifo(name.constData(), 0600);
    // As the program does, so that the write fails instead of ending the test.
    std::signal(SIGPIPE, SIG_IGN);
    const int fifo = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
    const qsizetype limit = setup == "reader"_L1 ? 1 << 20 : 10;
    return std::async(std::launch::async, [fifo, limit] {
        QByteArray data(limit, '\0');
        pollfd readable{fifo, POLLIN, 0};
        qsizetype size = 0;
        ssize_t length = 1;
        while (size < limit && length > 0 && poll(&readable, 1, 10'000) > 0) {
            length = read(fifo, data.data() + size, limit - size);
            size += std::max<ssize_t>(length, 0);
        }
        close(fifo);
        return data.first(size);
    });
}

} // namespace

// Writes documents where the rows of tests/data/file-output.rows say and
// opens them as the desktop would; also catches what would go to the
// desktop's opener.
class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replacesOrRefuses_data()
    {
        addTestRows(u"file-output.rows"_s, {"setup", "user", "path", "document", "failure"});
    }

    // The program lives on; a refused document leaves the folder exactly as
    // it was, and only a written one is opened. What protected a replaced
    // file still does, and a new file is made as any new file is.
    void replacesOrRefuses()
    {
        if (!qEnvironmentVariableIsSet("FOLVAR_ROW_ALONE"))
            QSKIP("Each row runs as a test of its own.");
        QFETCH(QString, setup);
        QFETCH(QString, user);
        QFETCH(QString, path);
        QFETCH(QString, document);
        QFETCH(QString, failure);
        if (!user.isEmpty() && geteuid() != 0)
            QSKIP("Only root can write as another user.");
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
        qputenv("HOME", QFile::encodeName(folder.path()));
        const auto cleanUp = qScopeGuard([] {
            QVERIFY(seteuid(0) == 0 || geteuid() != 0);
            QProcess::execute(u"sh"_s, {u"-c"_s, u"chattr -R -i . ; umount small; true"_s});
        });
        QString unable;
        std::future<QByteArray> reader = prepare(setup, path.section(u'/', 0, 0), unable);
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
        // More than a pipe holds, so the writer is still writing when the reader goes.
        if (setup == "leaving reader"_L1)
            form.texts[u"Text1"_s] = QString(200'000, u'Ж');
        SaveFileOutput output;
        RecordingShellOpener shell;
        QVERIFY(user.isEmpty() || (setegid(65534) == 0 && seteuid(65534) == 0));

        const GenerateResult result = GenerateCommand(output, shell).run(form);

        // A new file is compared with one made beside it as any file is.
        const QString touched = QFileInfo(documents.value(0)).path() + u"/touched"_s;
        const bool isNew = kept.contains("missing");
        QVERIFY(!isNew || writeFile(touched, {}));
        QVERIFY(seteuid(0) == 0 || geteuid() != 0);
        QVERIFY2(failure.isEmpty() ? result.error.isEmpty() : result.error.contains(failure),
                 qPrintable(result.error));
        QCOMPARE(shell.documents.size(), failure.isEmpty() ? 1 : 0);
        if (reader.valid())
            QCOMPARE(reader.get(), failure.isEmpty() ? testData(u"start.doc.ref"_s)
                                                     : "\xC4\xCE\xC2\xC5\xD0\xC5\xCD\xCD\xCE\xD1");
        for (qsizetype index = 0; index < documents.size(); ++index) {
            QCOMPARE(readFile(documents[index]), testData(u"start.doc.ref"_s));
            QCOMPARE(protection(documents[index]),
                     kept[index] == "missing" ? protection(touched) : kept[index]);
            expected[documents[index]] = testData(u"start.doc.ref"_s);
        }
        QVERIFY(!isNew || QFile::remove(touched));
        QCOMPARE(snapshot(folder.path()), expected);
    }

    void tellsEachViewerTheEncoding()
    {
        const QString file = u"/tmp/a b/-Доверенность #1 100%.doc"_s;
        for (const QStringList &expected : testRows(u"viewers"_s)) {
            const std::optional<ViewerCommand> command
                = ViewerCommand::forApplication(expected[0], file);
            QCOMPARE(command ? QStringList(command->program) + command->arguments : QStringList(),
                     expected.size() > 1 ? expected + QStringList(file) : QStringList());
        }
        QVERIFY(!ViewerCommand::forApplication(QString(), file));
    }

    void opensThroughTheDesktopDatabase_data()
    {
        addTestRows(u"desktop.rows"_s, {"data", "file", "ends", "started", "handed", "told"});
    }

    // On a desktop of the test's own: a fake "libreoffice" for text and a
    // "viewer" for Word documents in "apps", no application in "none", the
    // system's file types and a fake xdg-open. The desktop's libraries read
    // it only once.
    void opensThroughTheDesktopDatabase()
    {
        if (!qEnvironmentVariableIsSet("FOLVAR_ROW_ALONE"))
            QSKIP("Each row runs as a test of its own.");
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
        form.path = file;
        SaveFileOutput output;
        DesktopShellOpener shell;
        QString notShown;
        connect(&shell, &ShellOpener::documentNotShown, this,
                [&notShown](const QString &document) { notShown = document; });

        QCOMPARE(GenerateReport::text(GenerateCommand(output, shell).run(form)), QString());

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + u"/ended"_s), 10'000);
        QTRY_COMPARE(notShown, told.arg(folder));
        QTest::qWait(100);
        QCOMPARE(notShown, told.arg(folder));
        QCOMPARE(readFile(folder + u"/libreoffice"_s), started.arg(folder).toUtf8());
        QCOMPARE(readFile(folder + u"/xdg-open"_s), handed.arg(folder).toUtf8());
        QVERIFY(!QFile::exists(folder + u"/viewer"_s));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
