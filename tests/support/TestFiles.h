#pragma once

#include <QFile>
#include <QStringList>
#include <QTest>

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

// The tab-separated fields of each line of a file under tests/data; lines
// starting with '#' are comments.
inline QList<QStringList> testRows(const QString &name)
{
    QList<QStringList> rows;
    for (const QString &line : QString::fromUtf8(testData(name)).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u'#'))
            rows.append(line.split(u'\t'));
    }
    return rows;
}

// Declares a text column for each name and adds a row for each line of a
// file under tests/data: its name, then its fields, "\n" for a line break.
inline void addTestRows(const QString &name, std::initializer_list<const char *> columns)
{
    for (const char *column : columns)
        QTest::addColumn<QString>(column);
    for (const QStringList &row : testRows(name)) {
        QTestData &data = QTest::newRow(qPrintable(row[0]));
        for (qsizetype field = 1; field <= qsizetype(columns.size()); ++field)
            data << QString(row.value(field)).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    }
}
