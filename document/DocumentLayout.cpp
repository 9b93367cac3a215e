#include "DocumentLayout.h"

#include "FieldCatalogue.h"
#include "FormReader.h"
#include "RowPieces.h"

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

// The catalogue row of each layout row, or nullptr for fixed text, looked up
// once rather than on every row of every document.
const std::array<const CatalogueRow *, DocumentLayout::rowCount> &catalogueRows()
{
    static const auto rows = [] {
        std::array<const CatalogueRow *, DocumentLayout::rowCount> resolved{};
        for (std::size_t index = 0; index < resolved.size(); ++index) {
            const QStringView key = layoutRows[index].catalogueKey;
            resolved[index] = key.isEmpty() ? nullptr : &FieldCatalogue::row(key);
        }
        return resolved;
    }();
    return rows;
}

constexpr QStringView space = u" ";
constexpr QStringView spaces = u"                                                        ";

// The first caption is followed by the layout's run; every later value is
// set off by one space, and by its own caption and a space where it has one.
void addFields(const CatalogueRow &row, int run, const FormReader &form, RowPieces &pieces)
{
    bool first = true;
    for (const CatalogueField &field : row.fields) {
        if (first) {
            pieces.addRead(form.caption(field.label));
            pieces.add(spaces.first(run));
            first = false;
        } else {
            pieces.add(space);
            if (!field.label.isEmpty()) {
                pieces.addRead(form.caption(field.label));
                pieces.add(space);
            }
        }
        pieces.addRead(form.text(field.input));
    }
}

} // namespace

QString DocumentLayout::composeRow(Layout layout, int row, const FormReader &form)
{
    RowPieces pieces;
    collectRow(layout, row, form, pieces);
    return pieces.joined();
}

void DocumentLayout::collectRow(Layout layout, int row, const FormReader &form, RowPieces &pieces)
{
    Q_ASSERT(row >= 1 && row <= rowCount);
    const auto index = static_cast<std::size_t>(row - 1);
    const LayoutRow &layoutRow = layoutRows[index];
    pieces.add(layoutRow.fixedText);
    if (const CatalogueRow *fields = catalogueRows()[index]) {
        const int run = layout == Layout::Doc ? layoutRow.docRun : layoutRow.txtRun;
        Q_ASSERT(run <= spaces.size());
        addFields(*fields, run, form, pieces);
    }
    pieces.add(layoutRow.tail);
    pieces.add(layoutRow.ending);
}
