#pragma once

#include <QList>
#include <QString>
#include <QStringView>

class FileOutput;
class FormReader;
class ShellOpener;

// Characters of one written row that the code page lacks and that were
// written as '?'.
struct RowReplacement
{
    int row = 0;
    QString characters;

    friend bool operator==(const RowReplacement &, const RowReplacement &) = default;
};

struct GenerateResult
{
    // Names the path and the system's reason; empty when the command succeeded.
    QString error;
    QList<RowReplacement> replacements;

    bool succeeded() const { return error.isEmpty(); }
};

// Writes the power of attorney in the selected layout to the path in the
// form, then asks the shell to open that path maximised. It does not decide
// what the user sees of a failure; it reports it, and then makes no request.
class GenerateCommand
{
public:
    static constexpr QStringView pathInput = u"Text8";
    static constexpr QStringView docOption = u"Option1";
    static constexpr QStringView txtOption = u"Option2";

    GenerateCommand(FileOutput &output, ShellOpener &shell);

    GenerateResult run(const FormReader &form);

private:
    FileOutput &m_output;
    ShellOpener &m_shell;
};
