// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QStringView>

// Encodes text in Windows-1251, whatever the system locale, once it is
// composed (Unicode's NFC). A character the code page lacks, and a control character other than
// TAB, LF and CR, becomes one '?' (a surrogate pair counts as one character). Qt's own encoder
// writes 0x1A there, which many Windows programs read as the end of the file.
class Windows1251
{
public:
    static constexpr char replacement = '?';
    static constexpr int unmapped = -1;

    struct Encoded
    {
        QByteArray bytes;
        // The characters written as '?', each once, in order of first appearance.
        QList<char32_t> replaced;
    };

    static Encoded encode(QStringView typed);
    // The byte for one UTF-16 code unit, or unmapped.
    static int byteFor(char16_t character);
};
