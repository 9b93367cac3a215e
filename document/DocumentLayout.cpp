#include "DocumentLayout.h"

#include "FieldCatalogue.h"
#include "FormReader.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QStringView cr = u"\r";
constexpr QStringView crLf = u"\r\n";
constexpr QStringView crLfLf = u"\r\n\n";

// A row either prints fixed text or the catalogue row named by its key.
struct LayoutRow
{
    QStringView fixedText;
    QStringView catalogueKey;
    int docRun;
    int txtRun;
    QStringView tail;
    QStringView ending;
};

constexpr std::array<LayoutRow, DocumentLayout::rowCount> layoutRows{{
    {u"ДОВЕРЕННОСТЬ", {}, 0, 0, {}, crLf},
    {{}, u"city", 3, 5, {}, cr},
    {{}, u"region", 1, 1, {}, cr},
    {{}, u"territory", 4, 6, {}, crLf},
    {{}, u"make_model", 0, 0, {}, cr},
    {{}, u"reg_plate", 2, 2, {}, cr},
    {{}, u"colour", 34, 56, {}, cr},
    {{}, u"vin", 9, 14, {}, cr},
    {{}, u"year", 27, 44, {}, cr},
    {{}, u"engine_no", 27, 43, {}, cr},
    {{}, u"chassis_no", 24, 38, {}, cr},
    {{}, u"body_no", 21, 35, {}, crLf},
    {{}, u"vehicle_passport", 1, 7, {}, cr},
    {{}, u"reg_certificate", 0, 1, {}, cr},
    {{}, u"issued_by", 9, 23, {}, cr},
    {{}, u"issue_date", 1, 22, {}, crLf},
    {{}, u"owner_name", 1, 1, {}, cr},
    {{}, u"owner_address", 12, 20, {}, cr},
    {{}, u"owner_passport", 3, 6, {}, cr},
    {{}, u"passport_issued_by", 12, 19, {}, crLf},
    {{}, u"proxy_name", 1, 1, {}, cr},
    {{}, u"proxy_address", 12, 19, {}, crLf},
    {{}, u"validity", 2, 2, {}, cr},
    {{}, u"valid_from", 1, 1, u"года", crLfLf},
    {u"Подпись владельца:", {}, 0, 0, {}, crLf},
    {u"Подпись доверенного:", {}, 0, 0, {}, cr},
}};

constexpr QStringView space = u" ";

// The first caption is followed by the layout's run; every later value is
// set off by one space, and by its own caption and a space where it has one.
void appendFields(const CatalogueRow &row, int run, const FormReader &form, QString &line)
{
    bool first = true;
    for (const CatalogueField &field : row.fields) {
        if (first) {
            line += form.caption(field.label);
            line += QString(run, u' ');
            first = false;
        } else {
            line += space;
            if (!field.label.isEmpty()) {
                line += form.caption(field.label);
                line += space;
            }
        }
        line += form.text(field.input);
    }
}

} // namespace

QString DocumentLayout::composeRow(Layout layout, int row, const FormReader &form)
{
    Q_ASSERT(row >= 1 && row <= rowCount);
    const LayoutRow &layoutRow = layoutRows[static_cast<std::size_t>(row - 1)];
    QString line = layoutRow.fixedText.toString();
    if (!layoutRow.catalogueKey.isEmpty()) {
        const int run = layout == Layout::Doc ? layoutRow.docRun : layoutRow.txtRun;
        appendFields(FieldCatalogue::row(layoutRow.catalogueKey), run, form, line);
    }
    line += layoutRow.tail;
    line += layoutRow.ending;
    return line;
}
