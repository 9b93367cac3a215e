#include "DocumentLayout.h"
#include "FieldCatalogue.h"
#include "MapForm.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDocumentLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catalogueHoldsTheFormInOrder();
    void captionsKeepTheirExactCharacters();
    void composesRowsWithoutTheWrittenEnding_data();
    void composesRowsWithoutTheWrittenEnding();
};

void TestDocumentLayout::catalogueHoldsTheFormInOrder()
{
    const QList<CatalogueRow> &rows = FieldCatalogue::rows();
    QCOMPARE(rows.size(), 23);
    QCOMPARE(rows.first().key, u"city"_s);
    QCOMPARE(rows.last().fields.size(), 3);
    const QStringList &years = FieldCatalogue::field(u"Combo1")->items;
    QCOMPARE(years.size(), 56);
    QCOMPARE(years.first() + years.last(), u"19502005"_s);
    QCOMPARE(FieldCatalogue::field(u"Combo3")->items,
             (QStringList{u"год"_s, u"месяц"_s, u"день"_s}));
    QCOMPARE(FieldCatalogue::field(u"Combo5")->items.at(6), u"июля"_s);
}

void TestDocumentLayout::captionsKeepTheirExactCharacters()
{
    const QString certificate = FieldCatalogue::field(u"Label13")->caption;
    const QString validity = FieldCatalogue::field(u"Label25")->caption;
    QCOMPARE(certificate.size(), 50);
    QCOMPARE(certificate.at(0).unicode(), u'C');
    QCOMPARE(certificate.at(1).unicode(), u'в');
    QCOMPARE(validity.size(), 28);
    QCOMPARE(validity.at(0).unicode(), u'C');
    QCOMPARE(FieldCatalogue::field(u"Label14")->caption, QString(QChar(0x2116)));
    QCOMPARE(FieldCatalogue::field(u"Label23")->caption.size(), 39);
    QCOMPARE(FieldCatalogue::field(u"Label23")->caption.indexOf(u"\r\n"_s), 19);
    QCOMPARE(FieldCatalogue::field(u"Label12")->caption.size(), 49);
    QCOMPARE(FieldCatalogue::field(u"Label17")->caption.size(), 49);
}

void TestDocumentLayout::composesRowsWithoutTheWrittenEnding_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("composed");

    const int doc = int(Layout::Doc);
    const int txt = int(Layout::Txt);
    QTest::newRow("title") << doc << 1 << u"ДОВЕРЕННОСТЬ\r\n"_s;
    QTest::newRow("city, .doc") << doc << 2 << u"Город:   Тула\r"_s;
    QTest::newRow("city, .txt") << txt << 2 << u"Город:     Тула\r"_s;
    QTest::newRow("make and model joins its caption")
        << doc << 5 << u"Марка и модель транспортного средства: ВАЗ\r"_s;
    QTest::newRow("certificate, .doc")
        << doc << 14 << u"Cвидетельство о регистрации (техпаспорт)   серия  77 № 1\r"_s;
    QTest::newRow("certificate, .txt")
        << txt << 14 << u"Cвидетельство о регистрации (техпаспорт)   серия   77 № 1\r"_s;
    QTest::newRow("validity") << txt << 23 << u"Cрок действия доверенности:   31 день\r"_s;
    QTest::newRow("valid from") << doc << 24
                                << u"Доверенность дествительна с:  1 июля 2002года\r\n\n"_s;
    QTest::newRow("last signature") << txt << 26 << u"Подпись доверенного:\r"_s;
}

void TestDocumentLayout::composesRowsWithoutTheWrittenEnding()
{
    QFETCH(int, layout);
    QFETCH(int, row);
    QFETCH(QString, composed);
    MapForm form;
    form.texts[u"Text1"_s] = u"Тула"_s;
    form.texts[u"Text4"_s] = u"ВАЗ"_s;
    form.texts[u"Text13"_s] = u"77"_s;
    form.texts[u"Text15"_s] = u"1"_s;

    QCOMPARE(DocumentLayout::composeRow(Layout(layout), row, form), composed);
}

QTEST_GUILESS_MAIN(TestDocumentLayout)
#include "tst_documentlayout.moc"
