#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "SaveFileOutput.h"
#include "WindowsShellOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

// Writes documents and opens them as Windows does, in a Wine prefix where
// ".recorded" files open with the tests' recorder and R:\ takes no new file.
class TestWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QString recorder = QCoreApplication::applicationDirPath() + u"/recorder.exe"_s;
        QSettings classes(u"HKEY_CLASSES_ROOT"_s, QSettings::NativeFormat);
        classes.setValue(u".recorded/."_s, u"folvar.recorded"_s);
        classes.setValue(u"folvar.recorded/shell/open/command/."_s,
                         u'"' + QDir::toNativeSeparators(recorder) + u"\" \"%1\""_s);
    }

    void opensAsWindowsDoes_data() { addTestRows(u"windows.rows"_s, {"path", "noted", "told"}); }

    void opensAsWindowsDoes()
    {
        QFETCH(QString, path);
        QFETCH(QString, noted);
        QFETCH(QString, told);
        QTemporaryDir folder;
        const QString documents = QDir::toNativeSeparators(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        const QString here = QDir::toNativeSeparators(folder.path());
        const auto placed
            = [&](QString text) { return text.replace(u"%1"_s, here).replace(u"%2"_s, documents); };
        const QString record = folder.filePath(u"noted"_s);
        qputenv("FOLVAR_RECORD", QDir::toNativeSeparators(record).toUtf8());
        MapForm form;
        form.path = placed(path);
        SaveFileOutput output;
        WindowsShellOpener shell;
        // The first click's document, which the second replaces.
        GenerateCommand(output, shell).run(form);

        const QString message = GenerateReport::text(GenerateCommand(output, shell).run(form));

        QVERIFY2(told.isEmpty() ? message.isEmpty() : message.startsWith(placed(told)),
                 qPrintable(message));
        if (!noted.isEmpty()) {
            QTRY_COMPARE(readFile(record), placed(noted).toUtf8());
            QCOMPARE(readFile(placed(noted).section(u'\n', 0, 0)), testData(u"start.doc.ref"_s));
        }
    }
};

QTEST_GUILESS_MAIN(TestWindows)
#include "tst_windows.moc"
