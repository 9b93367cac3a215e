#include "GenerateCommand.h"
#include "MapForm.h"
#include "RecordingShellOpener.h"
#include "SaveFileOutput.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray reference(const QString &name)
{
    return readFile(QStringLiteral(FOLVAR_TEST_DATA "/") + name);
}

ShellRequest openRequest(const QString &path)
{
    return {0, u"open"_s, path, {}, {}, ShellRequest::showMaximized};
}

// Fails the given write, as a full disk would, and always the commit.
class FailingOutput final : public FileOutput
{
public:
    explicit FailingOutput(int failingWrite)
        : m_failingWrite(failingWrite)
    {
    }

    bool open(const QString &) override { return true; }
    bool write(QByteArrayView) override { return ++writes != m_failingWrite; }
    bool commit() override { return false; }
    QString errorString() const override { return u"No space left on device"_s; }

    int writes = 0;

private:
    int m_failingWrite;
};

} // namespace

class TestGenerateCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesReferenceDocument_data();
    void writesReferenceDocument();
    void writesRowsByteForByte();
    void carriesValuesUnchanged();
    void layoutFollowsTheSelectedOption();
    void replacesAnExistingFile();
    void replacesCharactersOutsideTheCodePage();
    void reportsFailuresWithoutOpening_data();
    void reportsFailuresWithoutOpening();
    void reportsAFailedWrite();

private:
    QTemporaryDir m_dir;
};

void TestGenerateCommand::writesReferenceDocument_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("referenceFile");
    QTest::addColumn<int>("size");

    QTest::newRow("empty inputs, .doc") << u"Option1"_s << u"empty"_s << u"empty.doc.ref"_s << 888;
    QTest::newRow("empty inputs, .txt") << u"Option2"_s << u"empty"_s << u"empty.txt.ref"_s << 1047;
    QTest::newRow("start state, .doc") << u"Option1"_s << u"start"_s << u"start.doc.ref"_s << 907;
    QTest::newRow("start state, .txt") << u"Option2"_s << u"start"_s << u"start.txt.ref"_s << 1066;
    QTest::newRow("filled form, .doc")
        << u"Option1"_s << u"filled"_s << u"filled.doc.ref"_s << 1226;
    QTest::newRow("filled form, .txt")
        << u"Option2"_s << u"filled"_s << u"filled.txt.ref"_s << 1385;
}

void TestGenerateCommand::writesReferenceDocument()
{
    QFETCH(QString, option);
    QFETCH(QString, values);
    QFETCH(QString, referenceFile);
    QFETCH(int, size);

    MapForm form;
    form.select(option);
    if (values == "empty"_L1)
        form.clearCombos();
    if (values == "filled"_L1)
        form.fill(reference(u"filled.values"_s));
    const QString path = m_dir.filePath(referenceFile);
    form.texts[u"Text8"_s] = path;
    SaveFileOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    QVERIFY2(result.succeeded(), qPrintable(result.error));
    QVERIFY(result.replacements.isEmpty());
    const QByteArray written = readFile(path);
    QCOMPARE(written.size(), size);
    QCOMPARE(written, reference(referenceFile));
    QCOMPARE(written.count('\r'), 53);
    QCOMPARE(written.count('\n'), 36);
    QVERIFY(written.startsWith("\xC4\xCE\xC2\xC5\xD0\xC5\xCD\xCD\xCE\xD1\xD2\xDC\r\n\r\n"));
    QVERIFY(written.endsWith("\xCF\xEE\xE4\xEF\xE8\xF1\xFC\x20\xE4\xEE\xE2\xE5\xF0\xE5\xED\xED\xEE"
                             "\xE3\xEE\x3A\r\r\n"));
    QCOMPARE(shell.requests, QList<ShellRequest>{openRequest(path)});
    // The path is read first, the option next, the path again last.
    QCOMPARE(form.reads.first(), u"Text8"_s);
    QCOMPARE(form.reads.at(1), u"Option1"_s);
    QCOMPARE(form.reads.last(), u"Text8"_s);
}

void TestGenerateCommand::writesRowsByteForByte()
{
    MapForm form;
    const QString path = m_dir.filePath(u"rows.doc"_s);
    form.texts[u"Text8"_s] = path;
    SaveFileOutput output;
    RecordingShellOpener shell;
    QVERIFY(GenerateCommand(output, shell).run(form).succeeded());
    const QByteArray written = readFile(path);

    // Rows 14 and 23 begin with a Latin C, never the Cyrillic letter.
    QVERIFY(written.contains("\r\r\nC\xE2\xE8\xE4\xE5\xF2\xE5\xEB\xFC\xF1\xF2\xE2\xEE "));
    QVERIFY(written.contains("\r\n\r\nC\xF0\xEE\xEA "));
    // Row 21 carries the CR LF of its caption in the middle.
    QVERIFY(written.contains(
        "\r\n\r\n\xD4.\xC8.\xCE. \xE4\xEE\xE2\xE5\xF0\xE5\xED\xED\xEE\xE3\xEE \r\n("
        "\xE4\xE0\xF2\xE5\xEB\xFC\xED\xFB\xE9 \xEF\xE0\xE4\xE5\xE6): \r\r\n"));
    // Row 24 puts "года" straight after the year and ends in CR LF LF.
    QVERIFY(written.contains(" 1 \xE8\xFE\xEB\xFF 2002\xE3\xEE\xE4\xE0\r\n\n\r\n"));
}

