#pragma once

#include "FileOutput.h"

#include <QFileDevice>

#include <memory>

// Replaces a regular file atomically through QSaveFile. A path that names an
// existing FIFO, device or socket is written directly, because renaming a
// temporary file over such a node would destroy it.
class SaveFileOutput final : public FileOutput
{
public:
    bool open(const QString &typedPath) override;
    bool write(QByteArrayView bytes) override;
    bool commit() override;
    QString errorString() const override;

private:
    bool fail(const QString &reason);

    std::unique_ptr<QFileDevice> m_file;
    QString m_error;
};
