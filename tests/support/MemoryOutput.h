#pragma once

#include "FileOutput.h"

#include <QByteArray>

// Keeps the document in memory instead of a file.
class MemoryOutput final : public FileOutput
{
public:
    bool open(const QString &typedPath) override
    {
        bytes.clear();
        path = typedPath;
        return true;
    }
    bool write(QByteArrayView written) override
    {
        bytes.append(written);
        return true;
    }
    bool commit() override { return true; }
    QString location() const override { return path; }
    QString errorString() const override { return {}; }

    QByteArray bytes;
    QString path;
};
