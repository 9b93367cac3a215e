#pragma once

#include "ShellRequest.h"

// Hands files and addresses to the desktop's associated applications.
// Requests return at once and their outcome is not reported.
class ShellOpener
{
public:
    virtual ~ShellOpener() = default;

    // The handle of the desktop window, the owner of requests made for it.
    virtual quintptr desktopWindow() = 0;
    virtual void execute(const ShellRequest &request) = 0;
};
