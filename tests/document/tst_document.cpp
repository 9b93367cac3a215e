// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentWriter.h"
#include "Generate.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "MemoryFile.h"
#include "RecordingShellOpener.h"
#include "Windows1251.h"

#include <QSignalSpy>
#include <QTest>

#include <array>

#ifndef Q_OS_WIN
#include <iconv.h>
#endif

namespace {

#ifndef Q_OS_WIN
// The byte the C library's converter writes for a character, '?' where it has none.
char converted(char16_t unit)
{
    static const iconv_t converter = iconv_open("CP1251", "UTF-16LE");
    std::array<char, 2> in{char(unit & 0xFF), char(unit >> 8)};
    char out = '?';
    char *inPointer = in.data();
    char *outPointer = &out;
    size_t inLeft = in.size();
    size_t outLeft = 1;
    iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    return out;
}
#endif

} // namespace

using namespace Qt::Literals::StringLiterals;

class TestDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every character but the surrogates, once composed, each against the
    // system's own converter, which writes controls through and lacks a byte
    // where '?' goes.
    void encodesAsTheSystemConverterDoes()
    {
#ifdef Q_OS_WIN
        QSKIP("The encoder is the same code everywhere; Linux checks it against the C library.");
#else
        const auto systemByte = [](char16_t unit) {
            const bool control = (unit < 0x20 && unit != '\t' && unit != '\n' && unit != '\r')
                                 || (unit >= 0x7F && unit < 0xA0);
            return control ? '?' : converted(unit);
        };
        for (char32_t code = 0; code <= 0xFFFF; code = code == 0xD7FF ? 0xE000 : code + 1) {
            const auto character = static_cast<char16_t>(code);
            QByteArray expected;
            const QString composed
                = QString(QChar(character)).normalized(QString::NormalizationForm_C);
            for (const char32_t point : composed.toUcs4())
                expected += point > 0xFFFF ? '?' : systemByte(static_cast<char16_t>(point));
            QCOMPARE(Windows1251::encode(QStringView(&character, 1)).bytes, expected);
        }
        // A high surrogate with nothing after it is one character the code page lacks.
        const std::array<char16_t, 2> lone{u'a', 0xD83D};
        QCOMPARE(Windows1251::encode(QStringView(lone.data(), lone.size())).bytes, "a?");
#endif
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
        MemoryFile output;
        RecordingShellOpener shell;

        const GenerateResult result = generate(output, shell, form);

        QCOMPARE(result.outcome, layout ? Outcome::Written : Outcome::NothingToWrite);
        QCOMPARE(output.bytes,
                 layout ? testData(QLatin1StringView(QTest::currentDataTag()) + u".ref"_s) : "");
        QCOMPARE(shell.documents, (QList<DocumentViewer>{{u"C:\\avto.doc"_s, u"viewer"_s}}));
        QCOMPARE(GenerateReport::text(result), QString());
    }

    // One document at a time; one given up while it is flushed is not waited
    // for as the program ends, and what became of it still arrives.
    void givesUpADocumentThatIsStillFlushed()
    {
        MemoryFile output;
        output.slow = true;
        RecordingShellOpener shell;
        DocumentWriter writer(output, shell);
        QSignalSpy finished(&writer, &DocumentWriter::finished);
        QVERIFY(writer.start(MapForm()) && !writer.start(MapForm()));
        QVERIFY(writer.abandon() && !writer.finishBeforeExit());
        output.gate.release();
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].value<GenerateResult>().outcome, Outcome::NotWritten);
        QVERIFY(shell.documents.isEmpty());
    }

    // Control characters other than TAB, LF and CR are written as '?' like
    // the characters the code page lacks, and each is listed once under its field.
    void replacesWhatTheCodePageLacksRowByRow()
    {
        MapForm form;
        form.texts[u"Text1"_s] = u"é\u0100\u0100\tа\r\nб"_s;
        form.texts[u"Text18"_s] = u"中\U0001F697\x1A\0\U0001F697"_s + QChar(0xD83D) + u'x';
        form.texts[u"Combo3"_s] = u"\x7F"_s;
        // Decomposed, as some programs paste it: each letter and its mark is one letter.
        form.texts[u"Text2"_s] = u"И\u0306ошкар-Ола, ул. Короле\u0308ва, \u0430\u0301"_s;
        MemoryFile output;
        RecordingShellOpener shell;

        const GenerateResult result = generate(output, shell, form);

        const QList<FieldReplacement> expected{
            {u"Город"_s, {0xE9, 0x100}},
            {u"Область"_s, {0x301}},
            {u"Ф.И.О. владельца"_s, {0x4E2D, 0x1F697, 0x1A, 0, 0xD83D}},
            {u"Срок действия доверенности, единица"_s, {0x7F}}};
        QCOMPARE(result.replacements, expected);
        QVERIFY(output.bytes.contains(":   ???\t\xE0\r\n\xE1\r\r\n"));
        QVERIFY(output.bytes.contains(": \xC9\xEE\xF8\xEA\xE0\xF0-\xCE\xEB\xE0, \xF3\xEB. "
                                      "\xCA\xEE\xF0\xEE\xEB\xB8\xE2\xE0, \xE0?\r\r\n"));
        QVERIFY(output.bytes.contains(":  ??????x\r\r\n"));
        QVERIFY(output.bytes.contains(" 31 ?\r\r\n"));
    }

    void wordsEachMessage_data()
    {
        addTestRows(u"messages"_s,
                    {"typed", "location", "error", "written", "shown", "replaced", "message"});
    }

    void wordsEachMessage()
    {
        QFETCH(QString, typed);
        QFETCH(QString, location);
        QFETCH(QString, error);
        QFETCH(QString, written);
        QFETCH(QString, shown);
        QFETCH(QString, replaced);
        QFETCH(QString, message);
        const Outcome outcome = written == "yes"_L1 ? Outcome::Written
                                : !error.isEmpty()  ? Outcome::NotWritten
                                                    : Outcome::NothingToWrite;
        const QStringList showings{u"yes"_s, u"no"_s, u"not a file"_s, u"name not text"_s};
        GenerateResult result{outcome, typed, location, error, {}, Showing(showings.indexOf(shown)),
                              {},      false};
        for (const QString &row : replaced.split(u';', Qt::SkipEmptyParts)) {
            FieldReplacement replacement{row.section(u':', 0, 0).trimmed(), {}};
            for (const QString &code : row.section(u':', 1).split(u' ', Qt::SkipEmptyParts))
                replacement.characters.append(code.toUInt(nullptr, 16));
            result.replacements.append(replacement);
        }
        QCOMPARE(GenerateReport::text(result), message);
    }

    // The fields a notice leaves out, in Russian: "в 1 поле", but "в 2 полях".
    void countsTheFieldsLeftOut()
    {
        const QList<std::pair<int, QString>> wordings{
            {1, u"в 1 поле"_s},    {2, u"в 2 полях"_s},  {5, u"в 5 полях"_s},
            {11, u"в 11 полях"_s}, {21, u"в 21 поле"_s}, {111, u"в 111 полях"_s}};
        for (const auto &[more, wording] : wordings) {
            const QList<FieldReplacement> fields(GenerateReport::listedFields + more,
                                                 {u"Город"_s, {0x100}});
            const GenerateResult result{Outcome::Written, {}, {},   {}, fields,
                                        Showing::Started, {}, false};
            QVERIFY(GenerateReport::text(result).endsWith(u"\nи ещё "_s + wording));
        }
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
