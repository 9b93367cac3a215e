#include "MapForm.h"

#include "FieldCatalogue.h"
#include "GenerateCommand.h"
#include "KeyValueLines.h"

using namespace Qt::Literals::StringLiterals;

MapForm::MapForm()
{
    for (const CatalogueRow &row : FieldCatalogue::rows()) {
        for (const CatalogueField &field : row.fields) {
            if (!field.label.isEmpty())
                captions.insert(field.label, field.caption);
            texts.insert(field.input, field.defaultText);
        }
    }
    texts.insert(GenerateCommand::pathInput.toString(), u"C:\\avto.doc"_s);
    select(GenerateCommand::docOption.toString());
}

QString MapForm::caption(QStringView label) const
{
    reads.append(label.toString());
    return captions.value(label.toString());
}

QString MapForm::text(QStringView input) const
{
    reads.append(input.toString());
    return texts.value(input.toString());
}

bool MapForm::isSelected(QStringView option) const
{
    reads.append(option.toString());
    return selected.contains(option.toString());
}

void MapForm::select(const QString &option)
{
    selected = {option};
}

void MapForm::clearCombos()
{
    for (const CatalogueRow &row : FieldCatalogue::rows()) {
        for (const CatalogueField &field : row.fields) {
            if (field.kind == InputKind::Combo)
                texts[field.input].clear();
        }
    }
}

void MapForm::fill(const QByteArray &lines)
{
    for (const auto &[name, value] : keyValueLines(lines))
        texts.insert(name, value);
}
