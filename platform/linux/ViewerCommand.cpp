// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewerCommand.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

// An application by the name of its executable, and the arguments that
// tell it the document's encoding, each checked against the application's
// own --help. LibreOffice needs this exact filter name: "CP1251" or
// "windows-1251" silently give mojibake, and ",CRLF" doubles every line
// break. Its executable may carry a version, as in "libreoffice7.6".
struct KnownViewer
{
    QStringView executable;
    bool versioned;
    std::array<QStringView, 2> hint;
};

constexpr std::array knownViewers{
    KnownViewer{u"libreoffice", true, {u"--infilter=Text (encoded):MS_1251"}},
    KnownViewer{u"soffice", false, {u"--infilter=Text (encoded):MS_1251"}},
    KnownViewer{u"lowriter", false, {u"--infilter=Text (encoded):MS_1251"}},
    KnownViewer{u"gedit", false, {u"--encoding=WINDOWS-1251"}},
    KnownViewer{u"pluma", false, {u"--encoding=WINDOWS-1251"}},
    KnownViewer{u"mousepad", false, {u"--encoding=WINDOWS-1251"}},
    KnownViewer{u"kate", false, {u"--encoding", u"windows-1251"}},
    KnownViewer{u"kwrite", false, {u"--encoding", u"windows-1251"}},
};

bool names(const KnownViewer &viewer, const QString &executableName)
{
    return viewer.versioned ? executableName.startsWith(viewer.executable)
                            : executableName == viewer.executable;
}

} // namespace

std::optional<ViewerCommand> ViewerCommand::forApplication(const QString &executable,
                                                           const QString &file)
{
    const QString name = QFileInfo(executable).fileName();
    const auto *const viewer = std::ranges::find_if(
        knownViewers, [&name](const KnownViewer &known) { return names(known, name); });
    if (viewer == knownViewers.end())
        return std::nullopt;
    ViewerCommand command{executable, {}};
    for (const QStringView argument : viewer->hint) {
        if (!argument.isEmpty())
            command.arguments.append(argument.toString());
    }
    command.arguments.append(file);
    return command;
}
