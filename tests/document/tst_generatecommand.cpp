#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "MemoryOutput.h"
#include "RecordingShellOpener.h"
#include "TestFiles.h"

#include <QTest>

#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray testData(const QString &name)
{
    return readFile(QStringLiteral(FOLVAR_TEST_DATA "/") + name);
}

const ShellRequest startOpenRequest{0, u"open"_s, u"C:\\avto.doc"_s, {}, {}, 3};

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
    QString location() const override { return u"/home/owner/avto.doc"_s; }
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
    void writesTheReferenceDocument_data();
    void writesTheReferenceDocument();
    void readsThePathAndTheOptionsAroundTheRows();
    void replacesWhatTheCodePageLacksRowByRow();
    void stopsAtAFailedWrite();
    void reportsWhatTheUserMustKnow_data();
    void reportsWhatTheUserMustKnow();
};

void TestGenerateCommand::writesTheReferenceDocument_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("reference");

    QTest::newRow("empty inputs, .doc") << Layout::Doc << u"empty.values"_s << u"empty.doc.ref"_s;
    QTest::newRow("empty inputs, .txt") << Layout::Txt << u"empty.values"_s << u"empty.txt.ref"_s;
    QTest::newRow("start state, .doc") << Layout::Doc << QString() << u"start.doc.ref"_s;
    QTest::newRow("start state, .txt") << Layout::Txt << QString() << u"start.txt.ref"_s;
    QTest::newRow("filled form, .doc") << Layout::Doc << u"filled.values"_s << u"filled.doc.ref"_s;
    QTest::newRow("filled form, .txt") << Layout::Txt << u"filled.values"_s << u"filled.txt.ref"_s;
}

void TestGenerateCommand::writesTheReferenceDocument()
{
    QFETCH(Layout, layout);
    QFETCH(QString, values);
    QFETCH(QString, reference);
    MapForm form;
    form.selected = layout;
    if (!values.isEmpty())
        form.fill(testData(values));
    MemoryOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    QVERIFY(result.written && result.opened);
    QCOMPARE(output.bytes, testData(reference));
    QCOMPARE(output.path, u"C:\\avto.doc"_s);
    QCOMPARE(shell.documents, QList<ShellRequest>{startOpenRequest});
    QCOMPARE(GenerateReport::text(result), QString());
}

// The path is read first and last; Option2 only when Option1 is not
// selected; with neither, nothing is written and the path is still opened.
void TestGenerateCommand::readsThePathAndTheOptionsAroundTheRows()
{
    MapForm txt;
    txt.selected = Layout::Txt;
    MemoryOutput output;
    RecordingShellOpener shell;
    QVERIFY(GenerateCommand(output, shell).run(txt).written);
    QCOMPARE(txt.reads.mid(0, 4), (QStringList{u"path"_s, u".doc"_s, u".txt"_s, u"Label1"_s}));
    QCOMPARE(txt.reads.last(), u"path"_s);

    MapForm neither;
    neither.selected.reset();
    output.bytes = "untouched";
    const GenerateResult result = GenerateCommand(output, shell).run(neither);
    QVERIFY(!result.written && result.succeeded());
    QCOMPARE(output.bytes, "untouched");
    QCOMPARE(neither.reads, (QStringList{u"path"_s, u".doc"_s, u".txt"_s, u"path"_s}));
    QCOMPARE(shell.documents.last(), startOpenRequest);
}

// Control characters other than TAB, LF and CR are written as '?' like the
// letters the code page lacks, and each is listed once under its row.
void TestGenerateCommand::replacesWhatTheCodePageLacksRowByRow()
{
    MapForm form;
    form.texts[u"Text1"_s] = u"Qu\u00e9bec \u0100\u0100\tа\r\nб"_s;
    form.texts[u"Text18"_s] = u"\u4e2d\U0001F697\x1A\0"_s;
    form.texts[u"Combo3"_s] = u"\x7F"_s;
    MemoryOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    const QList<RowReplacement> expected{
        {2, {0xE9, 0x100}}, {17, {0x4E2D, 0x1F697, 0x1A, 0}}, {23, {0x7F}}};
    QCOMPARE(result.replacements, expected);
    QVERIFY(output.bytes.contains(":   Qu?bec ??\t\xE0\r\n\xE1\r\r\n"));
    QVERIFY(output.bytes.contains(":  ????\r\r\n"));
    QVERIFY(output.bytes.contains(" 31 ?\r\r\n"));
    QCOMPARE(shell.documents.size(), 1);
}

void TestGenerateCommand::stopsAtAFailedWrite()
{
    MapForm form;
    RecordingShellOpener shell;
    for (int failingWrite : {1, 26, 27}) {
        FailingOutput output(failingWrite);
        const GenerateResult result = GenerateCommand(output, shell).run(form);
        QCOMPARE(result.error, u"No space left on device"_s);
        QCOMPARE(result.location, u"/home/owner/avto.doc"_s);
        QCOMPARE(output.writes, std::min(failingWrite, 26));
    }
    QVERIFY(shell.documents.isEmpty());
}

void TestGenerateCommand::reportsWhatTheUserMustKnow_data()
{
    QTest::addColumn<GenerateResult>("result");
    QTest::addColumn<QStringList>("parts");

    const QString typed = u"C:\\avto.doc"_s;
    const QString home = u"/home/owner/avto.doc"_s;
    QTest::newRow("not written") << GenerateResult{typed, home,  u"No such file or directory"_s,
                                                   {},    false, false}
                                 << QStringList{u"не записан"_s, u"Путь: C:\\avto.doc\n"_s,
                                                u"Файл: /home/owner/avto.doc\n"_s,
                                                u"Причина: No such file or directory."_s};
    QTest::newRow("written where typed, not shown")
        << GenerateResult{home, home, {}, {}, true, false}
        << QStringList{u"Документ записан: /home/owner/avto.doc\n"_s, u"показать его не удалось"_s};
    QTest::newRow("control character and long path")
        << GenerateResult{u"a\nb"_s + QString(200, u'x'), {}, u"в пути"_s, {}, false, false}
        << QStringList{u"Путь: a\u240Ab"_s + QString(37, u'x') + u'…' + QString(40, u'x') + u'\n'};
    QTest::newRow("replacements named, invisible ones by code")
        << GenerateResult{home, home, {}, {{2, {0xE9, 0x301, 0x1A}}}, true, true}
        << QStringList{u"\nстрока 2: \u00e9 U+0301 U+001A"_s};

    QList<char32_t> many(1'000'000);
    std::iota(many.begin(), many.end(), char32_t(0x10000));
    QList<RowReplacement> rows;
    for (int row = 2; row <= 24; ++row)
        rows.append({row, many});
    const QStringList shown
        = QStringList{u"\nстрока 9: "_s, u" и ещё 999980\nи ещё в 15 строках"_s};
    QTest::newRow("a million characters in every row")
        << GenerateResult{home, home, {}, rows, true, true} << shown;
}

void TestGenerateCommand::reportsWhatTheUserMustKnow()
{
    QFETCH(GenerateResult, result);
    QFETCH(QStringList, parts);
    const QString text = GenerateReport::text(result);
    for (const QString &part : parts)
        QVERIFY2(text.contains(part), qPrintable(text));
    QVERIFY2(text.count(u'\n') <= 12 && text.size() < 2000, qPrintable(text));
}

QTEST_GUILESS_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
