#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes for the tests; a failure reads as empty or false.
QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);
