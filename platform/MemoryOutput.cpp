#include "MemoryOutput.h"

// Keeps the capacity of the previous document.
bool MemoryOutput::open(const QString &)
{
    m_bytes.resize(0);
    return true;
}

bool MemoryOutput::write(QByteArrayView bytes)
{
    m_bytes.append(bytes);
    return true;
}

bool MemoryOutput::commit()
{
    return true;
}

QString MemoryOutput::errorString() const
{
    return {};
}
