#include "Alone.h"
#include "Form1.h"
#include "LinkLabel.h"
#include "PictureButton.h"
#include "TestFiles.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPainter>
#include <QRadioButton>
#include <QSignalSpy>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a control shows: its text or caption, and its list.
QString shown(const QWidget *control)
{
    QStringList items;
    const auto *combo = qobject_cast<const QComboBox *>(control);
    for (int index = 0; combo && index < combo->count(); ++index)
        items.append(combo->itemText(index));
    return control->property(combo ? "currentText" : "text").toString() + u'|' + items.join(u',');
}

// The contrast ratio, as the web's accessibility guidelines define it,
// between the lightest and the darkest pixel of an area.
double contrastWithin(const QImage &image, const QRect &area)
{
    QList<double> luminances;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            double luminance = 0;
            for (const auto &[channel, weight] : {std::pair(pixel.redF(), 0.2126),
                                                  {pixel.greenF(), 0.7152},
                                                  {pixel.blueF(), 0.0722}})
                luminance += weight
                             * (channel <= 0.03928 ? channel / 12.92
                                                   : std::pow((channel + 0.055) / 1.055, 2.4));
            luminances.append(luminance);
        }
    }
    const auto [darkest, lightest] = std::ranges::minmax(luminances);
    return (lightest + 0.05) / (darkest + 0.05);
}

// Where a label, link, option or picture button draws its caption.
QRect captionArea(const QWidget *control)
{
    const int line = control->fontMetrics().height();
    if (qobject_cast<const QRadioButton *>(control))
        return control->rect().adjusted(
            control->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 4, 0, 0, 0);
    if (qobject_cast<const QPushButton *>(control))
        return {3, control->height() - 2 - line, control->width() - 6, line};
    return control->rect();
}

// Labels draw nothing beyond their bounds: given more room, nothing more.
bool fits(QLabel *label)
{
    QImage fitted = label->grab().toImage();
    label->resize(label->size() + QSize(40, 20));
    QImage roomy = label->grab().toImage();
    label->resize(label->size() - QSize(40, 20));
    fitted.setDevicePixelRatio(1);
    roomy.setDevicePixelRatio(1);
    QImage unclipped(roomy.size(), roomy.format());
    unclipped.fill(roomy.pixel(roomy.width() - 1, roomy.height() - 1));
    QPainter(&unclipped).drawImage(0, 0, fitted);
    return roomy == unclipped;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheReferenceWindow_data();
    void showsTheReferenceWindow();
};

void TestForm1::showsTheReferenceWindow_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QPalette>("scheme");
    const QPalette standard = QApplication::style()->standardPalette();
    for (const QString &scale : {u"1"_s, u"1.25"_s, u"1.5"_s, u"1.75"_s, u"2"_s})
        QTest::addRow("standard, scale %s", qPrintable(scale)) << scale << standard;
    QPalette dark(QColor(0x2a, 0x2e, 0x32));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        dark.setColor(role, QColor(0xfc, 0xfc, 0xfc));
    QTest::newRow("dark") << u"1"_s << dark;
    QPalette contrast(Qt::black);
    contrast.setColor(QPalette::ButtonText, Qt::yellow);
    contrast.setColor(QPalette::HighlightedText, Qt::black);
    QTest::newRow("high contrast") << u"1"_s << contrast;
}

