// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentWriter.h"

#include "DocumentFile.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// How often waiting at exit looks again whether the document turned out to
// go to a FIFO or device.
constexpr int exitCheckMilliseconds = 100;

} // namespace

DocumentWriter::DocumentWriter(DocumentFile &file, ShellOpener &shell)
    : m_file(file)
    , m_command(file, shell)
{
}

DocumentWriter::~DocumentWriter()
{
    if (m_thread)
        m_thread->wait();
}

bool DocumentWriter::start(const FormReader &form)
{
    if (m_thread)
        return false;
    m_thread.reset(QThread::create([this, document = GenerateCommand::prepare(form)] {
        m_result = m_command.write(document);
    }));
    connect(m_thread.get(), &QThread::finished, this, &DocumentWriter::show);
    m_thread->start();
    return true;
}

bool DocumentWriter::isWriting() const
{
    return m_thread != nullptr;
}

bool DocumentWriter::goesToStream() const
{
    return m_file.isStream();
}

bool DocumentWriter::abandon()
{
    m_abandoned = m_abandoned || (m_thread && m_file.abandon());
    return m_abandoned;
}

bool DocumentWriter::finishBeforeExit(QDeadlineTimer deadline)
{
    while (m_thread && !m_thread->wait(std::min(deadline, QDeadlineTimer(exitCheckMilliseconds)))) {
        if (m_file.isStream() || m_abandoned || deadline.hasExpired())
            return false;
    }
    return true;
}

// The thread says it has finished just before it ends.
void DocumentWriter::show()
{
    m_thread->wait();
    m_thread.reset();
    m_abandoned = false;
    Q_EMIT finished(m_command.show(std::exchange(m_result, {})));
}
