// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowsShellOpener.h"

namespace {

constexpr int showNormal = 1;
constexpr int showMaximized = 3;

} // namespace

WindowsShellOpener::WindowsShellOpener(WindowsShell::Execute execute)
    : m_execute(execute)
{
}

DocumentViewer WindowsShellOpener::viewerFor(const QString &file)
{
    return {file, {}};
}

bool WindowsShellOpener::openDocument(const DocumentViewer &viewer)
{
    return WindowsShell::execute(m_execute, nullptr, L"open", viewer.file.toStdWString(), L"", L"",
                                 showMaximized);
}

void WindowsShellOpener::openAddress(const QString &address)
{
    const bool mail = address.startsWith(QLatin1StringView("mailto:"), Qt::CaseInsensitive);
    WindowsShell::execute(m_execute, mail ? nullptr : WindowsShell::desktopWindow(), L"Open",
                          address.toStdWString(), L"", mail ? L"" : L"c:\\", showNormal);
}
