#include "GenerateCommand.h"

#include "DocumentLayout.h"
#include "FileOutput.h"
#include "ShellOpener.h"
#include "Windows1251.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every written row ends in CR LF, after its own ending.
constexpr QLatin1StringView writtenEnding("\r\n");

// Option1 is asked first; Option2 only when Option1 is not selected.
std::optional<Layout> selectedLayout(const FormReader &form)
{
    if (form.isSelected(Layout::Doc))
        return Layout::Doc;
    if (form.isSelected(Layout::Txt))
        return Layout::Txt;
    return std::nullopt;
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
    result.typedPath = form.outputPath();
    if (const std::optional<Layout> layout = selectedLayout(form)) {
        if (!writeDocument(*layout, form, result))
            return result;
    }
    const QString redirection = result.written ? m_output.redirection() : QString();
    const QString file = redirection.isEmpty() ? form.outputPath() : redirection;
    result.opened = m_shell.openDocument({0, u"open"_s, file, {}, {}, ShellRequest::showMaximized});
    return result;
}

bool GenerateCommand::writeDocument(Layout layout, const FormReader &form, GenerateResult &result)
{
    const bool opened = m_output.open(result.typedPath);
    result.location = m_output.location();
    if (!opened) {
        result.error = m_output.errorString();
        return false;
    }
    for (int row = 1; row <= DocumentLayout::rowCount; ++row) {
        const Windows1251::Encoded line
            = Windows1251::encode(DocumentLayout::composeRow(layout, row, form) + writtenEnding);
        if (!line.replaced.isEmpty())
            result.replacements.append({row, line.replaced});
        if (!m_output.write(line.bytes)) {
            result.error = m_output.errorString();
            return false;
        }
    }
    if (!m_output.commit()) {
        result.error = m_output.errorString();
        return false;
    }
    result.written = true;
    return true;
}
