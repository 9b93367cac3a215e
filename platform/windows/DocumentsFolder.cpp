// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentsFolder.h"

#include <windows.h>
// shlobj.h needs the types of windows.h.
#include <shlobj.h>

QString documentsFolder()
{
    PWSTR path = nullptr;
    const bool found = SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path) == S_OK;
    QString folder = found ? QString::fromWCharArray(path) : QString();
    CoTaskMemFree(path);
    return folder;
}
