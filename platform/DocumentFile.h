#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

// One document on its way into its file, written the way this system keeps a
// replaced file whole. Until commit() succeeds the file keeps what it held;
// a document dropped before then leaves no trace.
class DocumentFile
{
public:
    virtual ~DocumentFile() = default;

    // Starts the document for an absolute path; null, with the system's
    // reason, when the file cannot be written.
    static std::unique_ptr<DocumentFile> open(const QString &location, QString &reason);

    virtual bool write(QByteArrayView bytes) = 0;
    // Puts the written bytes in place and releases the file.
    virtual bool commit() = 0;
    // Why the last step failed, in the system's own words.
    virtual QString errorString() const = 0;
    // Where the document goes: the path it was opened for, or the place the
    // system put it instead.
    virtual QString location() const = 0;
};
