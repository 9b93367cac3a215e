#pragma once

#include "FormReader.h"

#include <QList>
#include <QString>

class FileOutput;
class ShellOpener;

// Characters of one written row that the code page lacks and that were
// written as '?'.
struct RowReplacement
{
    int row = 0;
    QList<char32_t> characters;

    friend bool operator==(const RowReplacement &, const RowReplacement &) = default;
};

struct GenerateResult
{
    QString typedPath;
    // Where the document goes on this system, once the output has resolved it.
    QString location;
    // Why the document was not written; empty when it was, or when no
    // layout was selected and nothing was to be written.
    QString error;
    QList<RowReplacement> replacements;
    bool written = false;
    // Whether anything could be started to show the document.
    bool opened = false;

    bool succeeded() const { return error.isEmpty(); }
};

// Writes the power of attorney in the selected layout to the path in the
// form, then asks the shell to open that path maximised. It does not decide
// what the user sees; it reports what happened, and after a failed write it
// makes no request.
class GenerateCommand
{
public:
    GenerateCommand(FileOutput &output, ShellOpener &shell);

    GenerateResult run(const FormReader &form);

private:
    bool writeDocument(Layout layout, const FormReader &form, GenerateResult &result);

    FileOutput &m_output;
    ShellOpener &m_shell;
};
