#include "MapForm.h"

#include "FieldCatalogue.h"
#include "KeyValueLines.h"

using namespace Qt::Literals::StringLiterals;

MapForm::MapForm()
    : path(u"C:\\avto.doc"_s)
{
    for (const CatalogueRow &row : FieldCatalogue::rows()) {
        for (const CatalogueField &field : row.fields) {
            if (!field.label.isEmpty())
                captions.insert(field.label, field.caption);
            texts.insert(field.input, field.defaultText);
        }
    }
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

QString MapForm::outputPath() const
{
    reads.append(u"path"_s);
    return path;
}

bool MapForm::isSelected(Layout layout) const
{
    reads.append(layout == Layout::Doc ? u".doc"_s : u".txt"_s);
    return selected == layout;
}

void MapForm::fill(const QByteArray &lines)
{
    for (const auto &[name, value] : keyValueLines(lines))
        texts.insert(name, value);
}
