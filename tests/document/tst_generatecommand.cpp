#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "MemoryOutput.h"
#include "RecordingShellOpener.h"
#include "TestFiles.h"

#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;

class TestGenerateCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheReferenceDocument_data();
    void writesTheReferenceDocument();
    void replacesWhatTheCodePageLacksRowByRow();
};

void TestGenerateCommand::writesTheReferenceDocument_data()
{
    QTest::addColumn<std::optional<Layout>>("layout");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("reference");
    for (const QString &values : {u"empty"_s, u"start"_s, u"filled"_s}) {
        QTest::addRow("%s, .doc", qPrintable(values))
            << std::optional(Layout::Doc) << values << values + u".doc.ref"_s;
        QTest::addRow("%s, .txt", qPrintable(values))
            << std::optional(Layout::Txt) << values << values + u".txt.ref"_s;
    }
    QTest::newRow("neither option") << std::optional<Layout>() << u"filled"_s << QString();
}

// With neither option, which the window never shows, nothing is written and
// the path is opened all the same.
void TestGenerateCommand::writesTheReferenceDocument()
{
    QFETCH(std::optional<Layout>, layout);
    QFETCH(QString, values);
    QFETCH(QString, reference);
    MapForm form;
    form.selected = layout;
    form.fill(testData(values + u".values"_s));
    MemoryOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    QCOMPARE(result.written, layout.has_value());
    QCOMPARE(output.bytes, testData(reference));
    QCOMPARE(shell.documents, (QList<ShellRequest>{{0, u"open"_s, u"C:\\avto.doc"_s, {}, {}, 3}}));
    QCOMPARE(GenerateReport::text(result), QString());
}

// Control characters other than TAB, LF and CR are written as '?' like the
// characters the code page lacks, and each is listed once under its row.
void TestGenerateCommand::replacesWhatTheCodePageLacksRowByRow()
{
    MapForm form;
    form.texts[u"Text1"_s] = u"é\u0100\u0100\tа\r\nб"_s;
    form.texts[u"Text18"_s] = u"中\U0001F697\x1A\0\U0001F697"_s + QChar(0xD83D) + u'x';
    form.texts[u"Combo3"_s] = u"\x7F"_s;
    MemoryOutput output;
    RecordingShellOpener shell;

    const GenerateResult result = GenerateCommand(output, shell).run(form);

    const QList<RowReplacement> expected{
        {2, {0xE9, 0x100}}, {17, {0x4E2D, 0x1F697, 0x1A, 0, 0xD83D}}, {23, {0x7F}}};
    QCOMPARE(result.replacements, expected);
    QVERIFY(output.bytes.contains(":   ???\t\xE0\r\n\xE1\r\r\n"));
    QVERIFY(output.bytes.contains(":  ??????x\r\r\n"));
    QVERIFY(output.bytes.contains(" 31 ?\r\r\n"));
}

QTEST_GUILESS_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
