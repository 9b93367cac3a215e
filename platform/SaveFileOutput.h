#pragma once

#include "DocumentFile.h"
#include "FileOutput.h"

// Writes the document to the file a typed path leads to on this system (see
// DocumentPath), the way the system's DocumentFile keeps a replaced file
// whole, and refuses a path that leads nowhere before anything is written.
class SaveFileOutput final : public FileOutput
{
public:
    bool open(const QString &typedPath) override;
    bool write(QByteArrayView bytes) override;
    bool commit() override;
    QString location() const override;
    QString errorString() const override;
    QString redirection() const override;

private:
    bool fail(const QString &reason);

    std::unique_ptr<DocumentFile> m_file;
    QString m_location;
    QString m_redirection;
    QString m_error;
};
