#pragma once

#include "ShellOpener.h"

// Passes requests to the Windows shell unchanged.
class WindowsShellOpener final : public ShellOpener
{
public:
    quintptr desktopWindow() override;
    void execute(const ShellRequest &request) override;
};
