#include "Form1.h"
#include "FormActions.h"
#include "KeyValueLines.h"
#include "RecordingShellOpener.h"
#include "SaveFileOutput.h"
#include "TestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// The window as the program starts it, with a recording shell.
struct StartedForm
{
    StartedForm()
        : actions(form, output, shell)
    {
        actions.load();
        form.show();
        QApplication::setActiveWindow(&form);
    }

    template<typename Control = QWidget>
    Control *control(const QString &name) const
    {
        return form.findChild<Control *>(name);
    }
    void click(const QString &name, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(control(name), button);
    }
    Form1 form;
    SaveFileOutput output;
    RecordingShellOpener shell;
    FormActions actions;
};

} // namespace

class TestFormActions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesWhatIsTyped_data();
    void writesWhatIsTyped();
    void panelAndOptionsSetTheOutput();
    void linksOpenOnALeftClick();
    void tellsWithoutLosingAnything_data();
    void tellsWithoutLosingAnything();
    void exitEndsTheEventLoop();
};

void TestFormActions::writesWhatIsTyped_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("doc") << u"Option1"_s;
    QTest::newRow("txt") << u"Option2"_s;
}

// Goes through the inputs with Tab, typing each value as key presses, or
// picking it with the arrow keys where a combo lists it, and generates.
void TestFormActions::writesWhatIsTyped()
{
    QFETCH(QString, option);
    QTemporaryDir folder;
    StartedForm started;
    QVERIFY(QTest::qWaitForWindowActive(&started.form));
    started.click(u"Command3"_s);
    started.click(option);
    started.control<QLineEdit>(u"Text8"_s)->setText(folder.filePath(u"avto"_s));

    started.control(u"Text1"_s)->setFocus();
    for (const auto &[name, value] : keyValueLines(testData(u"typed.values"_s))) {
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
        auto *combo = qobject_cast<QComboBox *>(QApplication::focusWidget());
        const int item = combo ? combo->findText(value) : -1;
        for (const QChar character : item < 0 ? value : QString())
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                QString(character), Qt::NoModifier);
        for (int step = 0; item >= 0 && step < 60 && combo->currentIndex() != item; ++step)
            QTest::keyClick(combo, item > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    started.click(u"Command1"_s);

    QCOMPARE(readFile(folder.filePath(u"avto"_s)),
             testData(u"typed.%1.ref"_s.arg(QLatin1StringView(QTest::currentDataTag()))));
    QCOMPARE(started.shell.documents.size(), 1);
}

void TestFormActions::panelAndOptionsSetTheOutput()
{
    StartedForm started;
    QVERIFY(QTest::qWaitForWindowActive(&started.form));
    auto *path = started.control<QLineEdit>(u"Text8"_s);
    QCOMPARE(path->text(), u"C:\\avto.doc"_s);
    QVERIFY(started.control(u"Frame1"_s)->isHidden());
    QVERIFY(started.control<QRadioButton>(u"Option1"_s)->isChecked());

    started.click(u"Command3"_s);
    started.click(u"Command3"_s);
    QVERIFY(started.control(u"Frame1"_s)->isVisible());
    path->setText(u"/home/owner/мой.doc"_s);
    started.click(u"Option2"_s);
    QCOMPARE(path->text(), u"C:\\avto.txt"_s);
    QVERIFY(!started.control<QRadioButton>(u"Option1"_s)->isChecked());
    started.click(u"Option1"_s);
    QCOMPARE(path->text(), u"C:\\avto.doc"_s);

    path->setText(u"kept.doc"_s);
    started.click(u"Command4"_s);
    started.click(u"Command4"_s);
    QVERIFY(started.control(u"Frame1"_s)->isHidden() && started.control(u"Text23"_s)->isVisible());
    QCOMPARE(path->text(), u"kept.doc"_s);
    QVERIFY(started.control<QRadioButton>(u"Option1"_s)->isChecked());
}

void TestFormActions::linksOpenOnALeftClick()
{
    StartedForm started;
    started.control<QLabel>(u"Label28"_s)->setText(u"https://folvar.example/  "_s);
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
        started.click(u"Label28"_s, button);
        started.click(u"Label29"_s, button);
    }
    const QList<ShellRequest> expected{
        {RecordingShellOpener::desktopHandle, u"Open"_s, u"https://folvar.example/  "_s, u""_s,
         u"c:\\"_s, 1},
        {0, u"Open"_s, u"mailto:author@folvar.example?Subject=folvar_вопросы "_s, u""_s, u""_s, 1}};
    QCOMPARE(started.shell.addresses, expected);
    QCOMPARE(started.shell.desktopWindowCalls, 1);
}

void TestFormActions::tellsWithoutLosingAnything_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("canOpen");
    QTest::addColumn<QString>("told");

    QTest::newRow("missing folder")
        << u"no/avto.doc"_s << u"Иванов"_s << true << u"/no/avto.doc\nПричина: "_s;
    QTest::newRow("line break in a long path") << u"a\nb"_s + QString(300, u'x') << u"Иванов"_s
                                               << true << u"a\u240Ab"_s + QString(37, u'x') + u'…';
    QTest::newRow("nothing shows it")
        << u"avto.doc"_s << u"Иванов"_s << false << u"/avto.doc\nНо показать"_s;
    QString cjk(1'000'000, u'中');
    for (qsizetype index = 0; index < cjk.size(); ++index)
        cjk[index] = QChar(char16_t(0x4E00 + index % 20'000));
    QTest::newRow("a million CJK characters")
        << u"avto.doc"_s << cjk << true << u"строка 9: 一\nи ещё в 15 строках"_s;
}

// The message is an alert shown without blocking, it fits on a 1024 x 768
// screen, and every typed value stays.
void TestFormActions::tellsWithoutLosingAnything()
{
    QFETCH(QString, file);
    QFETCH(QString, value);
    QFETCH(bool, canOpen);
    QFETCH(QString, told);
    QTemporaryDir folder;
    StartedForm started;
    started.shell.canOpenDocuments = canOpen;
    for (QLineEdit *box : started.form.findChildren<QLineEdit *>())
        box->setText(value.first(1));
    started.control<QLineEdit>(u"Text1"_s)->setText(value);
    started.control<QLineEdit>(u"Text8"_s)
        ->setText(file.startsWith(u'a') ? file : folder.filePath(file));
    started.control<QComboBox>(u"Combo3"_s)->setEditText(u"недели"_s);

    started.click(u"Command1"_s);

    auto *message = started.form.findChild<QMessageBox *>();
    QVERIFY(message && message->isVisible());
    QAccessibleInterface *alert = QAccessible::queryAccessibleInterface(message);
    QCOMPARE(alert->role(), QAccessible::AlertMessage);
    QVERIFY2(alert->text(QAccessible::Value).contains(told), qPrintable(message->text()));
    QVERIFY(message->frameGeometry().width() <= 1024 && message->frameGeometry().height() <= 768);
    message->close();
    QCOMPARE(started.control<QLineEdit>(u"Text1"_s)->text(), value);
    QCOMPARE(started.control<QComboBox>(u"Combo3"_s)->currentText(), u"недели"_s);
    QVERIFY(started.form.isVisible());
}

void TestFormActions::exitEndsTheEventLoop()
{
    StartedForm started;
    QTimer::singleShot(0, &started.form, [&started] { started.click(u"Command2"_s); });
    QTimer::singleShot(5000, &started.form, [] { QApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!started.form.isVisible());
}

QTEST_MAIN(TestFormActions)
#include "tst_formactions.moc"
