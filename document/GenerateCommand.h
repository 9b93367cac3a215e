// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FormReader.h"
#include "ShellOpener.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class DocumentFile;

// Characters of one field that the code page lacks and that were written
// as '?'; the field by the name its caption gives it.
struct FieldReplacement
{
    QString field;
    QList<char32_t> characters;

    friend bool operator==(const FieldReplacement &, const FieldReplacement &) = default;
};

// The document as the form held it at the click, encoded for its file.
struct PreparedDocument
{
    QString typedPath;
    // None when neither option is selected: nothing is written then.
    std::optional<Layout> layout;
    QByteArray bytes;
    QList<FieldReplacement> replacements;
};

enum class Outcome { Written, NotWritten, NothingToWrite };

// Whether the document was handed to an application to show it, or why not.
enum class Showing { Started, NothingStarted, NotAFile, NameNotText };

struct GenerateResult
{
    Outcome outcome = Outcome::NothingToWrite;
    QString typedPath;
    // Where the document goes on this system, once the file has resolved it.
    QString location;
    // Why the document was not written; never empty when it was not. What
    // the user should know of one that was written all the same.
    QString reason;
    QList<FieldReplacement> replacements;
    Showing showing = Showing::NothingStarted;
    // What the shell is handed, where the document can be shown.
    std::optional<DocumentViewer> viewer;
    // Whether the system put the document elsewhere than the path leads.
    bool elsewhere = false;
};

// Writes the power of attorney in the selected layout to the path in the
// form, then asks the shell to open it maximised. It does not decide what
// the user sees; it reports what happened, and after a failed write it makes
// no request. The three steps may run on different threads: the form is read
// where it lives, the file written, and what showing it needs worked out,
// wherever waiting does no harm, and the shell asked where it lives.
class GenerateCommand
{
public:
    GenerateCommand(DocumentFile &file, ShellOpener &shell);

    static PreparedDocument prepare(const FormReader &form);
    // Writes the document, or, where nothing is to be written, finds the
    // typed path, and works out how the file there is to be shown.
    GenerateResult write(const PreparedDocument &document);
    // Asks the shell to show the file, where it can be shown.
    GenerateResult show(GenerateResult result);

private:
    GenerateResult viewed(GenerateResult result);
    GenerateResult failed(GenerateResult result);

    DocumentFile &m_file;
    ShellOpener &m_shell;
};
