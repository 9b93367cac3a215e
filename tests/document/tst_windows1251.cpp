#include "Windows1251.h"

#include <QTest>

#include <array>
#include <iconv.h>

class TestWindows1251 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithTheSystemConverter();
};

// Every character but the surrogates, each against the C library's own
// converter, which writes controls through and lacks a byte where '?' goes.
void TestWindows1251::agreesWithTheSystemConverter()
{
    const iconv_t converter = iconv_open("CP1251", "UTF-16LE");
    // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open() fails with (iconv_t)-1.
    QVERIFY(converter != reinterpret_cast<iconv_t>(-1));
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const auto character = static_cast<char16_t>(code);
        std::array<char, 2> in{char(character & 0xFF), char(character >> 8)};
        char out = '?';
        char *inPointer = in.data();
        char *outPointer = &out;
        size_t inLeft = in.size();
        size_t outLeft = 1;
        iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
        const bool control
            = (code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0x7F;
        if (!QChar::isSurrogate(code))
            QCOMPARE(Windows1251::encode(QStringView(&character, 1)).bytes,
                     QByteArray(1, control ? '?' : out));
    }
    iconv_close(converter);
}

QTEST_GUILESS_MAIN(TestWindows1251)
#include "tst_windows1251.moc"
