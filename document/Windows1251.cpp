#include "Windows1251.h"

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The characters of bytes 0x80..0xFF; 0x98 is unassigned.
constexpr std::array<char16_t, 128> upperHalf{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// The code page draws every character from two ranges: U+0000..U+04FF
// (ASCII, a few Latin-1 signs and Cyrillic) and U+2000..U+212F (dashes,
// quotes, the euro, "№", "™"). A table for each gives any byte in one
// look-up; -1 where the code page has none.
struct CharacterRange
{
    char16_t first;
    char16_t end;
};

constexpr CharacterRange lowRange{0x0000, 0x0500};
constexpr CharacterRange punctuationRange{0x2000, 0x2130};

constexpr bool inRange(char16_t character, CharacterRange range)
{
    return character >= range.first && character < range.end;
}

template<std::size_t Size>
constexpr std::array<std::int16_t, Size> byteTable(CharacterRange range)
{
    std::array<std::int16_t, Size> table{};
    for (std::size_t offset = 0; offset < Size; ++offset) {
        const std::size_t character = range.first + offset;
        table[offset] = static_cast<std::int16_t>(character < 0x80 ? character : -1);
    }
    for (std::size_t index = 0; index < upperHalf.size(); ++index) {
        const char16_t character = upperHalf[index];
        if (character != 0 && inRange(character, range))
            table[character - range.first] = static_cast<std::int16_t>(0x80 + index);
    }
    return table;
}

constexpr auto lowCharacters = byteTable<lowRange.end - lowRange.first>(lowRange);
constexpr auto punctuation
    = byteTable<punctuationRange.end - punctuationRange.first>(punctuationRange);

static_assert(std::ranges::all_of(upperHalf, [](char16_t character) {
    return character == 0 || inRange(character, lowRange) || inRange(character, punctuationRange);
}));

inline int mappedByte(char16_t character)
{
    if (character < lowRange.end)
        return lowCharacters[character];
    if (inRange(character, punctuationRange))
        return punctuation[character - punctuationRange.first];
    return Windows1251::unmapped;
}

// Notes the unmapped character at the start of rest, a surrogate pair being
// one character, and returns its length in code units.
qsizetype replaceCharacter(QStringView rest, QString &replaced)
{
    const bool pair = rest.size() > 1 && rest[0].isHighSurrogate() && rest[1].isLowSurrogate();
    const QStringView character = rest.first(pair ? 2 : 1);
    if (!replaced.contains(character))
        replaced += character;
    return character.size();
}

constexpr qsizetype blockLength = 8;

#if defined(__SSE2__)
// Encodes eight characters at once if each is ASCII or one of А..я, which
// map in order onto 0xC0..0xFF; those make up nearly all of a Russian text.
bool encodeBlock(const char16_t *in, char *out)
{
    // SSE2 compares 16-bit lanes as signed; flipping the top bit makes the
    // compare unsigned.
    const __m128i top = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i characters = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
    const __m128i ascii = _mm_cmplt_epi16(_mm_xor_si128(characters, top),
                                          _mm_set1_epi16(static_cast<short>(0x8080)));
    const __m128i fromA = _mm_sub_epi16(characters, _mm_set1_epi16(0x0410));
    const __m128i cyrillic
        = _mm_cmplt_epi16(_mm_xor_si128(fromA, top), _mm_set1_epi16(static_cast<short>(0x8040)));
    if (_mm_movemask_epi8(_mm_or_si128(ascii, cyrillic)) != 0xFFFF)
        return false;
    const __m128i cyrillicBytes = _mm_add_epi16(fromA, _mm_set1_epi16(0xC0));
    const __m128i bytes
        = _mm_or_si128(_mm_and_si128(ascii, characters), _mm_andnot_si128(ascii, cyrillicBytes));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(bytes, bytes));
    return true;
}
#else
bool encodeBlock(const char16_t *, char *)
{
    return false;
}
#endif

// Encodes a block at a time where it can and character by character
// elsewhere; returns where the bytes end.
char *encode(QStringView text, char *out, QString &replaced)
{
    const char16_t *in = text.utf16();
    const char16_t *const end = in + text.size();
    while (in != end) {
        if (end - in >= blockLength && encodeBlock(in, out)) {
            in += blockLength;
            out += blockLength;
            continue;
        }
        const int byte = mappedByte(*in);
        if (byte != Windows1251::unmapped) [[likely]] {
            *out++ = static_cast<char>(byte);
            ++in;
            continue;
        }
        *out++ = Windows1251::replacement;
        in += replaceCharacter(QStringView(in, end), replaced);
    }
    return out;
}

} // namespace

int Windows1251::byteFor(char16_t character)
{
    return mappedByte(character);
}

QString Windows1251::append(QStringView text, QByteArray &bytes)
{
    return append(std::span<const QStringView>(&text, 1), bytes);
}

QString Windows1251::append(std::span<const QStringView> texts, QByteArray &bytes)
{
    qsizetype length = 0;
    for (const QStringView text : texts)
        length += text.size();
    const qsizetype start = bytes.size();
    bytes.resize(start + length);
    char *out = bytes.data() + start;
    QString replaced;
    for (const QStringView text : texts)
        out = encode(text, out, replaced);
    bytes.truncate(out - bytes.data());
    return replaced;
}
