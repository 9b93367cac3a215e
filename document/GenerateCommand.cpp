#include "GenerateCommand.h"

#include "DocumentLayout.h"
#include "FileOutput.h"
#include "FormReader.h"
#include "ShellOpener.h"
#include "Windows1251.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<Layout> selectedLayout(const FormReader &form)
{
    if (form.isSelected(GenerateCommand::docOption))
        return Layout::Doc;
    if (form.isSelected(GenerateCommand::txtOption))
        return Layout::Txt;
    return std::nullopt;
}

QString cannotWrite(const QString &path, const QString &reason)
{
    if (path.isEmpty())
        return u"Cannot write the document: %1"_s.arg(reason);
    return u"Cannot write %1: %2"_s.arg(path, reason);
}

// Composes, encodes and writes each row in turn; only the buffers are kept
// from one row to the next.
bool writeDocument(Layout layout, const QString &path, const FormReader &form, FileOutput &output,
                   GenerateResult &result)
{
    if (!output.open(path)) {
        result.error = cannotWrite(path, output.errorString());
        return false;
    }
    QString line;
    QByteArray bytes;
    for (int row = 1; row <= DocumentLayout::rowCount; ++row) {
        line.clear();
        bytes.clear();
        DocumentLayout::appendRow(layout, row, form, line);
        const QString replaced = Windows1251::append(line, bytes);
        bytes += "\r\n";
        if (!replaced.isEmpty())
            result.replacements.append({row, replaced});
        if (!output.write(bytes)) {
            result.error = cannotWrite(path, output.errorString());
            return false;
        }
    }
    if (!output.commit()) {
        result.error = cannotWrite(path, output.errorString());
        return false;
    }
    return true;
}

} // namespace

GenerateCommand::GenerateCommand(FileOutput &output, ShellOpener &shell)
    : m_output(output)
    , m_shell(shell)
{
}

GenerateResult GenerateCommand::run(const FormReader &form)
{
    GenerateResult result;
    const QString path = form.text(pathInput);
    if (const std::optional<Layout> layout = selectedLayout(form)) {
        if (!writeDocument(*layout, path, form, m_output, result))
            return result;
    }
    m_shell.execute({0, u"open"_s, form.text(pathInput), {}, {}, ShellRequest::showMaximized});
    return result;
}
