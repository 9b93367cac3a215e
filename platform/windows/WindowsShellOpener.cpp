// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowsShellOpener.h"

#include "WindowsShell.h"

namespace {

constexpr int showNormal = 1;
constexpr int showMaximized = 3;

} // namespace

DocumentViewer WindowsShellOpener::viewerFor(const QString &file)
{
    return {file, {}};
}

bool WindowsShellOpener::openDocument(const DocumentViewer &viewer)
{
    return WindowsShell::execute(0, L"open", viewer.file.toStdWString(), L"", L"", showMaximized);
}

void WindowsShellOpener::openAddress(const QString &address)
{
    const bool mail = address.startsWith(QLatin1StringView("mailto:"), Qt::CaseInsensitive);
    WindowsShell::execute(mail ? 0 : WindowsShell::desktopWindow(), L"Open", address.toStdWString(),
                          L"", mail ? L"" : L"c:\\", showNormal);
}
