#include "Windows1251.h"

#include <QTest>

#include <array>
#include <iconv.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The C library's own Windows-1251 converter: the byte for one character,
// or -1 where it has none.
class SystemConverter
{
public:
    SystemConverter()
        : m_handle(iconv_open("CP1251", "UTF-16LE"))
    {
    }
    ~SystemConverter() { iconv_close(m_handle); }
    SystemConverter(const SystemConverter &) = delete;
    SystemConverter &operator=(const SystemConverter &) = delete;

    // iconv_open() reports failure as the handle (iconv_t)-1.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    bool isOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    int byteFor(char16_t character)
    {
        std::array<char, 2> in{static_cast<char>(character & 0xFF),
                               static_cast<char>(character >> 8)};
        std::array<char, 4> out{};
        char *inPointer = in.data();
        char *outPointer = out.data();
        size_t inLeft = in.size();
        size_t outLeft = out.size();
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_handle, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1))
            return -1;
        return static_cast<unsigned char>(out[0]);
    }

private:
    iconv_t m_handle;
};

QByteArray encoded(QStringView text, QString *replaced = nullptr)
{
    QByteArray bytes;
    const QString characters = Windows1251::append(text, bytes);
    if (replaced)
        *replaced = characters;
    return bytes;
}

} // namespace

class TestWindows1251 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithTheSystemConverter();
    void encodesTheDocumentWording();
    void encodesRunsAsSingleCharacters();
    void replacesEachMissingCharacterOnce();
};

void TestWindows1251::agreesWithTheSystemConverter()
{
    SystemConverter system;
    QVERIFY(system.isOpen());
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const auto character = static_cast<char16_t>(code);
        if (QChar::isSurrogate(character))
            continue;
        const int expected = system.byteFor(character);
        const int actual = Windows1251::byteFor(character);
        if (actual != (expected < 0 ? Windows1251::unmapped : expected))
            QFAIL(qPrintable(u"U+%1: %2 against %3"_s.arg(uint(code), 4, 16, QChar(u'0'))
                                 .arg(actual)
                                 .arg(expected)));
    }
}

void TestWindows1251::encodesTheDocumentWording()
{
    QCOMPARE(encoded(u"ДОВЕРЕННОСТЬ"),
             QByteArray("\xC4\xCE\xC2\xC5\xD0\xC5\xCD\xCD\xCE\xD1\xD2\xDC"));
    QCOMPARE(encoded(u"года"), QByteArray("\xE3\xEE\xE4\xE0"));
    QCOMPARE(
        encoded(u"Подпись доверенного:"),
        QByteArray(
            "\xCF\xEE\xE4\xEF\xE8\xF1\xFC\x20\xE4\xEE\xE2\xE5\xF0\xE5\xED\xED\xEE\xE3\xEE\x3A"));
    QCOMPARE(encoded(u"№ Ёё C\r\n"), QByteArray("\xB9 \xA8\xB8 C\r\n"));
}

// Long runs are encoded several characters at a time; a character at the edge
// of the quick ranges, at any place in a run, must come out as on its own.
void TestWindows1251::encodesRunsAsSingleCharacters()
{
    const QString run = u"Иванов Ivanov, ул. Мира 5 яЯаА"_s;
    for (const char16_t edge : {0x007F, 0x0080, 0x00C0, 0x040F, 0x0410, 0x044F, 0x0450, 0x0451,
                                0x2116, 0x8080, 0x8410, 0xFFFF}) {
        for (qsizetype place = 0; place <= run.size(); ++place) {
            QString text = run;
            text.insert(place, QChar(edge));
            QByteArray expected;
            for (const QChar character : text) {
                const int byte = Windows1251::byteFor(character.unicode());
                expected += byte == Windows1251::unmapped ? Windows1251::replacement
                                                          : static_cast<char>(byte);
            }
            QCOMPARE(encoded(text), expected);
        }
    }
}

void TestWindows1251::replacesEachMissingCharacterOnce()
{
    QString replaced;
    QCOMPARE(encoded(u"a\U0001F697b\u4e2d\u4e2d", &replaced), QByteArray("a?b??"));
    QCOMPARE(replaced, u"\U0001F697\u4e2d"_s);

    const QChar loneHigh(char16_t(0xD83D));
    const QChar loneLow(char16_t(0xDE97));
    QCOMPARE(encoded(QString(loneHigh) + u'x' + loneLow, &replaced), QByteArray("?x?"));
    QCOMPARE(replaced.size(), 2);

    // Only a typed U+001A may become the byte 0x1A.
    QCOMPARE(encoded(u"\x1A\u0098", &replaced), QByteArray("\x1A?"));
    QCOMPARE(replaced, u"\u0098"_s);
}

QTEST_GUILESS_MAIN(TestWindows1251)
#include "tst_windows1251.moc"
