#include "ControlTable.h"
#include "FieldCatalogue.h"
#include "Form1.h"
#include "PictureButton.h"
#include "Twips.h"

#include <QComboBox>
#include <QCompleter>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Types text as key presses, Cyrillic included.
void type(QWidget *widget, const QString &text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

bool isLabel(const ControlEntry &entry)
{
    return entry.kind == ControlKind::Label || entry.kind == ControlKind::LinkLabel;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowIsFixedAndTitled();
    void placesEveryControlFromTheTable();
    void captionsFitTheirLabels();
    void labelsAreOpaquePlainText();
    void inputsHoldTheCatalogueDefaults();
    void combosKeepWhatIsTyped();
    void buttonsShowPicturesAndTriggerOnlyOnClick();
    void linksShowTheHandPointer();
};

void TestForm1::windowIsFixedAndTitled()
{
    Form1 form;
    QCOMPARE(form.windowTitle(), u"folvar"_s);
    QCOMPARE(form.size(), QSize(653, 570));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.palette().color(QPalette::Window), form.palette().color(QPalette::ButtonText));
    QCOMPARE(form.control(u"Frame1")->palette().color(QPalette::Window), QColor(0, 0, 192));
}

void TestForm1::placesEveryControlFromTheTable()
{
    Form1 form;
    QSet<int> tabs;
    for (const ControlEntry &entry : ControlTable::controls()) {
        auto *control = form.findChild<QWidget *>(entry.name.toString());
        QVERIFY2(control, qPrintable(entry.name.toString()));
        QCOMPARE(control, form.control(entry.name));
        const QString container
            = entry.container.isEmpty() ? u"Form1"_s : entry.container.toString();
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(),
                 Twips::toPixels(entry.left, entry.top, entry.width, entry.height));
        QCOMPARE(control->font().bold(), entry.bold);
        tabs.insert(entry.tab);
    }
    QCOMPARE(tabs.size(), 66);
    QCOMPARE(*std::ranges::max_element(tabs), 65);
    // Labels lie beneath every other control, the panel above them all.
    const QObjectList &children = form.children();
    qsizetype topLabel = -1;
    qsizetype bottomOther = children.size();
    for (const ControlEntry &entry : ControlTable::controls()) {
        const qsizetype index = children.indexOf(form.control(entry.name));
        if (isLabel(entry))
            topLabel = qMax(topLabel, index);
        else if (entry.container.isEmpty())
            bottomOther = qMin(bottomOther, index);
    }
    QVERIFY(topLabel < bottomOther);
    QCOMPARE(children.last(), form.control(u"Frame1"));
}

void TestForm1::captionsFitTheirLabels()
{
    Form1 form;
    for (const ControlEntry &entry : ControlTable::controls()) {
        if (!isLabel(entry))
            continue;
        const auto *label = form.control<QLabel>(entry.name);
        const QFontMetrics metrics(label->font());
        const QStringList lines = label->text().split(u"\r\n"_s);
        QCOMPARE(lines.size(), entry.name == u"Label23" ? 2 : 1);
        for (const QString &line : lines) {
            // Trailing spaces are document content but draw nothing.
            QString drawn = line;
            while (drawn.endsWith(u' '))
                drawn.chop(1);
            QVERIFY2(metrics.horizontalAdvance(drawn) <= label->width(),
                     qPrintable(entry.name.toString()));
        }
        QVERIFY2(int(lines.size()) * metrics.lineSpacing() <= label->height(),
                 qPrintable(entry.name.toString()));
    }
    const QString family = QFontInfo(form.control(u"Label1")->font()).family();
    QVERIFY2(family == "MS Sans Serif"_L1 || family == "Liberation Sans Narrow"_L1,
             qPrintable(family));
}

void TestForm1::labelsAreOpaquePlainText()
{
    Form1 form;
    auto *proxy = form.control<QLabel>(u"Label23");
    QCOMPARE(proxy->text(), FieldCatalogue::field(u"Label23")->caption);
    QCOMPARE(proxy->textFormat(), Qt::PlainText);
    QCOMPARE(proxy->focusPolicy(), Qt::NoFocus);
    QVERIFY(proxy->autoFillBackground());
    QVERIFY(proxy->alignment() & Qt::AlignLeft);
    QCOMPARE(proxy->palette().color(QPalette::WindowText),
             form.palette().color(QPalette::HighlightedText));
    QCOMPARE(form.control<QLabel>(u"Label27")->text(), u"(не более 3 лет)"_s);

    // Drawn on two lines: ink shows in the lower half of the label.
    const QImage image = proxy->grab().toImage();
    const QColor background = proxy->palette().color(QPalette::Window);
    bool inkBelow = false;
    for (int y = image.height() / 2 + 2; y < image.height() && !inkBelow; ++y) {
        for (int x = 0; x < image.width() / 2 && !inkBelow; ++x)
            inkBelow = image.pixelColor(x, y) != background;
    }
    QVERIFY(inkBelow);
}

