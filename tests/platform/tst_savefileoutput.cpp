#include "ChildRun.h"
#include "GenerateCommand.h"
#include "MapForm.h"
#include "RecordingShellOpener.h"
#include "SaveFileOutput.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    LinkToOldFile,
    LinkLoop,
    Fifo,
    Reader,
    LeavingReader,
    SizeLimit
};

const QString name255 = QString(251, u'n') + u".doc"_s;

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Every entry of a folder: a file by its bytes, a link by its target.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(filter)) {
        entries.insert(entry.fileName(), entry.isSymLink()
                                             ? "link to " + QFile::encodeName(entry.symLinkTarget())
                                         : entry.isFile() ? readFile(entry.filePath())
                                                          : QByteArray("node"));
    }
    return entries;
}

// Reads from the FIFO until its writer closes it or the given number of
// bytes has come.
std::future<QByteArray> readFifo(int fifo, qsizetype limit)
{
    return std::async(std::launch::async, [fifo, limit] {
        QByteArray data;
        pollfd readable{fifo, POLLIN, 0};
        std::array<char, 4096> buffer{};
        while (data.size() < limit && poll(&readable, 1, 10'000) > 0) {
            const ssize_t length
                = read(fifo, buffer.data(), std::min<qsizetype>(buffer.size(), limit));
            if (length <= 0)
                break;
            data.append(buffer.data(), length);
        }
        close(fifo);
        return data;
    });
}

void prepare(Setup setup, const QDir &folder, const QString &path)
{
    const QString first = folder.filePath(path.section(u'/', 0, 0));
    const QByteArray target = QFile::encodeName(first);
    if (setup == Setup::OldFile || setup == Setup::SizeLimit)
        writeFile(first, QByteArray(5000, 'o'));
    if (setup == Setup::Folder)
        folder.mkdir(path);
    if (setup == Setup::LinkToOldFile) {
        writeFile(folder.filePath(u"target.doc"_s), "old");
        symlink("target.doc", target.constData());
    }
    if (setup == Setup::LinkLoop)
        symlink(target.constData(), target.constData());
    if (setup == Setup::Fifo || setup == Setup::Reader || setup == Setup::LeavingReader)
        mkfifo(target.constData(), 0600);
}

// Generates in a child process inside the folder, which is also the home
// folder; returns the error and the number of open requests.
QByteArray generateIn(const QString &folder, const QString &path, Setup setup)
{
    QDir::setCurrent(folder);
    qputenv("HOME", QFile::encodeName(folder));
    if (setup == Setup::SizeLimit) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{500, 500};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    MapForm form;
    form.path = path;
    // More than a pipe holds, so the writer is still writing when the reader goes.
    if (setup == Setup::LeavingReader)
        form.texts[u"Text1"_s] = QString(200'000, u'Ж');
    SaveFileOutput output;
    RecordingShellOpener shell;
    const GenerateResult result = GenerateCommand(output, shell).run(form);
    return result.error.toUtf8() + '\n' + QByteArray::number(shell.documents.size());
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
    // Where the document must be afterwards, or the reason it was not written.
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("failure");

    using enum Setup;
    QTest::newRow("new file") << Nothing << u"avto.doc"_s << u"avto.doc"_s << QString();
    QTest::newRow("longer old file") << OldFile << u"avto.doc"_s << u"avto.doc"_s << QString();
    QTest::newRow("old file, 255-byte name") << OldFile << name255 << name255 << QString();
    QTest::newRow("drive path") << Nothing << u"C:\\avto.txt"_s << u"avto.txt"_s << QString();
    QTest::newRow("link to a file")
        << LinkToOldFile << u"avto.doc"_s << u"target.doc"_s << QString();
    QTest::newRow("FIFO with a reader") << Reader << u"pipe.doc"_s << QString() << QString();
    QTest::newRow("missing folder")
        << Nothing << u"missing/avto.doc"_s << QString() << reason(ENOENT);
    QTest::newRow("folder part is a file")
        << OldFile << u"plain/avto.doc"_s << QString() << reason(ENOTDIR);
    QTest::newRow("folder") << Folder << u"docs"_s << QString() << reason(EISDIR);
    QTest::newRow("drive alone is the home folder")
        << Nothing << u"C:"_s << QString() << reason(EISDIR);
    QTest::newRow("256-byte name")
        << Nothing << name255 + u'x' << QString() << reason(ENAMETOOLONG);
    QTest::newRow("link loop") << LinkLoop << u"avto.doc"_s << QString() << reason(ELOOP);
    QTest::newRow("FIFO without a reader") << Fifo << u"pipe.doc"_s << QString() << reason(ENXIO);
    QTest::newRow("FIFO reader leaves")
        << LeavingReader << u"pipe.doc"_s << QString() << reason(EPIPE);
    QTest::newRow("file size limit") << SizeLimit << u"avto.doc"_s << QString() << reason(EFBIG);
    QTest::newRow("empty path") << Nothing << QString() << QString() << u"имя файла"_s;
    QTest::newRow("line break in path")
        << Nothing << u"new\nline.doc"_s << QString() << u"управляющие символы"_s;
    QTest::newRow("network path") << Nothing << u"\\\\server\\share\\a.doc"_s << QString()
                                  << u"сетевые пути"_s;
}

// Whatever happens, the program lives on; a refused document leaves the
// folder exactly as it was, and only a written one is opened.
void TestSaveFileOutput::replacesOrRefuses()
{
    QFETCH(Setup, setup);
    QFETCH(QString, path);
    QFETCH(QString, document);
    QFETCH(QString, failure);
    QTemporaryDir folder;
    prepare(setup, QDir(folder.path()), path);
    const QMap<QString, QByteArray> before = snapshot(folder.path());
    // The reader is there before the writer comes; the child closes its copy.
    std::future<QByteArray> reader;
    int fifo = -1;
    if (setup == Setup::Reader || setup == Setup::LeavingReader) {
        fifo = ::open(QFile::encodeName(folder.filePath(path)).constData(), O_RDONLY | O_NONBLOCK);
        reader = readFifo(fifo, setup == Setup::Reader ? 1 << 20 : 10);
    }

    const ChildRun run = ChildRun::of([&] {
        if (fifo >= 0)
            close(fifo);
        return generateIn(folder.path(), path, setup);
    });

    QVERIFY2(run.finished, qPrintable(u"generating ended by signal %1"_s.arg(run.signal)));
    const QList<QByteArray> outcome = run.output.split('\n');
    const QString error = QString::fromUtf8(outcome.first());
    const QByteArray written = reader.valid() ? reader.get() : readFile(folder.filePath(document));
    QMap<QString, QByteArray> expected = before;
    if (failure.isEmpty()) {
        QCOMPARE(error, QString());
        QCOMPARE(written, readFile(QStringLiteral(FOLVAR_TEST_DATA "/start.doc.ref")));
        if (!document.isEmpty())
            expected[document] = written;
    } else {
        QVERIFY2(error.contains(failure), qPrintable(error));
    }
    QCOMPARE(outcome.last(), failure.isEmpty() ? "1" : "0");
    QCOMPARE(snapshot(folder.path()), expected);
}

QTEST_GUILESS_MAIN(TestSaveFileOutput)
#include "tst_savefileoutput.moc"
