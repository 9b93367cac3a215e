#include "MemoryOutput.h"

bool MemoryOutput::open(const QString &typedPath)
{
    bytes.clear();
    path = typedPath;
    return true;
}

bool MemoryOutput::write(QByteArrayView written)
{
    bytes.append(written);
    return true;
}

bool MemoryOutput::commit()
{
    return true;
}

QString MemoryOutput::location() const
{
    return path;
}

QString MemoryOutput::errorString() const
{
    return {};
}
