#include "GenerateCommand.h"

#include "DocumentLayout.h"
#include "FileOutput.h"
#include "FormReader.h"
#include "RowPieces.h"
#include "ShellOpener.h"
#include "Windows1251.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every written row ends in CR LF, after its own ending.
constexpr QStringView writtenEnding = u"\r\n";

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

// Reads and encodes the rows one after the other into one buffer, encoding
// each row's pieces where they lie, and writes the document at once.
bool writeDocument(Layout layout, const QString &path, const FormReader &form, FileOutput &output,
                   GenerateResult &result)
{
    if (!output.open(path)) {
        result.error = cannotWrite(path, output.errorString());
        return false;
    }
    constexpr qsizetype usualDocumentLength = 2048;
    RowPieces pieces;
    QByteArray bytes;
    bytes.reserve(usualDocumentLength);
    for (int row = 1; row <= DocumentLayout::rowCount; ++row) {
        pieces.clear();
        DocumentLayout::collectRow(layout, row, form, pieces);
        pieces.add(writtenEnding);
        const QString replaced = Windows1251::append(pieces.pieces(), bytes);
        if (!replaced.isEmpty())
            result.replacements.append({row, replaced});
    }
    if (!output.write(bytes) || !output.commit()) {
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
