#include "Windows1251.h"

#include <QTest>

#include <array>
#include <iconv.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The C library's own Windows-1251 converter: the byte for one character,
// or -1 where it has none.
int systemByte(iconv_t converter, char16_t character)
{
    std::array<char, 2> in{static_cast<char>(character & 0xFF), static_cast<char>(character >> 8)};
    char out = 0;
    char *inPointer = in.data();
    char *outPointer = &out;
    size_t inLeft = in.size();
    size_t outLeft = 1;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1))
        return -1;
    return static_cast<unsigned char>(out);
}

bool isWrittenControl(char16_t character)
{
    return (character < 0x20 || character == 0x7F) && character != u'\t' && character != u'\n'
           && character != u'\r';
}

} // namespace

class TestWindows1251 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithTheSystemConverter();
    void replacesEachMissingCharacterOnce();
};

// Controls other than TAB, LF and CR are the one deliberate difference:
// the system converter passes them through.
void TestWindows1251::agreesWithTheSystemConverter()
{
    const iconv_t converter = iconv_open("CP1251", "UTF-16LE");
    // iconv_open() reports failure as the handle (iconv_t)-1.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    QVERIFY(converter != reinterpret_cast<iconv_t>(-1));
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const auto character = static_cast<char16_t>(code);
        if (QChar::isSurrogate(character))
            continue;
        const int system = isWrittenControl(character) ? -1 : systemByte(converter, character);
        const QByteArray expected(1, system < 0 ? '?' : char(system));
        if (Windows1251::encode(QStringView(&character, 1)).bytes != expected)
            QFAIL(qPrintable(u"U+%1"_s.arg(uint(code), 4, 16, QChar(u'0'))));
    }
    iconv_close(converter);
}

void TestWindows1251::replacesEachMissingCharacterOnce()
{
    const QChar loneHigh(char16_t(0xD83D));
    const QChar loneLow(char16_t(0xDE97));
    const Windows1251::Encoded encoded = Windows1251::encode(
        u"a\U0001F697b\u4e2d\u4e2d\U0001F697"_s + loneHigh + u'x' + loneLow + loneHigh);
    QCOMPARE(encoded.bytes, QByteArray("a?b????x??"));
    QCOMPARE(encoded.replaced, (QList<char32_t>{0x1F697, 0x4E2D, 0xD83D, 0xDE97}));
}

QTEST_GUILESS_MAIN(TestWindows1251)
#include "tst_windows1251.moc"