void TestGenerateCommand::carriesValuesUnchanged()
{
    MapForm form;
    const QString path = m_dir.filePath(u"values.doc"_s);
    form.texts[u"Text8"_s] = path;
    form.texts[u"Text1"_s] = u"Тверь\r\nцентр"_s;
    form.texts[u"Combo2"_s] = u"32"_s;
    form.texts[u"Combo3"_s] = u"полугодия"_s;
    form.texts[u"Text19"_s] = QString(100'000, u'Ж');
    SaveFileOutput output;
    RecordingShellOpener shell;
    QVERIFY(GenerateCommand(output, shell).run(form).succeeded());

    const QByteArray written = readFile(path);
    QCOMPARE(written.size(), 907 + 12 + (9 - 4) + 100'000);
    QCOMPARE(written.count('\r'), 54);
    QCOMPARE(written.count('\n'), 37);
    QVERIFY(written.contains(
        "\xC3\xEE\xF0\xEE\xE4:   \xD2\xE2\xE5\xF0\xFC\r\n\xF6\xE5\xED\xF2\xF0\r\r\n"));
    QVERIFY(written.contains(" 32 \xEF\xEE\xEB\xF3\xE3\xEE\xE4\xE8\xFF\r\r\n"));
    QVERIFY(written.contains(QByteArray(100'000, '\xC6') + "\r\r\n"));
}

void TestGenerateCommand::layoutFollowsTheSelectedOption()
{
    SaveFileOutput output;
    RecordingShellOpener shell;

    MapForm docAsTxt;
    const QString txtPath = m_dir.filePath(u"layout.txt"_s);
    docAsTxt.texts[u"Text8"_s] = txtPath;
    QVERIFY(GenerateCommand(output, shell).run(docAsTxt).succeeded());
    QCOMPARE(readFile(txtPath), reference(u"start.doc.ref"_s));
    QVERIFY(!docAsTxt.reads.contains(u"Option2"_s));

    MapForm neither;
    const QString unwritten = m_dir.filePath(u"neither.doc"_s);
    neither.texts[u"Text8"_s] = unwritten;
    neither.selected.clear();
    const GenerateResult result = GenerateCommand(output, shell).run(neither);
    QVERIFY(result.succeeded());
    QVERIFY(!QFile::exists(unwritten));
    QCOMPARE(neither.reads, (QStringList{u"Text8"_s, u"Option1"_s, u"Option2"_s, u"Text8"_s}));
    QCOMPARE(shell.requests.last(), openRequest(unwritten));
}

void TestGenerateCommand::replacesAnExistingFile()
{
    MapForm form;
    const QString path = m_dir.filePath(u"existing.doc"_s);
    form.texts[u"Text8"_s] = path;
    QVERIFY(writeFile(path, QByteArray(5000, 'x')));
    SaveFileOutput output;
    RecordingShellOpener shell;

    QVERIFY(GenerateCommand(output, shell).run(form).succeeded());
    const QByteArray first = readFile(path);
    QCOMPARE(first, reference(u"start.doc.ref"_s));
    QVERIFY(GenerateCommand(output, shell).run(form).succeeded());
    QCOMPARE(readFile(path), first);
}

void TestGenerateCommand::replacesCharactersOutsideTheCodePage()
{
    MapForm form;
    const QString path = m_dir.filePath(u"unmappable.doc"_s);
    form.texts[u"Text8"_s] = path;
    form.texts[u"Text1"_s] = u"Qu\u00e9bec \u0100\u0100"_s;
    form.texts[u"Text18"_s] = u"\u4e2d\U0001F697"_s;
    SaveFileOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    QVERIFY(result.succeeded());
    const QList<RowReplacement> expected{{2, u"\u00e9\u0100"_s}, {17, u"\u4e2d\U0001F697"_s}};
    QCOMPARE(result.replacements, expected);
    const QByteArray written = readFile(path);
    QVERIFY(written.contains("Qu?bec ??\r\r\n"));
    QVERIFY(written.contains(":  ??\r\r\n"));
    QVERIFY(!written.contains('\x1A'));
    QCOMPARE(shell.requests.size(), 1);
}

void TestGenerateCommand::reportsFailuresWithoutOpening_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");

    QVERIFY(writeFile(m_dir.filePath(u"plain-file"_s), "kept"));
    QTest::newRow("missing folder")
        << m_dir.filePath(u"missing/avto.doc"_s) << u"No such file or directory"_s;
    QTest::newRow("folder part is a file")
        << m_dir.filePath(u"plain-file/avto.doc"_s) << u"Not a directory"_s;
    QTest::newRow("directory as the path") << m_dir.path() << u"directory"_s;
    QTest::newRow("empty path") << QString() << u"Cannot write the document"_s;
}

void TestGenerateCommand::reportsFailuresWithoutOpening()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    MapForm form;
    form.texts[u"Text8"_s] = path;
    SaveFileOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    QVERIFY(!result.succeeded());
    QVERIFY2(result.error.startsWith(u"Cannot write "_s + path), qPrintable(result.error));
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    QVERIFY(shell.requests.isEmpty());
    QCOMPARE(readFile(m_dir.filePath(u"plain-file"_s)), QByteArray("kept"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter(u"avto"_s), QStringList());
}

void TestGenerateCommand::reportsAFailedWrite()
{
    MapForm form;
    RecordingShellOpener shell;
    // The document is written at once; the second case fails its commit.
    for (int failingWrite : {1, 2}) {
        FailingOutput output(failingWrite);
        const GenerateResult result = GenerateCommand(output, shell).run(form);
        QCOMPARE(result.error, u"Cannot write C:\\avto.doc: No space left on device"_s);
        QCOMPARE(output.writes, 1);
    }
    QVERIFY(shell.requests.isEmpty());
}

QTEST_GUILESS_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
