#pragma once

#include "ShellOpener.h"

#include <QUrl>

// Opens requests through the desktop's own opener (xdg-open on Linux)
// without waiting for it. Linux has no desktop window handle and no show
// command, so the owner is 0 and the show command is dropped.
class DesktopShellOpener final : public ShellOpener
{
public:
    quintptr desktopWindow() override;
    void execute(const ShellRequest &request) override;

    // Web and mail addresses stay addresses, with their query percent-encoded;
    // anything else is a document path and becomes one file URL, so a name
    // that starts with '-' or holds spaces or '#' never reaches the opener
    // as an option or a fragment.
    static QUrl urlFor(const QString &file);
};
