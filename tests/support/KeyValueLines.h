#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The "key=value" lines of a UTF-8 text, as the filled form's values and the
// desktop entry hold them; lines without a key are passed over.
inline QList<std::pair<QString, QString>> keyValueLines(const QByteArray &text)
{
    QList<std::pair<QString, QString>> pairs;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            pairs.append(
                {QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1))});
    }
    return pairs;
}
