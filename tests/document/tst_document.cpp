#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "MemoryOutput.h"
#include "RecordingShellOpener.h"
#include "Windows1251.h"

#include <QTest>

#include <array>
#include <iconv.h>

using namespace Qt::Literals::StringLiterals;

class TestDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every character but the surrogates, each against the C library's own
    // converter, which writes controls through and lacks a byte where '?' goes.
    void encodesAsTheSystemConverterDoes()
    {
        const iconv_t converter = iconv_open("CP1251", "UTF-16LE");
        // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open() fails with (iconv_t)-1.
        QVERIFY(converter != reinterpret_cast<iconv_t>(-1));
        for (char32_t code = 0; code <= 0xFFFF; code = code == 0xD7FF ? 0xE000 : code + 1) {
            const auto character = static_cast<char16_t>(code);
            std::array<char, 2> in{char(character & 0xFF), char(character >> 8)};
            char out = '?';
            char *inPointer = in.data();
            char *outPointer = &out;
            size_t inLeft = in.size();
            size_t outLeft = 1;
            iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
            if ((code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0x7F)
                out = '?';
            QCOMPARE(Windows1251::encode(QStringView(&character, 1)).bytes, QByteArray(1, out));
        }
        iconv_close(converter);
    }

    void writesTheReferenceDocument_data()
    {
        QTest::addColumn<std::optional<Layout>>("layout");
        QTest::addColumn<QString>("values");
        for (const char *values : {"empty", "start", "filled"}) {
            QTest::addRow("%s.doc", values)
                << std::optional(Layout::Doc) << QString::fromLatin1(values);
            QTest::addRow("%s.txt", values)
                << std::optional(Layout::Txt) << QString::fromLatin1(values);
        }
        QTest::newRow("neither option") << std::optional<Layout>() << u"filled"_s;
    }

    // With neither option, which the window never shows, nothing is written
    // and the path is opened all the same.
    void writesTheReferenceDocument()
    {
        QFETCH(std::optional<Layout>, layout);
        QFETCH(QString, values);
        MapForm form;
        form.selected = layout;
        form.fill(values + u".values"_s);
        MemoryOutput output;
        RecordingShellOpener shell;

        const GenerateResult result = GenerateCommand(output, shell).run(form);

        QCOMPARE(result.written, layout.has_value());
        QCOMPARE(output.bytes,
                 layout ? testData(QLatin1StringView(QTest::currentDataTag()) + u".ref"_s) : "");
        QCOMPARE(shell.documents,
                 (QList<ShellRequest>{{0, u"open"_s, u"C:\\avto.doc"_s, {}, {}, 3}}));
        QCOMPARE(GenerateReport::text(result), QString());
    }

    // Control characters other than TAB, LF and CR are written as '?' like
    // the characters the code page lacks, and each is listed once under its row.
    void replacesWhatTheCodePageLacksRowByRow()
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
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
