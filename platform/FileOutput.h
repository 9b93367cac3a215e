#pragma once

#include <QByteArrayView>
#include <QString>

// Writes one document file. The file at the path changes only when commit()
// succeeds; a failed or abandoned output leaves whatever stood there before.
class FileOutput
{
public:
    virtual ~FileOutput() = default;

    // Starts a new document for the path as the user typed it.
    virtual bool open(const QString &typedPath) = 0;
    virtual bool write(QByteArrayView bytes) = 0;
    // Puts the written bytes in place of the file and releases it.
    virtual bool commit() = 0;
    // Where the typed path leads on this system, once open() has resolved it.
    virtual QString location() const = 0;
    // Why the last step failed, in the user's language where the system has it.
    virtual QString errorString() const = 0;
    // Where the document went when the system refused the place the typed
    // path leads to and the output put it elsewhere; empty otherwise.
    virtual QString redirection() const { return {}; }
};
