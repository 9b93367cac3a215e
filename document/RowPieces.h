#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <span>

// The pieces of one written row in order: fixed texts as views, and the
// captions and values read from the form, held here while the row is written.
// Encoding the pieces where they lie spares building the row as one string.
class RowPieces
{
public:
    static constexpr std::size_t maxPieces = 12;
    static constexpr std::size_t maxReadTexts = 6;

    void clear();
    void add(QStringView piece);
    void addRead(QString text);

    std::span<const QStringView> pieces() const;
    QString joined() const;

private:
    std::array<QStringView, maxPieces> m_pieces;
    std::array<QString, maxReadTexts> m_readTexts;
    std::size_t m_pieceCount = 0;
    std::size_t m_readCount = 0;
};
