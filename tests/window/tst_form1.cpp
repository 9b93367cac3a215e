#include "Form1.h"
#include "LinkLabel.h"
#include "PictureButton.h"
#include "TestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The reference layout: one control a line, its fields separated by tabs.
QList<QStringList> referenceControls()
{
    QList<QStringList> controls;
    const QString text
        = QString::fromUtf8(readFile(QStringLiteral(FOLVAR_TEST_DATA "/form1.controls")));
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u'#'))
            controls.append(line.split(u'\t'));
    }
    return controls;
}

QString shownText(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return {};
}

QString listItems(const QWidget *control)
{
    QStringList items;
    if (const auto *combo = qobject_cast<const QComboBox *>(control)) {
        for (int index = 0; index < combo->count(); ++index)
            items.append(combo->itemText(index));
    }
    return items.join(u',');
}

double luminance(QRgb pixel)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel))
           + 0.0722 * linear(qBlue(pixel));
}

// The contrast between the lightest and the darkest pixel of an area.
double contrastWithin(const QImage &image, const QRect &area)
{
    double darkest = 1;
    double lightest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            darkest = std::min(darkest, luminance(image.pixel(x, y)));
            lightest = std::max(lightest, luminance(image.pixel(x, y)));
        }
    }
    return (lightest + 0.05) / (darkest + 0.05);
}

// Where a control draws its caption, in logical pixels.
QRect captionArea(const QWidget *control)
{
    if (qobject_cast<const QRadioButton *>(control)) {
        const int indicator = control->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
        return control->rect().adjusted(indicator + 4, 0, 0, 0);
    }
    if (qobject_cast<const QPushButton *>(control)) {
        const int height = control->fontMetrics().height();
        return {3, control->height() - 2 - height, control->width() - 6, height};
    }
    return control->rect();
}

QPalette scheme(QColor window, QColor text, QColor buttonText, QColor highlightedText)
{
    QPalette palette(window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, buttonText);
    palette.setColor(QPalette::HighlightedText, highlightedText);
    return palette;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesTheReferenceLayout();
    void pictureButtonsShowTheirPictures();
    void captionsFitTheirLabels();
    void captionsFitAtEveryScale_data();
    void captionsFitAtEveryScale();
    void captionsAreReadableInEveryScheme_data();
    void captionsAreReadableInEveryScheme();
    void screenReadersTellEveryControlApart();
};

void TestForm1::matchesTheReferenceLayout()
{
    Form1 form;
    QMap<int, QWidget *> focusable;
    for (const QStringList &fields : referenceControls()) {
        const QString &name = fields[0];
        auto *control = form.findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->parentWidget()->objectName(), fields[1]);
        const auto pixels = [&fields](int field) { return fields[field].toInt() / 15; };
        QCOMPARE(control->geometry(), QRect(pixels(2), pixels(3), pixels(4), pixels(5)));
        QCOMPARE(control->font().bold(), fields[7] == "bold"_L1);
        QCOMPARE(shownText(control), QString(fields[8]).replace(u"\\r\\n"_s, u"\r\n"_s));
        QCOMPARE(control->toolTip(), fields[9]);
        QCOMPARE(listItems(control), fields[10]);
        if (name.startsWith(u"Label"_s))
            QCOMPARE(control->focusPolicy(), Qt::NoFocus);
        else if (name != u"Frame1"_s)
            focusable.insert(fields[6].toInt(), control);
    }
    // The focus goes round the focusable controls in the order of their tab positions.
    QWidget *next = focusable.first();
    for (QWidget *expected : focusable) {
        QCOMPARE(next->objectName(), expected->objectName());
        do
            next = next->nextInFocusChain();
        while (!focusable.values().contains(next));
    }
    for (const QString &name : {u"Label28"_s, u"Label29"_s}) {
        QCOMPARE(form.findChild<QWidget *>(name)->cursor().hotSpot(), QPoint(1, 3));
        QCOMPARE(form.findChild<QWidget *>(name)->cursor().pixmap().size(), QSize(32, 32));
    }
}

// Each picture button, drawn without its picture, looks different.
void TestForm1::pictureButtonsShowTheirPictures()
{
    Form1 form;
    QVERIFY(!form.windowIcon().isNull());
    const QList<PictureButton *> buttons = form.findChildren<PictureButton *>();
    QCOMPARE(buttons.size(), 4);
    for (PictureButton *button : buttons) {
        const QImage withPicture = button->grab().toImage();
        button->setPicture(QPixmap());
        QVERIFY2(button->grab().toImage() != withPicture, qPrintable(button->objectName()));
    }
}

