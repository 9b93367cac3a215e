// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FieldCatalogue.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString spaces(int count)
{
    return {count, u' '};
}

QStringList numbers(int first, int last)
{
    QStringList list;
    list.reserve(last - first + 1);
    for (int number = first; number <= last; ++number)
        list.append(QString::number(number));
    return list;
}

CatalogueField text(const QString &label, const QString &caption, const QString &input,
                    const QString &spokenName = {})
{
    return {label, caption, input, InputKind::Text, {}, {}, spokenName};
}

CatalogueField combo(const QString &label, const QString &caption, const QString &input,
                     const QString &defaultText, const QStringList &items,
                     const QString &spokenName)
{
    return {label, caption, input, InputKind::Combo, defaultText, items, spokenName};
}

// The captions of RegCertificate and Validity begin with the Latin letter C,
// and the printed document has always carried it. The captions' own
// spellings ("дествительна") are kept as the people who know the form expect.
QList<CatalogueField> fieldsOf(Particular particular)
{
    switch (particular) {
    case Particular::City:
        return {text(u"Label1"_s, u"Город:"_s, u"Text1"_s)};
    case Particular::Region:
        return {text(u"Label2"_s, u"Область:"_s, u"Text2"_s)};
    case Particular::Territory:
        return {text(u"Label3"_s, u"Край:"_s, u"Text3"_s)};
    case Particular::MakeModel:
        return {text(u"Label4"_s, u"Марка и модель транспортного средства: "_s, u"Text4"_s)};
    case Particular::RegPlate:
        return {text(u"Label5"_s, u"Государственный регистрационный знак:"_s, u"Text5"_s)};
    case Particular::Colour:
        return {text(u"Label6"_s, u"Цвет:"_s, u"Text6"_s)};
    case Particular::Vin:
        return {text(u"Label7"_s, u"Идентификационный номер (VIN):"_s, u"Text7"_s)};
    case Particular::Year:
        return {
            combo(u"Label8"_s, u"Год выпуска:"_s, u"Combo1"_s, u"2002"_s, numbers(1950, 2005), {})};
    case Particular::EngineNo:
        return {text(u"Label9"_s, u"Двигатель №:"_s, u"Text9"_s)};
    case Particular::ChassisNo:
        return {text(u"Label10"_s, u"Шасси (рама) №:"_s, u"Text10"_s)};
    case Particular::BodyNo:
        return {text(u"Label11"_s, u"Кузов (коляска) №:"_s, u"Text11"_s)};
    case Particular::VehiclePassport:
        return {
            text(u"Label12"_s, u"Паспорт транспортного средства"_s + spaces(13) + u"серия "_s,
                 u"Text12"_s, u"Паспорт транспортного средства, серия"_s),
            text(u"Label14"_s, u"№"_s, u"Text14"_s, u"Паспорт транспортного средства, номер"_s)};
    case Particular::RegCertificate:
        return {
            text(u"Label13"_s,
                 u"Cвидетельство о регистрации (техпаспорт)"_s + spaces(3) + u"серия"_s + spaces(2),
                 u"Text13"_s, u"Свидетельство о регистрации, серия"_s),
            text(u"Label15"_s, u"№"_s, u"Text15"_s, u"Свидетельство о регистрации, номер"_s)};
    case Particular::IssuedBy:
        return {text(u"Label16"_s, u"Выдано ГАИ (ГИБДД)"_s + spaces(23), u"Text16"_s)};
    case Particular::IssueDate:
        return {text(u"Label17"_s, u"Дата выдачи"_s + spaces(38), u"Text17"_s)};
    case Particular::OwnerName:
        return {text(u"Label18"_s, u"Ф.И.О. владельца : "_s, u"Text18"_s)};
    case Particular::OwnerAddress:
        return {text(u"Label19"_s, u"Адрес: "_s, u"Text19"_s, u"Адрес владельца"_s)};
    case Particular::OwnerPassport:
        return {text(u"Label20"_s, u"Паспорт: серия"_s + spaces(2), u"Text20"_s,
                     u"Паспорт владельца, серия"_s),
                text(u"Label22"_s, u"№"_s, u"Text22"_s, u"Паспорт владельца, номер"_s)};
    case Particular::PassportIssuedBy:
        return {text(u"Label21"_s, u"Выдан: "_s, u"Text21"_s, u"Паспорт владельца, кем выдан"_s)};
    case Particular::ProxyName:
        return {text(u"Label23"_s, u"Ф.И.О. доверенного \r\n(дательный падеж):"_s, u"Text23"_s)};
    case Particular::ProxyAddress:
        return {text(u"Label24"_s, u"Адрес: "_s, u"Text24"_s, u"Адрес доверенного"_s)};
    case Particular::Validity:
        return {combo(u"Label25"_s, u"Cрок действия доверенности: "_s, u"Combo2"_s, u"31"_s,
                      numbers(1, 31), u"Срок действия доверенности, число"_s),
                combo({}, {}, u"Combo3"_s, u"день"_s, {u"год"_s, u"месяц"_s, u"день"_s},
                      u"Срок действия доверенности, единица"_s)};
    case Particular::ValidFrom:
        return {
            combo(u"Label26"_s, u"Доверенность дествительна с: "_s, u"Combo4"_s, u"1"_s,
                  numbers(1, 31), u"Доверенность действительна с, день"_s),
            combo({}, {}, u"Combo5"_s, u"июля"_s,
                  {u"января"_s, u"февраля"_s, u"марта"_s, u"апреля"_s, u"мая"_s, u"июня"_s,
                   u"июля"_s, u"августа"_s, u"сентября"_s, u"октября"_s, u"ноября"_s, u"декабря"_s},
                  u"Доверенность действительна с, месяц"_s),
            combo({}, {}, u"Combo6"_s, u"2002"_s, numbers(2002, 2010),
                  u"Доверенность действительна с, год"_s)};
    }
    return {};
}