void TestForm1::inputsHoldTheCatalogueDefaults()
{
    Form1 form;
    for (const CatalogueRow &row : FieldCatalogue::rows()) {
        for (const CatalogueField &field : row.fields) {
            QWidget *input = form.control(field.input);
            QVERIFY(!input->accessibleName().isEmpty());
            if (auto *combo = qobject_cast<QComboBox *>(input)) {
                QCOMPARE(combo->currentText(), field.defaultText);
                QCOMPARE(combo->count(), field.items.size());
                QCOMPARE(combo->itemText(combo->count() - 1), field.items.last());
            } else {
                QCOMPARE(qobject_cast<QLineEdit *>(input)->text(), QString());
            }
        }
    }
    QCOMPARE(form.control(u"Text1")->accessibleName(), u"Город:"_s);
    QCOMPARE(form.control(u"Combo3")->accessibleName(), u"Cрок действия доверенности:"_s);
    QCOMPARE(form.control<QLineEdit>(u"Text8")->text(), u"C:\\avto.doc"_s);
    QCOMPARE(form.control<QRadioButton>(u"Option2")->text(), u".txt"_s);

    auto *textBox = form.control<QLineEdit>(u"Text19");
    const QString long40k(40'000, u'ж');
    textBox->setText(long40k);
    QCOMPARE(textBox->text(), long40k);
}

void TestForm1::combosKeepWhatIsTyped()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *month = form.control<QComboBox>(u"Combo5");
    auto *unit = form.control<QComboBox>(u"Combo3");

    month->setFocus();
    month->lineEdit()->selectAll();
    type(month->lineEdit(), u"ИЮЛЯ"_s);
    QTest::keyClick(month, Qt::Key_Return);
    form.control(u"Text1")->setFocus();
    QCOMPARE(month->currentText(), u"ИЮЛЯ"_s);
    QCOMPARE(month->count(), 12);

    unit->setFocus();
    unit->lineEdit()->selectAll();
    type(unit->lineEdit(), u"ме"_s);
    QCOMPARE(unit->currentText(), u"ме"_s);
    QTest::keyClick(unit, Qt::Key_Tab);
    QCOMPARE(unit->currentText(), u"ме"_s);
    QCOMPARE(unit->count(), 3);
    QCOMPARE(unit->insertPolicy(), QComboBox::NoInsert);
}

void TestForm1::buttonsShowPicturesAndTriggerOnlyOnClick()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QList<std::pair<QStringView, QString>> tips{{u"Command1", u"посмотреть довереность"_s},
                                                      {u"Command2", u"выход"_s},
                                                      {u"Command3", u"выбрать doc или txt"_s},
                                                      {u"Command4", u"скрыть панель"_s}};
    for (const auto &[name, tip] : tips) {
        auto *button = form.control<QPushButton>(name);
        QCOMPARE(button->toolTip(), tip);
        QVERIFY(!qobject_cast<PictureButton *>(button)->picture().isNull());
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    QCOMPARE(form.control<QPushButton>(u"Command3")->text(), u"Command3"_s);
    QCOMPARE(form.control<QPushButton>(u"Command4")->text(), u"выход"_s);
    QVERIFY(form.control<QPushButton>(u"Command1")->text().isEmpty());

    auto *generate = form.control<QPushButton>(u"Command1");
    QSignalSpy clicks(generate, &QPushButton::clicked);
    QTest::keyClick(form.control(u"Text1"), Qt::Key_Return);
    QTest::keyClick(form.control(u"Text1"), Qt::Key_Escape);
    generate->setFocus();
    QTest::keyClick(generate, Qt::Key_Return);
    QCOMPARE(clicks.size(), 0);
}

void TestForm1::linksShowTheHandPointer()
{
    Form1 form;
    for (QStringView name : {u"Label28", u"Label29"}) {
        const QCursor cursor = form.control(name)->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(1, 3));
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    }
    QCOMPARE(form.control(u"Label1")->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
