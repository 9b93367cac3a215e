#pragma once

#include "FileOutput.h"

#include <QFile>

#include <memory>

// Replaces a regular file atomically: the document goes into a temporary
// file with a short name beside it, which is flushed to disk and renamed over
// the file, keeping its permissions. A symbolic link keeps pointing where it
// did and its target is replaced. A FIFO, device or socket is written
// directly, because renaming over such a node would destroy it; a FIFO
// without a reader is refused instead of waited for.
class SaveFileOutput final : public FileOutput
{
public:
    SaveFileOutput();

    bool open(const QString &typedPath) override;
    bool write(QByteArrayView bytes) override;
    bool commit() override;
    QString location() const override;
    QString errorString() const override;

private:
    bool openNode(const QString &path);
    bool openTemporary(const QString &target);
    bool replaceTarget();
    bool fail(const QString &reason);
    bool failWithSystemReason(const QFileDevice &file);

    std::unique_ptr<QFile> m_file;
    // The file the temporary file replaces on commit; empty for a node.
    QString m_target;
    QString m_location;
    QString m_error;
};