QList<CatalogueRow> buildRows()
{
    QList<CatalogueRow> rows;
    for (int index = 0; index < particularCount; ++index) {
        const auto particular = static_cast<Particular>(index);
        rows.append({particular, fieldsOf(particular)});
    }
    return rows;
}

} // namespace

const QList<CatalogueRow> &FieldCatalogue::rows()
{
    static const QList<CatalogueRow> catalogue = buildRows();
    return catalogue;
}

const CatalogueRow &FieldCatalogue::row(Particular particular)
{
    return rows()[static_cast<qsizetype>(particular)];
}

QString FieldCatalogue::captionLabel(QStringView input)
{
    for (const CatalogueRow &row : rows()) {
        for (const CatalogueField &field : row.fields) {
            if (field.input == input)
                return field.label.isEmpty() ? row.fields.first().label : field.label;
        }
    }
    return {};
}

QString FieldCatalogue::spokenName(QStringView input)
{
    const CatalogueField *named = field(input);
    if (!named->spokenName.isEmpty())
        return named->spokenName;
    return spoken(field(captionLabel(input))->caption);
}

QString FieldCatalogue::spoken(const QString &caption)
{
    QString words = caption.simplified();
    for (qsizetype index = 0; index + 1 < words.size(); ++index) {
        if (words[index] == u'C' && words[index + 1].script() == QChar::Script_Cyrillic)
            words[index] = u'С';
    }
    if (words.endsWith(u':'))
        words.chop(1);
    return words.trimmed();
}

const CatalogueField *FieldCatalogue::field(QStringView controlName)
{
    for (const CatalogueRow &row : rows()) {
        for (const CatalogueField &field : row.fields) {
            if (field.input == controlName
                || (!field.label.isEmpty() && field.label == controlName))
                return &field;
        }
    }
    return nullptr;
}
