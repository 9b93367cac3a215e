#include "GenerateCommand.h"
#include "MapForm.h"
#include "RecordingShellOpener.h"
#include "SaveFileOutput.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

GenerateResult generate(const QString &path)
{
    MapForm form;
    form.texts[u"Text8"_s] = path;
    SaveFileOutput output;
    RecordingShellOpener shell;
    return GenerateCommand(output, shell).run(form);
}

} // namespace

class TestSaveFileOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsTheOldFileWhenAWriteFails();
    void writesIntoAFifoWithoutReplacingIt();
    void mapsDrivePathsIntoTheHomeFolder();
};

// The child process may write at most 500 bytes, so the document fails part
// way; the file that stood there before must survive whole.
void TestSaveFileOutput::keepsTheOldFileWhenAWriteFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"avto.doc"_s);
    const QByteArray old(3000, 'o');
    QVERIFY(writeFile(path, old));

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{500, 500};
        setrlimit(RLIMIT_FSIZE, &limit);
        const GenerateResult result = generate(path);
        const bool reported = result.error.startsWith(u"Cannot write "_s + path + u": "_s)
                              && result.error.contains(u"large"_s);
        _exit(reported ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"avto.doc"_s});
}

void TestSaveFileOutput::writesIntoAFifoWithoutReplacingIt()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"pipe.doc"_s);
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    std::future<QByteArray> reader
        = std::async(std::launch::async, [path] { return readFile(path); });

    QVERIFY(generate(path).succeeded());

    QCOMPARE(reader.get().size(), 907);
    struct stat info = {};
    QCOMPARE(stat(QFile::encodeName(path).constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
}

void TestSaveFileOutput::mapsDrivePathsIntoTheHomeFolder()
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QVERIFY(QDir(home.path()).mkdir(u"docs"_s));

    QVERIFY(generate(u"C:\\avto.doc"_s).succeeded());
    QVERIFY(generate(u"c:/docs\\a.txt"_s).succeeded());
    QCOMPARE(QFileInfo(home.filePath(u"avto.doc"_s)).size(), 907);
    QCOMPARE(QFileInfo(home.filePath(u"docs/a.txt"_s)).size(), 907);

    const QString relative = u"C:avto.doc"_s;
    QDir::setCurrent(home.path());
    QVERIFY(generate(relative).succeeded());
    QVERIFY(QFileInfo::exists(home.filePath(relative)));
}

QTEST_GUILESS_MAIN(TestSaveFileOutput)
#include "tst_savefileoutput.moc"
