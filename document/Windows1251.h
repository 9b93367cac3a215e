#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <span>

// Encodes text in Windows-1251, whatever the system locale. A character the
// code page lacks becomes one '?' (a surrogate pair counts as one character).
// Qt's own encoder writes 0x1A there, which many Windows programs read as the
// end of the file.
class Windows1251
{
public:
    static constexpr char replacement = '?';

    // Appends the encoded text to bytes and returns the characters that had
    // to be replaced, each once, in order of first appearance.
    static QString append(QStringView text, QByteArray &bytes);
    // The same for several texts written one after the other.
    static QString append(std::span<const QStringView> texts, QByteArray &bytes);

    static constexpr int unmapped = -1;

    // The byte for one UTF-16 code unit, or unmapped.
    static int byteFor(char16_t character);
};
