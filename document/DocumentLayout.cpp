// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentLayout.h"

#include "FieldCatalogue.h"
#include "FormReader.h"

#include <array>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QStringView cr = u"\r";
constexpr QStringView crLf = u"\r\n";
constexpr QStringView crLfLf = u"\r\n\n";

// A row either prints fixed text or the catalogue row of a particular.
struct LayoutRow
{
    QStringView fixedText;
    std::optional<Particular> particular;
    int docRun;
    int txtRun;
    QStringView tail;
    QStringView ending;
};

constexpr std::array<LayoutRow, DocumentLayout::rowCount> layoutRows{{
    {u"ДОВЕРЕННОСТЬ", std::nullopt, 0, 0, {}, crLf},
    {{}, Particular::City, 3, 5, {}, cr},
    {{}, Particular::Region, 1, 1, {}, cr},
    {{}, Particular::Territory, 4, 6, {}, crLf},
    {{}, Particular::MakeModel, 0, 0, {}, cr},
    {{}, Particular::RegPlate, 2, 2, {}, cr},
    {{}, Particular::Colour, 34, 56, {}, cr},
    {{}, Particular::Vin, 9, 14, {}, cr},
    {{}, Particular::Year, 27, 44, {}, cr},
    {{}, Particular::EngineNo, 27, 43, {}, cr},
    {{}, Particular::ChassisNo, 24, 38, {}, cr},
    {{}, Particular::BodyNo, 21, 35, {}, crLf},
    {{}, Particular::VehiclePassport, 1, 7, {}, cr},
    {{}, Particular::RegCertificate, 0, 1, {}, cr},
    {{}, Particular::IssuedBy, 9, 23, {}, cr},
    {{}, Particular::IssueDate, 1, 22, {}, crLf},
    {{}, Particular::OwnerName, 1, 1, {}, cr},
    {{}, Particular::OwnerAddress, 12, 20, {}, cr},
    {{}, Particular::OwnerPassport, 3, 6, {}, cr},
    {{}, Particular::PassportIssuedBy, 12, 19, {}, crLf},
    {{}, Particular::ProxyName, 1, 1, {}, cr},
    {{}, Particular::ProxyAddress, 12, 19, {}, crLf},
    {{}, Particular::Validity, 2, 2, {}, cr},
    {{}, Particular::ValidFrom, 1, 1, u"года", crLfLf},
    {u"Подпись владельца:", std::nullopt, 0, 0, {}, crLf},
    {u"Подпись доверенного:", std::nullopt, 0, 0, {}, cr},
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

std::optional<Particular> DocumentLayout::particular(int row)
{
    return layoutRows[static_cast<std::size_t>(row - 1)].particular;
}

QString DocumentLayout::composeRow(Layout layout, int row, const FormReader &form)
{
    Q_ASSERT(row >= 1 && row <= rowCount);
    const LayoutRow &layoutRow = layoutRows[static_cast<std::size_t>(row - 1)];
    QString line = layoutRow.fixedText.toString();
    if (layoutRow.particular) {
        const int run = layout == Layout::Doc ? layoutRow.docRun : layoutRow.txtRun;
        appendFields(FieldCatalogue::row(*layoutRow.particular), run, form, line);
    }
    line += layoutRow.tail;
    line += layoutRow.ending;
    return line;
}
