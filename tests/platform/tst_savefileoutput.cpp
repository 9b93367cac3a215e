#include "Alone.h"
#include "GenerateCommand.h"
#include "MapForm.h"
#include "RecordingShellOpener.h"
#include "SaveFileOutput.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <array>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// What stands at the first part of the row's path before generating.
enum class Setup {
    Nothing,
    OldFile,
    Folder,
    Link,
    LinkLoop,
    Fifo,
    Reader,
    LeavingReader,
    SizeLimit
};

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Every entry of a folder: a file by its bytes, a link by its target.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden
                                                             | QDir::System | QDir::NoDotAndDotDot))
        entries.insert(entry.fileName(), entry.isSymLink() ? entry.symLinkTarget().toUtf8()
                                         : entry.isFile()  ? readFile(entry.filePath())
                                                           : "node");
    return entries;
}

// Sets up the first part of the path; a reader of a FIFO opens it before
// the writer comes and reads all, or goes after ten bytes.
std::future<QByteArray> prepare(Setup setup, const QString &first)
{
    const QByteArray name = QFile::encodeName(first);
    if (setup == Setup::OldFile || setup == Setup::SizeLimit)
        writeFile(first, QByteArray(5000, 'o'));
    if (setup == Setup::Folder)
        QDir().mkdir(first);
    if (setup == Setup::Link && writeFile(u"target.doc"_s, "old"))
        symlink("target.doc", name.constData());
    if (setup == Setup::LinkLoop)
        symlink(name.constData(), name.constData());
    if (setup == Setup::Fifo || setup == Setup::Reader || setup == Setup::LeavingReader)
        mkfifo(name.constData(), 0600);
    if (setup != Setup::Reader && setup != Setup::LeavingReader)
        return {};
    const int fifo = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
    const qsizetype limit = setup == Setup::Reader ? 1 << 20 : 10;
    return std::async(std::launch::async, [fifo, limit] {
        QByteArray data;
        pollfd readable{fifo, POLLIN, 0};
        std::array<char, 4096> buffer{};
        ssize_t length = 1;
        while (data.size() < limit && length > 0 && poll(&readable, 1, 10'000) > 0) {
            length = read(fifo, buffer.data(), std::min<qsizetype>(buffer.size(), limit));
            data.append(buffer.data(), std::max<ssize_t>(length, 0));
        }
        close(fifo);
        return data;
    });
}

} // namespace

class TestSaveFileOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replacesOrRefuses_data();
    void replacesOrRefuses();
};

void TestSaveFileOutput::replacesOrRefuses_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("path");
    // Where the document must be afterwards, or why it was not written.
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("failure");

    using enum Setup;
    const QString name255 = QString(251, u'n') + u".doc"_s;
    QTest::newRow("new file") << Nothing << u"avto.doc"_s << u"avto.doc"_s << QString();
    QTest::newRow("longer old file") << OldFile << u"avto.doc"_s << u"avto.doc"_s << QString();
    QTest::newRow("255-byte name") << OldFile << name255 << name255 << QString();
    QTest::newRow("drive path") << Nothing << u"C:\\avto.txt"_s << u"avto.txt"_s << QString();
    QTest::newRow("link") << Link << u"avto.doc"_s << u"target.doc"_s << QString();
    QTest::newRow("FIFO with a reader") << Reader << u"pipe"_s << QString() << QString();
    QTest::newRow("missing folder") << Nothing << u"no/avto.doc"_s << QString() << reason(ENOENT);
    QTest::newRow("file as folder") << OldFile << u"old/avto.doc"_s << QString() << reason(ENOTDIR);
    QTest::newRow("folder") << Folder << u"docs"_s << QString() << reason(EISDIR);
    QTest::newRow("drive alone") << Nothing << u"C:"_s << QString() << reason(EISDIR);
    QTest::newRow("256-byte name")
        << Nothing << name255 + u'n' << QString() << reason(ENAMETOOLONG);
    QTest::newRow("link loop") << LinkLoop << u"avto.doc"_s << QString() << reason(ELOOP);
    QTest::newRow("FIFO without a reader") << Fifo << u"pipe"_s << QString() << reason(ENXIO);
    QTest::newRow("FIFO reader leaves") << LeavingReader << u"pipe"_s << QString() << reason(EPIPE);
    QTest::newRow("file size limit") << SizeLimit << u"avto.doc"_s << QString() << reason(EFBIG);
    QTest::newRow("empty path") << Nothing << QString() << QString() << u"имя файла"_s;
    QTest::newRow("line break") << Nothing << u"a\nb.doc"_s << QString() << u"управляющие"_s;
    QTest::newRow("network path") << Nothing << u"\\\\server\\a.doc"_s << QString() << u"сетевые"_s;
}

// Each row runs alone, so that a hang or a signal fails it instead of the
// test. The program lives on; a refused document leaves the folder exactly
// as it was, and only a written one is opened.
void TestSaveFileOutput::replacesOrRefuses()
{
    if (!isAlone())
        return runAlone();
    QFETCH(Setup, setup);
    QFETCH(QString, path);
    QFETCH(QString, document);
    QFETCH(QString, failure);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    qputenv("HOME", QFile::encodeName(folder.path()));
    std::future<QByteArray> reader = prepare(setup, path.section(u'/', 0, 0));
    QMap<QString, QByteArray> expected = snapshot(folder.path());
    const rlimit limit{500, 500};
    if (setup == Setup::SizeLimit && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR)
        setrlimit(RLIMIT_FSIZE, &limit);
    MapForm form;
    form.path = path;
    // More than a pipe holds, so the writer is still writing when the reader goes.
    if (setup == Setup::LeavingReader)
        form.texts[u"Text1"_s] = QString(200'000, u'Ж');
    SaveFileOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    QVERIFY2(failure.isEmpty() ? result.error.isEmpty() : result.error.contains(failure),
             qPrintable(result.error));
    QCOMPARE(shell.documents.size(), failure.isEmpty() ? 1 : 0);
    const QByteArray written = reader.valid() ? reader.get() : readFile(document);
    if (failure.isEmpty())
        QCOMPARE(written, testData(u"start.doc.ref"_s));
    if (failure.isEmpty() && !document.isEmpty())
        expected[document] = written;
    QCOMPARE(snapshot(folder.path()), expected);
}

QTEST_GUILESS_MAIN(TestSaveFileOutput)
#include "tst_savefileoutput.moc"
