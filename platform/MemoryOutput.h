#pragma once

#include "FileOutput.h"

#include <QByteArray>

// Keeps the document in memory instead of a file, for measuring and checking
// what the generate command writes.
class MemoryOutput final : public FileOutput
{
public:
    bool open(const QString &typedPath) override;
    bool write(QByteArrayView bytes) override;
    bool commit() override;
    QString errorString() const override;

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
