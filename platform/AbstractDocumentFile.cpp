// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AbstractDocumentFile.h"

#include "DocumentPath.h"

#include <QRandomGenerator>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int temporaryAttempts = 100;

QString refusal(DocumentPath::Problem problem)
{
    switch (problem) {
    case DocumentPath::Problem::Empty:
        return u"не указано имя файла"_s;
    case DocumentPath::Problem::ControlCharacter:
        return u"в пути есть управляющие или невидимые символы (например, перевод строки)"_s;
    case DocumentPath::Problem::NetworkPath:
        return u"сетевые пути (\\\\сервер\\папка) здесь недоступны"_s;
    case DocumentPath::Problem::NoHome:
        return u"путь с диском ведёт в домашнюю папку, а её у пользователя нет"_s;
    case DocumentPath::Problem::Device:
        return u"это имя устройства Windows (например, NUL, CON, COM1), а не файла"_s;
    case DocumentPath::Problem::Stream:
        return u"двоеточие после имени файла ведёт в скрытый поток данных файла, и документ "
               u"не было бы видно"_s;
    case DocumentPath::Problem::None:
        break;
    }
    return {};
}

} // namespace

QString AbstractDocumentFile::locate(const QString &typedPath) const
{
    return DocumentPath::resolve(typedPath).location;
}

bool AbstractDocumentFile::open(const QString &typedPath)
{
    release();
    m_open = false;
    m_elsewhere = false;
    m_stream = false;
    m_namedAsText = true;
    m_stage = Stage::Writing;
    m_pending.clear();
    m_error.clear();
    m_warning.clear();
    const DocumentPath path = DocumentPath::resolve(typedPath);
    m_location = path.location;
    if (path.problem != DocumentPath::Problem::None)
        return fail(refusal(path.problem));
    m_open = begin();
    return m_open;
}

bool AbstractDocumentFile::write(QByteArrayView bytes)
{
    if (!m_open)
        return false;
    if (m_stream)
        return writeThrough(bytes);
    m_pending += bytes;
    return true;
}

// Windows writes no document to a stream: a device is not a file there.
bool AbstractDocumentFile::writeThrough(QByteArrayView)
{
    return fail(u"это устройство, а не файл"_s);
}

bool AbstractDocumentFile::commit()
{
    if (!m_open)
        return false;
    m_stage = Stage::Flushing;
    if (!finish(std::exchange(m_pending, {})))
        return false;
    m_open = false;
    return true;
}

bool AbstractDocumentFile::abandon()
{
    const std::lock_guard lock(m_releasing);
    Stage flushing = Stage::Flushing;
    if (!m_stage.compare_exchange_strong(flushing, Stage::Abandoned))
        return flushing == Stage::Abandoned;
    removeTemporary();
    return true;
}

bool AbstractDocumentFile::mayPlace()
{
    Stage flushing = Stage::Flushing;
    return m_stage.compare_exchange_strong(flushing, Stage::Placing)
           || fail(u"документ оставлен, когда закрывали окно"_s);
}

QString AbstractDocumentFile::location() const
{
    return m_location;
}

QString AbstractDocumentFile::warning() const
{
    return m_warning;
}

void AbstractDocumentFile::warn(const QString &warning)
{
    m_warning = warning;
}

bool AbstractDocumentFile::wentElsewhere() const
{
    return m_elsewhere;
}

QString AbstractDocumentFile::errorString() const
{
    return m_error;
}

bool AbstractDocumentFile::isStream() const
{
    return m_stream;
}

bool AbstractDocumentFile::namedAsText() const
{
    return m_namedAsText;
}

bool AbstractDocumentFile::fail(const QString &reason)
{
    m_error = reason;
    m_open = false;
    m_pending.clear();
    const std::lock_guard lock(m_releasing);
    // A failed document can no longer be abandoned.
    Stage flushing = Stage::Flushing;
    m_stage.compare_exchange_strong(flushing, Stage::Writing);
    release();
    return false;
}

bool AbstractDocumentFile::failAsFolder()
{
    return fail(u"по этому пути папка, а не файл"_s);
}

void AbstractDocumentFile::setLocation(const QString &location)
{
    m_location = location;
}

void AbstractDocumentFile::goElsewhere(const QString &location)
{
    m_location = location;
    m_elsewhere = true;
}

void AbstractDocumentFile::setStream()
{
    m_stream = true;
}

void AbstractDocumentFile::setNamedAsText(bool text)
{
    m_namedAsText = text;
}

void AbstractDocumentFile::makeTemporary(const std::function<bool(const QString &)> &make)
{
    for (int attempt = 0; attempt < temporaryAttempts; ++attempt) {
        if (make(u".folvar-"_s + QString::number(QRandomGenerator::global()->generate(), 36)))
            return;
    }
}
