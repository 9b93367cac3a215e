#include "MemoryOutput.h"

bool MemoryOutput::open(const QString &)
{
    m_bytes.clear();
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