// Each row runs alone, as Qt takes the scale only as it starts. Every
// control is checked against the reference written down from the window's
// layout: place, font, texts, lists, tab order and what a screen reader is
// told. The window is its fixed size times the scale, captions fit and
// contrast with their faces, and every picture shows.
void TestForm1::showsTheReferenceWindow()
{
    QFETCH(QString, scale);
    QFETCH(QPalette, scheme);
    if (!isAlone())
        return runAlone({u"QT_SCALE_FACTOR="_s + scale});
    QApplication::setPalette(scheme);
    // As with a screen reader running, each control is made known as it is created.
    QAccessible::setActive(true);
    Form1 form;
    const QImage window = form.grab().toImage();
    QMap<int, QWidget *> focusable;
    QStringList names;
    for (const QString &line :
         QString::fromUtf8(testData(u"form1.controls"_s)).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        auto *control = form.findChild<QWidget *>(fields[0]);
        if (line.startsWith(u'#'))
            continue;
        QCOMPARE(control->parentWidget()->objectName(), fields[1]);
        const auto pixels = [&fields](int field) { return fields[field].toInt() / 15; };
        QCOMPARE(control->geometry(), QRect(pixels(2), pixels(3), pixels(4), pixels(5)));
        QCOMPARE(control->font().bold(), fields[7] == "bold"_L1);
        QCOMPARE(shown(control),
                 QString(fields[8]).replace(u"\\r\\n"_s, u"\r\n"_s) + u'|' + fields[10]);
        QCOMPARE(control->toolTip(), fields[9]);
        if (control->focusPolicy() != Qt::NoFocus)
            focusable.insert(fields[6].toInt(), control);
        if (auto *label = qobject_cast<QLabel *>(control))
            QVERIFY2(fits(label), qPrintable(fields[0]));
        const QImage image = control->grab().toImage();
        // Captions lie on opaque faces of the window's colour, where nothing covers them.
        const QPoint corner = control->mapTo(&form, control->rect().topRight());
        if ((qobject_cast<QLabel *>(control) || qobject_cast<QRadioButton *>(control))
            && form.childAt(corner) == control)
            QCOMPARE(window.pixelColor(corner * scale.toDouble()),
                     form.palette().color(QPalette::Window));
        const QRect caption = captionArea(control);
        if (!fields[8].isEmpty() && !qobject_cast<QLineEdit *>(control)
            && !qobject_cast<QComboBox *>(control))
            QVERIFY2(contrastWithin(image, QRect(caption.topLeft() * image.devicePixelRatio(),
                                                 caption.size() * image.devicePixelRatio()))
                         >= 4.5,
                     qPrintable(fields[0]));

        // The reference's name, one of its own for every input, button and
        // link, and each input labelled by its caption.
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(QString::fromLatin1(
                     QMetaEnum::fromType<QAccessible::Role>().valueToKey(accessible->role())),
                 fields[11]);
        const QString name = accessible->text(QAccessible::Name);
        QCOMPARE(name, fields.value(13));
        if (accessible->role() != QAccessible::StaticText
            && accessible->role() != QAccessible::Grouping) {
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(fields[0] + u' ' + name));
            names.append(name);
        }
        if (auto *combo = qobject_cast<QComboBox *>(control)) {
            QAccessibleInterface *field = QAccessible::queryAccessibleInterface(combo->lineEdit());
            QCOMPARE(accessible->child(accessible->indexOfChild(field))->object(),
                     combo->lineEdit());
            QCOMPARE(accessible->indexOfChild(QAccessible::queryAccessibleInterface(&form)), -1);
            QCOMPARE(accessible->child(0)->object(), static_cast<QObject *>(combo->view()));
        }
        const auto labels = accessible->relations(QAccessible::Label);
        QCOMPARE(labels.isEmpty() ? QString() : labels.first().first->object()->objectName(),
                 fields[12]);
        // With another caption, then without its picture, a button looks different.
        if (auto *button = qobject_cast<PictureButton *>(control)) {
            button->setText(fields[8].isEmpty() ? QString() : u"Ж"_s);
            const QImage recaptioned = button->grab().toImage();
            QVERIFY2((recaptioned != image) == !fields[8].isEmpty(), qPrintable(fields[0]));
            button->setPicture(QPixmap());
            QVERIFY2(button->grab().toImage() != recaptioned, qPrintable(fields[0]));
        }
    }
    QCOMPARE(focusable.size(), 36);
    QWidget *next = focusable.first();
    for (QWidget *expected : focusable) {
        QCOMPARE(next, expected);
        do
            next = next->nextInFocusChain();
        while (!focusable.values().contains(next));
    }
    QCOMPARE(window.size(), (QSizeF(653, 570) * scale.toDouble()).toSize());
    QCOMPARE(form.windowTitle(), u"folvar"_s);
    QVERIFY(!form.windowIcon().isNull());
    auto *link = form.findChild<LinkLabel *>(u"Label29"_s);
    QCOMPARE(link->cursor().hotSpot(), QPoint(1, 3));
    QCOMPARE(link->cursor().pixmap().size(), QSize(32, 32));
    QSignalSpy clicks(link, &LinkLabel::clicked);
    QAccessible::queryAccessibleInterface(link)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
