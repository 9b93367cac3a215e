// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Windows1251.h"

#include <QHash>
#include <QSet>

#include <array>

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

// The byte of each character of the upper half.
const QHash<char16_t, int> &upperBytes()
{
    static const QHash<char16_t, int> bytes = [] {
        QHash<char16_t, int> byCharacter;
        for (std::size_t index = 0; index < upperHalf.size(); ++index) {
            if (upperHalf[index] != 0)
                byCharacter.insert(upperHalf[index], static_cast<int>(0x80 + index));
        }
        return byCharacter;
    }();
    return bytes;
}

// The character at the start of text, a surrogate pair being one, and the
// number of code units it takes.
std::pair<char32_t, qsizetype> characterAt(QStringView text)
{
    if (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate())
        return {QChar::surrogateToUcs4(text[0], text[1]), 2};
    return {text[0].unicode(), 1};
}

} // namespace

// Control characters other than TAB, LF and CR have no place in a document;
// written raw, 0x1A would end it for many Windows programs.
int Windows1251::byteFor(char16_t character)
{
    if (character == u'\t' || character == u'\n' || character == u'\r')
        return character;
    if (character < 0x20 || character == 0x7F)
        return unmapped;
    if (character < 0x80)
        return character;
    return upperBytes().value(character, unmapped);
}

// Text is composed first: a letter typed or pasted as a base and a mark
// ("И" and U+0306) is the one letter the code page has ("Й").
Windows1251::Encoded Windows1251::encode(QStringView typed)
{
    const QString text = typed.toString().normalized(QString::NormalizationForm_C);
    Encoded encoded;
    encoded.bytes.reserve(text.size());
    QSet<char32_t> listed;
    for (qsizetype index = 0; index < text.size();) {
        const int byte = byteFor(text[index].unicode());
        if (byte != unmapped) {
            encoded.bytes += static_cast<char>(byte);
            ++index;
            continue;
        }
        const auto [character, length] = characterAt(QStringView(text).sliced(index));
        encoded.bytes += replacement;
        if (!listed.contains(character)) {
            listed.insert(character);
            encoded.replaced.append(character);
        }
        index += length;
    }
    return encoded;
}
