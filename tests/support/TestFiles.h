// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// A whole file; empty where it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

// A field of a file under tests/data: "\n" stands for a line break and
// "\uXXXX" for a UTF-16 unit.
inline QString unescaped(QString field)
{
    static const QRegularExpression code(QStringLiteral("\\\\u([0-9A-F]{4})"));
    field.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    // All at once: a pair of surrogates is not text until both halves stand.
    QString text;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &found : code.globalMatch(field)) {
        text += field.sliced(done, found.capturedStart() - done);
        text += QChar(found.captured(1).toUShort(nullptr, 16));
        done = found.capturedEnd();
    }
    return text + field.sliced(done);
}

// Declares a text column for each name and adds a row for each line of a
// file under tests/data: its name, then its fields.
inline void addTestRows(const QString &name, std::initializer_list<const char *> columns)
{
    for (const char *column : columns)
        QTest::addColumn<QString>(column);
    for (const QStringList &row : testRows(name)) {
        QTestData &data = QTest::newRow(qPrintable(row[0]));
        for (qsizetype field = 1; field <= qsizetype(columns.size()); ++field)
            data << unescaped(row.value(field));
    }
}
