// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentPath.h"

#include "DocumentsFolder.h"

#include <QDir>

#include <windows.h>

using namespace Qt::Literals::StringLiterals;

// Windows takes a full path as it stands. Any other is taken from the user's
// Documents folder, as if that were the current one, never from the folder
// folvar was started in: "x.doc" and "sub\x.doc" inside it, "\x.doc" at the
// root of its drive, "C:x.doc" inside it where it is on C: and at the root of
// C: otherwise. Then Windows itself says what the path is, so that a device's
// name is known as Windows knows it, and a name's trailing dots and spaces
// are dropped as Windows drops them.

namespace {

bool isSeparator(QChar character)
{
    return character == u'\\' || character == u'/';
}

QString fromDocuments(const QString &path)
{
    const QString documents = documentsFolder();
    const bool rooted = !path.isEmpty() && isSeparator(path[0]);
    const bool drive = DocumentPath::startsWithDrive(path);
    if (documents.isEmpty() || (rooted && path.size() > 1 && isSeparator(path[1]))
        || (drive && path.size() > 2 && isSeparator(path[2])))
        return path;
    if (rooted)
        return documents.first(2) + path;
    if (!drive)
        return documents + u'\\' + path;
    const bool documentsDrive = path.first(2).compare(documents.first(2), Qt::CaseInsensitive) == 0;
    return documentsDrive ? documents + u'\\' + path.sliced(2)
                          : path.first(2) + u'\\' + path.sliced(2);
}

// The path as GetFullPathNameW gives it; empty where it gives nothing.
QString fullPath(const QString &path)
{
    const std::wstring given = QDir::toNativeSeparators(path).toStdWString();
    const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size > 0 ? GetFullPathNameW(given.c_str(), size, full.data(), nullptr) : 0;
    return length > 0 && length < size ? QString::fromWCharArray(full.data(), length) : QString();
}

// A colon after the drive's names a stream of the file, which no program
// that shows the file shows.
bool namesStream(const QString &path)
{
    const qsizetype drive = path.startsWith(R"(\\?\)"_L1) ? 4 : 0;
    return path.indexOf(u':', DocumentPath::startsWithDrive(path.sliced(drive)) ? drive + 2 : drive)
           >= 0;
}

} // namespace

DocumentPath DocumentPath::locate(const QString &typedPath)
{
    const QString path = fullPath(fromDocuments(typedPath));
    if (path.isEmpty())
        return {{}, Problem::Empty};
    if (path.startsWith(R"(\\.\)"_L1))
        return {{}, Problem::Device};
    if (namesStream(path))
        return {{}, Problem::Stream};
    return {path, Problem::None};
}
