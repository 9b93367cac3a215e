#pragma once

#include <QFile>

// Whole-file reads and writes; a failure reads as empty or false.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray testData(const QString &name)
{
    return readFile(QStringLiteral(FOLVAR_TEST_DATA "/") + name);
}
