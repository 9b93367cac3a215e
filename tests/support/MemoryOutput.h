#pragma once

#include "FileOutput.h"

#include <QByteArray>

// Keeps the document in memory instead of a file.
class MemoryOutput final : public FileOutput
{
public:
    bool open(const QString &typedPath) override;
    bool write(QByteArrayView written) override;
    bool commit() override;
    QString location() const override;
    QString errorString() const override;

    QByteArray bytes;
    QString path;
};
