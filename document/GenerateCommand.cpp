// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GenerateCommand.h"

#include "DocumentFile.h"
#include "DocumentLayout.h"
#include "FieldCatalogue.h"
#include "ShellOpener.h"
#include "Windows1251.h"

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

// Each field's characters that the code page lacks, named as the window
// names the field.
void appendReplacements(Particular particular, const FormReader &form,
                        QList<FieldReplacement> &replacements)
{
    for (const CatalogueField &field : FieldCatalogue::row(particular).fields) {
        const QList<char32_t> replaced = Windows1251::encode(form.text(field.input)).replaced;
        if (!replaced.isEmpty())
            replacements.append({FieldCatalogue::spokenName(field.input), replaced});
    }
}

} // namespace

GenerateCommand::GenerateCommand(DocumentFile &file, ShellOpener &shell)
    : m_file(file)
    , m_shell(shell)
{
}

PreparedDocument GenerateCommand::prepare(const FormReader &form)
{
    PreparedDocument document{form.outputPath(), selectedLayout(form), {}, {}};
    for (int row = 1; document.layout && row <= DocumentLayout::rowCount; ++row) {
        document.bytes
            += Windows1251::encode(DocumentLayout::composeRow(*document.layout, row, form)
                                   + writtenEnding)
                   .bytes;
        if (const std::optional<Particular> particular = DocumentLayout::particular(row))
            appendReplacements(*particular, form, document.replacements);
    }
    return document;
}

GenerateResult GenerateCommand::write(const PreparedDocument &document)
{
    GenerateResult result;
    result.typedPath = document.typedPath;
    if (!document.layout) {
        result.location = m_file.locate(document.typedPath);
        return viewed(result);
    }
    result.replacements = document.replacements;
    const bool opened = m_file.open(document.typedPath);
    result.location = m_file.location();
    result.elsewhere = m_file.wentElsewhere();
    if (!opened || !m_file.write(document.bytes) || !m_file.commit())
        return failed(result);
    result.outcome = Outcome::Written;
    result.reason = m_file.warning();
    return viewed(result);
}

GenerateResult GenerateCommand::show(GenerateResult result)
{
    if (result.viewer && m_shell.openDocument(*result.viewer))
        result.showing = Showing::Started;
    return result;
}

// A FIFO or device would give a viewer nothing to read, or hang it; a name
// that is not text cannot be handed over as it is.
GenerateResult GenerateCommand::viewed(GenerateResult result)
{
    if (result.outcome == Outcome::Written && m_file.isStream())
        result.showing = Showing::NotAFile;
    else if (result.outcome == Outcome::Written && !m_file.namedAsText())
        result.showing = Showing::NameNotText;
    else if (!result.location.isEmpty())
        result.viewer = m_shell.viewerFor(result.location);
    return result;
}

// A file that fails without a word still reads as a failure.
GenerateResult GenerateCommand::failed(GenerateResult result)
{
    result.outcome = Outcome::NotWritten;
    result.reason = m_file.errorString();
    if (result.reason.isEmpty())
        result.reason = u"система не назвала причину"_s;
    return result;
}
