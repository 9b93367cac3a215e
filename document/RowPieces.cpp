#include "RowPieces.h"

void RowPieces::clear()
{
    m_pieceCount = 0;
    m_readCount = 0;
}

void RowPieces::add(QStringView piece)
{
    Q_ASSERT(m_pieceCount < maxPieces);
    if (!piece.isEmpty())
        m_pieces[m_pieceCount++] = piece;
}

void RowPieces::addRead(QString text)
{
    Q_ASSERT(m_readCount < maxReadTexts);
    QString &held = m_readTexts[m_readCount++];
    held = std::move(text);
    add(held);
}

std::span<const QStringView> RowPieces::pieces() const
{
    return {m_pieces.data(), m_pieceCount};
}

QString RowPieces::joined() const
{
    QString line;
    for (const QStringView piece : pieces())
        line += piece;
    return line;
}
