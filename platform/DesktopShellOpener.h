#pragma once

#include "ShellOpener.h"

// Opens requests on a Linux desktop without waiting for what they start.
// The document goes to the desktop's default application for its type,
// told the encoding where it can be (see ViewerCommand), otherwise to the
// desktop's opener (xdg-open) as a file URL. Linux has no desktop window
// handle and no show command, so the owner is 0 and the show command is
// dropped.
class DesktopShellOpener final : public ShellOpener
{
public:
    quintptr desktopWindow() override;
    bool openDocument(const ShellRequest &request) override;
    void openAddress(const ShellRequest &request) override;
};
