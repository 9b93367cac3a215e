// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ControlTable.h"
#include "DocumentWriter.h"
#include "Form1.h"
#include "FormActions.h"
#include "FormStyle.h"
#include "MemoryFile.h"
#include "PictureButton.h"
#include "RecordingShellOpener.h"
#include "SystemServices.h"
#include "TestFiles.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPainter>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <thread>

#ifndef Q_OS_WIN
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    QList<double> luminances;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            luminances.append(0.2126 * linear(pixel.redF()) + 0.7152 * linear(pixel.greenF())
                              + 0.0722 * linear(pixel.blueF()));
        }
    }
    const auto [darkest, lightest] = std::ranges::minmax(luminances);
    return (lightest + 0.05) / (darkest + 0.05);
}

// Where a label, link, option or picture button draws its caption, in pixels.
QRect captionArea(const QWidget *control, qreal scale)
{
    const int line = control->fontMetrics().height();
    QRect area = control->rect();
    if (qobject_cast<const QRadioButton *>(control))
        area.setLeft(control->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 4);
    if (qobject_cast<const QPushButton *>(control))
        area = {3, control->height() - 2 - line, control->width() - 6, line};
    return {area.topLeft() * scale, area.size() * scale};
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

// A full FIFO whose reader reads only when asked to: the bytes that fill it,
// or -1 where the system has no FIFOs.
qsizetype sleepingReader([[maybe_unused]] const QString &path, [[maybe_unused]] QFile &reader)
{
#ifdef Q_OS_WIN
    return -1;
#else
    const QByteArray fifo = QFile::encodeName(path);
    const int end = ::mkfifo(fifo, 0600) == 0 ? ::open(fifo, O_RDONLY | O_NONBLOCK) : -1;
    const int filler = end >= 0 ? ::open(fifo, O_WRONLY | O_NONBLOCK) : -1;
    const QByteArray block(4096, ' ');
    qsizetype filled = 0;
    while (filler >= 0 && ::write(filler, block.constData(), block.size()) == block.size())
        filled += block.size();
    return filler >= 0 && ::close(filler) == 0 && ::fcntl(end, F_SETFL, 0) == 0
                   && reader.open(end, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)
               ? filled
               : -1;
#endif
}

// The window as the program starts it, with a recording shell; the
// session's requests to close it are taken after Qt Test's own.
struct StartedForm
{
    explicit StartedForm(DocumentFile *file = nullptr)
        : writer(file ? *file : systemFile, shell)
        , actions(form, writer, shell)
    {
        QObject::connect(&closeRequests, &CloseRequests::closeRequested, &form, &QWidget::close);
        actions.load();
        form.show();
        QApplication::setActiveWindow(&form);
    }

    void click(QStringView name, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(form.control(name), button);
    }

    Form1 form;
    SystemDocumentFile systemFile;
    RecordingShellOpener shell;
    DocumentWriter writer;
    FormActions actions;
    SystemCloseRequests closeRequests;
};

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { FormStyle::apply(); }

    void matchesTheReferenceLayout_data()
    {
        QTest::addColumn<QStringList>("fields");
        for (const QStringList &fields : testRows(u"form1.controls"_s))
            QTest::newRow(qPrintable(fields[0])) << fields;
    }

    // Each control against the reference written down from the window's
    // layout: place, font, texts, lists, what a screen reader is told and a
    // button's picture.
    void matchesTheReferenceLayout()
    {
        QFETCH(QStringList, fields);
        // As with a screen reader running, each control is made known as it is created.
        QAccessible::setActive(true);
        if (!referenceForm)
            referenceForm = std::make_unique<Form1>();
        auto *control = referenceForm->findChild<QWidget *>(fields[0]);
        QCOMPARE(control->parentWidget()->objectName(), fields[1]);
        const auto pixels = [&fields](int field) { return fields[field].toInt() / 15; };
        QCOMPARE(control->geometry(), QRect(pixels(2), pixels(3), pixels(4), pixels(5)));
        QCOMPARE(control->font().bold(), fields[7] == "bold"_L1);
        QCOMPARE(shown(control),
                 QString(fields[8]).replace(u"\\r\\n"_s, u"\r\n"_s) + u'|' + fields[10]);
        QCOMPARE(control->toolTip(), fields[9]);
        // Its place in the tab order, which no other control shares.
        const auto entry
            = std::ranges::find(ControlTable::controls(), fields[0], &ControlEntry::name);
        QCOMPARE(entry->tab, fields[6].toInt());

        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(QLatin1StringView(
                     QMetaEnum::fromType<QAccessible::Role>().valueToKey(accessible->role())),
                 fields[11]);
        QCOMPARE(accessible->text(QAccessible::Name), fields.value(13));
        if (auto *combo = qobject_cast<QComboBox *>(control))
            QCOMPARE((QList{accessible->child(0)->object(), accessible->child(1)->object()}),
                     (QList<QObject *>{combo->view(), combo->lineEdit()}));
        const auto labels = accessible->relations(QAccessible::Label);
        QCOMPARE(labels.isEmpty() ? QString() : labels.first().first->object()->objectName(),
                 fields[12]);
        const auto *button = qobject_cast<PictureButton *>(control);
        QVERIFY(!button || !button->picture().isNull());
    }

    void showsTheReferenceWindow_data()
    {
        QTest::addColumn<QPalette>("scheme");
        QPalette dark(QColor(0x2a, 0x2e, 0x32));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                QPalette::HighlightedText})
            dark.setColor(role, QColor(0xfc, 0xfc, 0xfc));
        QTest::newRow("dark") << dark;
        QPalette contrast(Qt::black);
        contrast.setColor(QPalette::ButtonText, Qt::yellow);
        contrast.setColor(QPalette::HighlightedText, Qt::black);
        QTest::newRow("high contrast") << contrast;
        QTest::newRow("standard") << QApplication::style()->standardPalette();
    }

    // At the scale the test is started with and in each colour scheme: the
    // window is its fixed size times the scale, captions are in a face the
    // window asks for and fit their labels,
    // lie on opaque faces of the window's colour and contrast with them, and the focus goes
    // through the inputs in the reference's tab order.
    void showsTheReferenceWindow()
    {
        QFETCH(QPalette, scheme);
        // The guidelines' own figures: white on black 21:1, #777777 on white about 4.48:1.
        QImage pair(2, 1, QImage::Format_RGB32);
        pair.fill(Qt::white);
        pair.setPixelColor(1, 0, Qt::black);
        QCOMPARE(contrastWithin(pair, pair.rect()), 21.0);
        pair.setPixelColor(1, 0, QColor(0x77, 0x77, 0x77));
        QCOMPARE(qRound(contrastWithin(pair, pair.rect()) * 100), 448);
        const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s).toDouble();
        QApplication::setPalette(scheme);
        Form1 form;
        const QImage window = form.grab().toImage();
        QMap<int, QWidget *> focusable;
        const QStringList faces{u"Microsoft Sans Serif"_s, u"MS Sans Serif"_s,
                                u"Liberation Sans Narrow"_s};
        for (const QStringList &fields : testRows(u"form1.controls"_s)) {
            QWidget *control = form.control(fields[0]);
            if (control->focusPolicy() != Qt::NoFocus)
                focusable.insert(fields[6].toInt(), control);
            auto *label = qobject_cast<QLabel *>(control);
            QVERIFY2(!label || (fits(label) && faces.contains(QFontInfo(label->font()).family())),
                     qPrintable(fields[0] + u' ' + QFontInfo(control->font()).family()));
            const bool caption = label || qobject_cast<QRadioButton *>(control);
            const QPoint corner = control->mapTo(&form, control->rect().topRight());
            if (caption && form.childAt(corner) == control)
                QVERIFY2(window.pixelColor(corner * scale)
                             == form.palette().color(QPalette::Window),
                         qPrintable(fields[0]));
            const QImage image = control->grab().toImage();
            if (!fields[8].isEmpty() && (caption || qobject_cast<QPushButton *>(control)))
                QVERIFY2(contrastWithin(image, captionArea(control, image.devicePixelRatio()))
                             >= 4.5,
                         qPrintable(fields[0]));
        }
        QCOMPARE(focusable.size(), 36);
        QWidgetList chain;
        for (QWidget *next = focusable.first(); chain.size() < focusable.size();
             next = next->nextInFocusChain()) {
            if (focusable.values().contains(next))
                chain.append(next);
        }
        QCOMPARE(chain, focusable.values());
        QCOMPARE(window.size(), (QSizeF(653, 570) * scale).toSize());
        QCOMPARE(form.windowTitle(), u"folvar"_s);
        QVERIFY(!form.windowIcon().isNull());
        const QCursor hand = form.control(u"Label29"_s)->cursor();
        QCOMPARE(hand.hotSpot(), QPoint(1, 3));
        QCOMPARE(hand.pixmap().size(), QSize(32, 32));
    }

    // A 10 x 8 picture on the 49 x 41 car button: centred within the two-pixel
    // border, or in what is left above a caption; greyed while the button
    // rests; drawn again when it changes.
    void pictureButtonPlacesAndRepaintsItsPicture()
    {
        QWidget window;
        PictureButton button(&window);
        button.setGeometry(0, 0, 49, 41);
        QPixmap red(10, 8);
        red.fill(Qt::red);
        button.setPicture(red);
        const auto pictureAt = [&button] {
            const QImage image = button.grab().toImage();
            QRect found;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    found |= image.pixelColor(x, y) == Qt::red ? QRect(x, y, 1, 1) : QRect();
            }
            return found;
        };
        QCOMPARE(pictureAt(), QRect(20, 17, 10, 8));
        button.setText(u"Ж"_s);
        QCOMPARE(pictureAt(), QRect(20, (40 - button.fontMetrics().height()) / 2 - 3, 10, 8));

        // What the screen shows is what was last painted.
        window.show();
        const auto onScreen = [&window] {
            return window.screen()->grabWindow(window.winId()).toImage().pixelColor(24, 12);
        };
        QTRY_COMPARE(onScreen(), Qt::red);
        red.fill(Qt::blue);
        button.setPicture(red);
        QTRY_COMPARE(onScreen(), Qt::blue);
        button.setEnabled(false);
        QTRY_VERIFY(onScreen() != Qt::blue);
    }

    void writesWhatIsTyped_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("doc") << u"Option1"_s;
        QTest::newRow("txt") << u"Option2"_s;
    }

    // The panel and its options, then the form typed with keys and written
    // from the keyboard, for a slow disk (.doc) or a FIFO's sleeping reader
    // (.txt), while the window answers. Space while the car button rests
    // lands nowhere; once the document is written it writes another. A close
    // waits for the disk with the window shown and taking no input, and then
    // either keeps the window, with the write's failure, or ends; it never
    // waits for the reader.
    void writesWhatIsTyped()
    {
        QFETCH(QString, option);
        const QLatin1StringView layout(QTest::currentDataTag());
        QTemporaryDir folder;
        QFile reader;
        const QString fifo = folder.filePath(u"pipe"_s);
        const qsizetype filled = option == "Option2"_L1 ? sleepingReader(fifo, reader) : -1;
        const bool toFifo = filled >= 0;
        MemoryFile memory;
        memory.slow = true;
#ifndef Q_OS_WIN
        // A hang-up the program was started to ignore (nohup) stays ignored.
        std::signal(SIGHUP, SIG_IGN);
#endif
        StartedForm started(toFifo ? nullptr : &memory);
        QVERIFY(QTest::qWaitForWindowActive(&started.form));
#ifndef Q_OS_WIN
        ::raise(SIGHUP);
#endif
        auto *path = started.form.control<QLineEdit>(u"Text8"_s);
        QVERIFY(started.form.control(u"Frame1"_s)->isHidden()
                && started.form.control<QRadioButton>(u"Option1"_s)->isChecked());
        started.click(u"Command3"_s);
        started.click(u"Command3"_s);
        QVERIFY(started.form.control(u"Frame1"_s)->isVisible());
        started.click(option == "Option1"_L1 ? u"Option2"_s : u"Option1"_s);
        started.click(option);
        QCOMPARE(path->text(), u"C:\\avto."_s + layout);
        path->setText(fifo);
        started.click(u"Command4"_s);
        started.click(u"Command4"_s);
        QVERIFY(started.form.control(u"Frame1"_s)->isHidden()
                && started.form.control(u"Text23"_s)->isVisible());

        started.form.control(u"Text1"_s)->setFocus();
        for (const QStringList &row : testRows(u"typed.values"_s)) {
            QWidget *input = QApplication::focusWidget();
            QCOMPARE(input->objectName(), row[0]);
            auto *combo = qobject_cast<QComboBox *>(input);
            const int item = combo ? combo->findText(row.value(1)) : -1;
            for (const QChar character : item < 0 ? row.value(1) : QString())
                QTest::sendKeyEvent(QTest::Click, input, Qt::Key_unknown, character, {});
            for (int step = 0; item >= 0 && step < 60 && combo->currentIndex() != item; ++step)
                QTest::keyClick(combo, item > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
            QTest::keyClick(input, Qt::Key_Tab);
        }
        // Where the system puts the document elsewhere, the path box then says where,
        // unless it was changed while the document was being written.
        memory.movedTo = folder.filePath(u"Documents/avto.doc"_s);
        QWidget *car = started.form.control(u"Command1"_s);
        const auto press
            = [&started] { QTest::keyClick(started.form.windowHandle(), Qt::Key_Space); };
        car->setFocus();
        press();
        bool answered = false;
        QTimer::singleShot(0, this, [&answered] { answered = true; });
        QTRY_VERIFY(answered && started.writer.isWriting());
        QVERIFY(!car->isEnabled());
        QCOMPARE(started.form.cursor().shape(), Qt::BusyCursor);
        press();
        if (toFifo) {
            QTRY_VERIFY(started.writer.goesToStream());
            started.click(u"Command2"_s);
            QVERIFY(!started.form.isVisible() && !started.writer.finishBeforeExit());
            QCOMPARE(reader.readAll().sliced(filled), testData(u"typed.txt.ref"_s));
            QTRY_VERIFY(!started.writer.isWriting() && started.shell.documents.isEmpty());
            return;
        }
        QVERIFY(started.form.isVisible());
        memory.gate.release();
        QTRY_VERIFY(car->isEnabled() && car->hasFocus()
                    && started.form.cursor().shape() == Qt::ArrowCursor);
        QCOMPARE(path->text(), memory.movedTo);

        // The second document: the path changed meanwhile, and closing waits
        // for a flush that then fails.
        press();
        QVERIFY(started.writer.isWriting());
        path->setText(u"changed.doc"_s);
        memory.failing = true;
        memory.abandonable = false;
        started.click(u"Command2"_s);
        started.form.close();
        QVERIFY(started.form.isVisible() && !started.form.isEnabled());
        memory.gate.release();
        QTRY_VERIFY(started.form.findChild<QMessageBox *>());
        QVERIFY(started.form.isVisible() && started.form.isEnabled());
        QCOMPARE(path->text(), u"changed.doc"_s);
        started.form.findChild<QMessageBox *>()->close();

        // The third: the session ends, then the flush succeeds and the program ends.
        memory.failing = false;
        started.click(u"Command1"_s);
        // As a logout asks; Windows asks through the window's own messages.
#ifdef Q_OS_WIN
        started.form.close();
#else
        ::kill(::getpid(), SIGTERM);
#endif
        QTRY_VERIFY(!started.form.isEnabled() && started.form.isVisible());
        memory.gate.release();
        QTRY_VERIFY(!started.form.isVisible());
        QVERIFY(started.writer.finishBeforeExit());
        // Every document holds what was typed, and no key pressed meanwhile.
        QCOMPARE(started.shell.documents.size(), 2);
        QCOMPARE(memory.bytes, testData(u"typed.%1.ref"_s.arg(layout)));
    }

    void opensLinksAndListsOnAClickOrAPress()
    {
        StartedForm started;
        started.form.control<QLabel>(u"Label28"_s)->setText(u"https://folvar.example/  "_s);
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
            started.click(u"Label28"_s, button);
            started.click(u"Label29"_s, button);
        }
        // A screen reader presses a link as a click does, and a combo box's press shows its list.
        for (const QString &name : {u"Label28"_s, u"Combo1"_s})
            QAccessible::queryAccessibleInterface(started.form.control(name))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(started.form.control<QComboBox>(u"Combo1"_s)->view()->isVisible());
        const QString homePage = u"https://folvar.example/  "_s;
        const QString mail = u"mailto:author@folvar.example?Subject=folvar_вопросы "_s;
        const QStringList expected{homePage, mail, homePage};
        QCOMPARE(started.shell.addresses, expected);
    }

    void tellsWithoutLosingAnything_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("viewerFails");

        QTest::newRow("line break in a long path")
            << u"a\nb"_s + QString(300, u'x') << u"Иванов"_s
            << u"a\u240Ab"_s + QString(37, u'x') + u'…' << false;
        QString cjk(1'000'000, u'中');
        for (qsizetype index = 0; index < cjk.size(); ++index)
            cjk[index] = QChar(char16_t(0x4E00 + index % 20'000));
        QTest::newRow("a million CJK characters")
            << u"avto.doc"_s << cjk << u"Год выпуска: 一\nи ещё в 20 полях"_s << false;
        QTest::newRow("the viewer gives up")
            << u"avto.doc"_s << u"Иванов"_s
            << u"/avto.doc\nНо приложение, запущенное, чтобы его показать, завершилось с ошибкой."_s
            << true;
    }

    // The message is an alert shown without blocking, it fits on a 1024 x
    // 768 screen, and every typed value stays.
    void tellsWithoutLosingAnything()
    {
        QFETCH(QString, file);
        QFETCH(QString, value);
        QFETCH(QString, told);
        QFETCH(bool, viewerFails);
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        // Windows removes no folder that is a current one.
        const auto leave = qScopeGuard([] { QDir::setCurrent(QDir::tempPath()); });
        StartedForm started;
        for (QLineEdit *box : started.form.findChildren<QLineEdit *>())
            box->setText(value.first(1));
        started.form.control<QLineEdit>(u"Text1"_s)->setText(value);
        started.form.control<QLineEdit>(u"Text8"_s)->setText(file);
        started.form.control<QComboBox>(u"Combo3"_s)->setEditText(u"недели"_s);

        started.click(u"Command1"_s);
        QTRY_VERIFY(!started.writer.isWriting());
        if (viewerFails)
            Q_EMIT started.shell.documentNotShown(folder.filePath(file));

        auto *message = started.form.findChild<QMessageBox *>();
        QVERIFY(message && message->isVisible());
        QAccessibleInterface *alert = QAccessible::queryAccessibleInterface(message);
        QCOMPARE(alert->role(), QAccessible::AlertMessage);
        QVERIFY2(alert->text(QAccessible::Value).contains(told), qPrintable(message->text()));
        QVERIFY(message->frameGeometry().width() <= 1024
                && message->frameGeometry().height() <= 768);
        message->close();
        QCOMPARE(started.form.control<QLineEdit>(u"Text1"_s)->text(), value);
        QCOMPARE(started.form.control<QComboBox>(u"Combo3"_s)->currentText(), u"недели"_s);
        QVERIFY(started.form.isVisible());

        // The next click, on a path that takes the document, writes it without a word of failure.
        QTRY_VERIFY(!started.form.findChild<QMessageBox *>());
        started.form.control<QLineEdit>(u"Text8"_s)->setText(folder.filePath(u"again.doc"_s));
        started.click(u"Command1"_s);
        QTRY_VERIFY(!started.writer.isWriting());
        message = started.form.findChild<QMessageBox *>();
        QVERIFY(QFile::exists(folder.filePath(u"again.doc"_s))
                && (!message || !message->text().contains(u"не записан"_s)));
    }

private:
    // One window serves every control's row.
    std::unique_ptr<Form1> referenceForm;
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
