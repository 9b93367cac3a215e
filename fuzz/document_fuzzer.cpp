// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fills every input of the form with arbitrary UTF-8, writes the document in
// either layout and checks what must hold whatever was typed.

#include "FieldCatalogue.h"
#include "Generate.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "MemoryFile.h"
#include "RecordingShellOpener.h"

#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The sizes of the empty form's document in each layout.
constexpr qsizetype emptyDocSize = 888;
constexpr qsizetype emptyTxtSize = 1047;
constexpr qsizetype documentCRs = 53;
constexpr qsizetype documentLFs = 36;
constexpr std::size_t longestValue = 4096;
constexpr qsizetype longestReport = 4096;

void check(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "document invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const bool txt = provider.ConsumeBool();
    MapForm form;
    form.selected = txt ? Layout::Txt : Layout::Doc;

    qsizetype characters = 0;
    qsizetype valueCRs = 0;
    qsizetype valueLFs = 0;
    for (const CatalogueRow &row : FieldCatalogue::rows()) {
        for (const CatalogueField &field : row.fields) {
            const std::string typed = provider.ConsumeRandomLengthString(longestValue);
            const QString value = QString::fromUtf8(typed.data(), qsizetype(typed.size()));
            // Typed text is composed before it is encoded: "d" and U+0323 are one letter.
            characters += value.normalized(QString::NormalizationForm_C).toUcs4().size();
            valueCRs += value.count(u'\r');
            valueLFs += value.count(u'\n');
            form.texts.insert(field.input, value);
        }
    }

    MemoryFile output;
    RecordingShellOpener shell;
    const GenerateResult result = generate(output, shell, form);
    const QByteArray &bytes = output.bytes;

    check(result.outcome == Outcome::Written, "the document was written");
    check(shell.documents.size() == 1, "one open request");
    check(bytes.size() == (txt ? emptyTxtSize : emptyDocSize) + characters,
          "one byte for each character besides the empty form's document");
    check(bytes.count('\r') == documentCRs + valueCRs, "CR bytes only from rows and values");
    check(bytes.count('\n') == documentLFs + valueLFs, "LF bytes only from rows and values");
    check(!bytes.contains('\x1A') && !bytes.contains('\0'), "no control byte but TAB, CR and LF");
    check(bytes.startsWith("\xC4\xCE\xC2\xC5\xD0\xC5\xCD\xCD\xCE\xD1\xD2\xDC\r\n\r\n"),
          "the title first");
    check(bytes.endsWith(":\r\r\n"), "the last signature row last");
    check(GenerateReport::text(result).size() < longestReport, "a notice of bounded length");
    return 0;
}
