#pragma once

#include "ShellOpener.h"

#include <QList>

// Keeps every request instead of carrying it out, for tests.
class RecordingShellOpener final : public ShellOpener
{
public:
    static constexpr quintptr desktopHandle = 0x10010;

    quintptr desktopWindow() override;
    void execute(const ShellRequest &request) override;

    QList<ShellRequest> requests;
    int desktopWindowCalls = 0;
};
