// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

struct GenerateResult;

// What the window tells the user after generating: why the document was not
// written, that nothing could be started to show it, and which characters
// the code page lacks. Long paths and long lists are cut short, so that the
// message fits on the screen whatever was typed.
class GenerateReport
{
public:
    static constexpr qsizetype longestPath = 80;
    static constexpr qsizetype charactersPerField = 20;
    static constexpr qsizetype listedFields = 8;

    // The message to show, or an empty string when all went well.
    static QString text(const GenerateResult &result);
    // What to say when the application started to show a written document
    // ended with a failure soon after.
    static QString viewerFailed(const QString &file);
};
