#include "SaveFileOutput.h"

#include "DocumentPath.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {

QString refusal(DocumentPath::Problem problem)
{
    switch (problem) {
    case DocumentPath::Problem::Empty:
        return u"не указано имя файла"_s;
    case DocumentPath::Problem::ControlCharacter:
        return u"в пути есть управляющие или невидимые символы (например, перевод строки)"_s;
    case DocumentPath::Problem::NetworkPath:
        return u"сетевые пути (\\\\сервер\\папка) здесь недоступны"_s;
    case DocumentPath::Problem::None:
        break;
    }
    return {};
}

} // namespace

bool SaveFileOutput::open(const QString &typedPath)
{
    m_file.reset();
    m_error.clear();
    m_redirection.clear();
    const DocumentPath path = DocumentPath::resolve(typedPath);
    m_location = path.location;
    if (path.problem != DocumentPath::Problem::None)
        return fail(refusal(path.problem));
    m_file = DocumentFile::open(m_location, m_error);
    if (m_file && m_file->location() != m_location)
        m_redirection = m_location = m_file->location();
    return m_file != nullptr;
}

bool SaveFileOutput::write(QByteArrayView bytes)
{
    if (!m_file)
        return false;
    return m_file->write(bytes) || fail(m_file->errorString());
}

bool SaveFileOutput::commit()
{
    if (!m_file)
        return false;
    if (!m_file->commit())
        return fail(m_file->errorString());
    m_file.reset();
    return true;
}

QString SaveFileOutput::location() const
{
    return QDir::toNativeSeparators(m_location);
}

QString SaveFileOutput::redirection() const
{
    return QDir::toNativeSeparators(m_redirection);
}

QString SaveFileOutput::errorString() const
{
    return m_error;
}

bool SaveFileOutput::fail(const QString &reason)
{
    m_error = reason;
    m_file.reset();
    return false;
}