// At the scale the test runs at, the window is its fixed size times the
// scale, and each label, given more room, draws nothing more than before.
void TestForm1::captionsFitTheirLabels()
{
    Form1 form;
    const QImage window = form.grab().toImage();
    QCOMPARE(window.size(), (QSizeF(653, 570) * window.devicePixelRatio()).toSize());
    for (QLabel *label : form.findChildren<QLabel *>()) {
        QImage fitted = label->grab().toImage();
        label->resize(label->size() + QSize(40, 20));
        QImage roomy = label->grab().toImage();
        fitted.setDevicePixelRatio(1);
        roomy.setDevicePixelRatio(1);
        QImage unclipped(roomy.size(), roomy.format());
        unclipped.fill(roomy.pixel(roomy.width() - 1, roomy.height() - 1));
        QPainter(&unclipped).drawImage(0, 0, fitted);
        QVERIFY2(roomy == unclipped, qPrintable(label->objectName()));
    }
}

void TestForm1::captionsFitAtEveryScale_data()
{
    QTest::addColumn<QString>("scale");
    for (const QString &scale : {u"1.25"_s, u"1.5"_s, u"1.75"_s, u"2"_s})
        QTest::newRow(qPrintable(scale)) << scale;
}

// Qt takes the scale only as it starts, so each runs in a process of its own.
void TestForm1::captionsFitAtEveryScale()
{
    QFETCH(QString, scale);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_SCALE_FACTOR"_s, scale);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"captionsFitTheirLabels"_s});
    QVERIFY(child.waitForFinished(60'000));
    QVERIFY2(child.exitCode() == 0, child.readAll().constData());
}

void TestForm1::captionsAreReadableInEveryScheme_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("standard") << QApplication::style()->standardPalette();
    const QColor light(0xfc, 0xfc, 0xfc);
    QTest::newRow("dark") << scheme(QColor(0x2a, 0x2e, 0x32), light, light, light);
    QTest::newRow("high contrast") << scheme(Qt::black, Qt::white, Qt::yellow, Qt::black);
}

void TestForm1::captionsAreReadableInEveryScheme()
{
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    Form1 form;
    for (QWidget *control : form.findChildren<QWidget *>()) {
        if (control->objectName().isEmpty() || shownText(control).isEmpty()
            || qobject_cast<QLineEdit *>(control) || qobject_cast<QComboBox *>(control))
            continue;
        const QImage image = control->grab().toImage();
        const QRect area = captionArea(control);
        const QRect pixels(area.topLeft() * image.devicePixelRatio(),
                           area.size() * image.devicePixelRatio());
        QVERIFY2(contrastWithin(image, pixels) >= 4.5, qPrintable(control->objectName()));
    }
    QApplication::setPalette(QApplication::style()->standardPalette());
}

// Every control has the role of the reference; every input, button and
// link a name of its own, with no Latin C in a Russian word; and each input
// is labelled by its caption.
void TestForm1::screenReadersTellEveryControlApart()
{
    // As with a screen reader running, each control is made known as it is created.
    QAccessible::setActive(true);
    Form1 form;
    const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    const QRegularExpression latinC(u"C\\p{Cyrillic}"_s);
    QStringList names;
    for (const QStringList &fields : referenceControls()) {
        QAccessibleInterface *control
            = QAccessible::queryAccessibleInterface(form.findChild<QWidget *>(fields[0]));
        QCOMPARE(QString::fromLatin1(roles.valueToKey(control->role())), fields[11]);
        const QString name = control->text(QAccessible::Name);
        QVERIFY2(!name.contains(latinC), qPrintable(name));
        if (control->role() != QAccessible::StaticText
            && control->role() != QAccessible::Grouping) {
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(fields[0] + u' ' + name));
            names.append(name);
        }
        const auto labels = control->relations(QAccessible::Label);
        QCOMPARE(labels.isEmpty() ? QString() : labels.first().first->object()->objectName(),
                 fields[12]);
    }
    auto *link = form.findChild<LinkLabel *>(u"Label29"_s);
    QSignalSpy clicks(link, &LinkLabel::clicked);
    QAccessible::queryAccessibleInterface(link)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
