#pragma once

#include "ShellOpener.h"

// Passes requests to the Windows shell unchanged.
class WindowsShellOpener final : public ShellOpener
{
public:
    quintptr desktopWindow() override;
    bool openDocument(const ShellRequest &request) override;
    void openAddress(const ShellRequest &request) override;
};
