#include "Form1.h"
#include "FormActions.h"
#include "RecordingShellOpener.h"
#include "SaveFileOutput.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

    QWidget *control(QStringView name) const { return form.control(name); }
    QLineEdit *path() const { return form.control<QLineEdit>(u"Text8"); }
    void click(QStringView name) const { QTest::mouseClick(control(name), Qt::LeftButton); }

    Form1 form;
    SaveFileOutput output;
    RecordingShellOpener shell;
    FormActions actions;
};

QStringList tabChain(QWidget *start, int steps)
{
    start->setFocus();
    QStringList names{QApplication::focusWidget()->objectName()};
    for (int step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // An editable combo's focus sits in its line edit.
        if (qobject_cast<QComboBox *>(focus->parentWidget()))
            focus = focus->parentWidget();
        names.append(focus->objectName());
    }
    return names;
}

QStringList numbered(const QString &prefix, std::initializer_list<int> numbers)
{
    QStringList names;
    for (int number : numbers)
        names.append(prefix + QString::number(number));
    return names;
}

} // namespace

class TestFormActions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithDocAndPanelHidden();
    void tabsThroughTheInputsInOrder();
    void optionsResetThePathAndButtonsToggleThePanel();
    void linksMakeTheirRequests();
    void generateWritesAndOpensTheDocument();
    void failedGenerateKeepsInputsAndTells();
    void exitEndsTheEventLoop();
};

void TestFormActions::startsWithDocAndPanelHidden()
{
    StartedForm started;
    QVERIFY(started.form.control<QRadioButton>(u"Option1")->isChecked());
    QVERIFY(!started.form.control<QRadioButton>(u"Option2")->isChecked());
    QCOMPARE(started.path()->text(), u"C:\\avto.doc"_s);
    QVERIFY(started.control(u"Frame1")->isHidden());
    QVERIFY(started.control(u"Text23")->isVisible());
}

void TestFormActions::tabsThroughTheInputsInOrder()
{
    StartedForm started;
    QVERIFY(QTest::qWaitForWindowActive(&started.form));
    const QStringList inputs
        = numbered(u"Text"_s, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11}) + QStringList{u"Combo1"_s}
          + numbered(u"Text"_s, {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})
          + numbered(u"Combo"_s, {2, 3, 4, 5, 6});
    const QStringList buttons = numbered(u"Command"_s, {1, 2, 3});

    QStringList hidden = inputs + buttons + QStringList{u"Text1"_s};
    QCOMPARE(tabChain(started.control(u"Text1"), int(hidden.size()) - 1), hidden);

    started.click(u"Command3");
    QStringList shown = inputs + QStringList{u"Option1"_s, u"Text8"_s} + buttons
                        + QStringList{u"Command4"_s, u"Text1"_s};
    QCOMPARE(tabChain(started.control(u"Text1"), int(shown.size()) - 1), shown);
}

void TestFormActions::optionsResetThePathAndButtonsToggleThePanel()
{
    StartedForm started;
    started.click(u"Command3");
    QVERIFY(started.control(u"Frame1")->isVisible());
    started.click(u"Command3");
    QVERIFY(started.control(u"Frame1")->isVisible());

    started.path()->setText(u"/home/owner/мой.doc"_s);
    started.click(u"Option2");
    QCOMPARE(started.path()->text(), u"C:\\avto.txt"_s);
    QVERIFY(!started.form.control<QRadioButton>(u"Option1")->isChecked());
    started.click(u"Option1");
    QCOMPARE(started.path()->text(), u"C:\\avto.doc"_s);

    started.path()->setText(u"kept.doc"_s);
    started.click(u"Command4");
    QVERIFY(started.control(u"Frame1")->isHidden());
    started.click(u"Command4");
    QVERIFY(started.control(u"Frame1")->isHidden());
    QCOMPARE(started.path()->text(), u"kept.doc"_s);
    QVERIFY(started.form.control<QRadioButton>(u"Option1")->isChecked());
}

void TestFormActions::linksMakeTheirRequests()
{
    StartedForm started;
    auto *home = started.form.control<QLabel>(u"Label28");
    auto *mail = started.form.control<QLabel>(u"Label29");
    home->setText(u"https://folvar.example/  "_s);
    mail->setText(u"someone@folvar.example"_s);

    started.click(u"Label28");
    started.click(u"Label29");

    const QList<ShellRequest> expected{{RecordingShellOpener::desktopHandle, u"Open"_s,
                                        u"https://folvar.example/  "_s, u""_s, u"c:\\"_s, 1},
                                       {0, u"Open"_s,
                                        u"mailto:someone@folvar.example?Subject=folvar_вопросы "_s,
                                        u""_s, u""_s, 1}};
    QCOMPARE(started.shell.requests, expected);
    QCOMPARE(started.shell.desktopWindowCalls, 1);
}

void TestFormActions::generateWritesAndOpensTheDocument()
{
    QTemporaryDir dir;
    StartedForm started;
    const QString path = dir.filePath(u"avto.doc"_s);
    started.path()->setText(path);
    const ShellRequest open{0, u"open"_s, path, {}, {}, ShellRequest::showMaximized};

    started.click(u"Command1");
    QCOMPARE(QFileInfo(path).size(), 907);
    QCOMPARE(started.shell.requests, QList<ShellRequest>{open});
    QVERIFY(!started.form.findChild<QMessageBox *>());

    started.form.control<QLineEdit>(u"Text1")->setText(u"Тула \u0100"_s);
    started.click(u"Command1");
    QCOMPARE(QFileInfo(path).size(), 907 + 6);
    QCOMPARE(started.shell.requests, QList<ShellRequest>({open, open}));
    auto *notice = started.form.findChild<QMessageBox *>();
    QVERIFY(notice);
    QVERIFY(notice->text().contains(u"строка 2: \u0100"_s));
    notice->close();
}

void TestFormActions::failedGenerateKeepsInputsAndTells()
{
    QTemporaryDir dir;
    StartedForm started;
    const QString path = dir.filePath(u"missing/avto.doc"_s);
    started.path()->setText(path);
    started.form.control<QLineEdit>(u"Text18")->setText(u"Иванов"_s);
    started.form.control<QComboBox>(u"Combo3")->setEditText(u"недели"_s);

    started.click(u"Command1");

    auto *message = started.form.findChild<QMessageBox *>();
    QVERIFY(message);
    QCOMPARE(message->text(), u"Cannot write %1: No such file or directory"_s.arg(path));
    message->close();
    QVERIFY(started.shell.requests.isEmpty());
    QCOMPARE(started.path()->text(), path);
    QCOMPARE(started.form.control<QLineEdit>(u"Text18")->text(), u"Иванов"_s);
    QCOMPARE(started.form.control<QComboBox>(u"Combo3")->currentText(), u"недели"_s);
    QVERIFY(started.form.isVisible());
}

void TestFormActions::exitEndsTheEventLoop()
{
    StartedForm started;
    QTimer::singleShot(0, &started.form, [&started] { started.click(u"Command2"); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool timedOut = false;
    connect(&watchdog, &QTimer::timeout, &started.form, [&timedOut] {
        timedOut = true;
        QApplication::exit(1);
    });
    watchdog.start(5000);

    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!timedOut);
    QVERIFY(!started.form.isVisible());
}

QTEST_MAIN(TestFormActions)
#include "tst_formactions.moc"
