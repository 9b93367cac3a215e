#pragma once

#include "ShellOpener.h"

#include <QList>

// Keeps every request instead of carrying it out.
class RecordingShellOpener final : public ShellOpener
{
public:
    static constexpr quintptr desktopHandle = 0x10010;

    quintptr desktopWindow() override;
    bool openDocument(const ShellRequest &request) override;
    void openAddress(const ShellRequest &request) override;

    QList<ShellRequest> documents;
    QList<ShellRequest> addresses;
    int desktopWindowCalls = 0;
    bool canOpenDocuments = true;
};
