#include "Alone.h"
#include "DesktopShellOpener.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "SaveFileOutput.h"
#include "TestFiles.h"
#include "ViewerCommand.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// Catches what would go to the desktop's opener.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class TestDesktopShellOpener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tellsEachViewerTheEncoding();
    void opensThroughTheDesktopDatabase_data();
    void opensThroughTheDesktopDatabase();
    void libreOfficeReadsTheDocumentInRussian();
    void keepsAddressesAsAddresses();
};

void TestDesktopShellOpener::tellsEachViewerTheEncoding()
{
    const QString file = u"/tmp/a b/-Доверенность #1 100%.doc"_s;
    for (const QString &line :
         QString::fromUtf8(testData(u"viewers"_s)).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList expected = line.split(u'\t');
        const std::optional<ViewerCommand> command
            = ViewerCommand::forApplication(expected[0], file);
        const QStringList started
            = command ? QStringList(command->program) + command->arguments : QStringList();
        if (!line.startsWith(u'#'))
            QCOMPARE(started, expected.size() > 1 ? expected + QStringList(file) : QStringList());
    }
    QVERIFY(!ViewerCommand::forApplication(QString(), file));
}

void TestDesktopShellOpener::opensThroughTheDesktopDatabase_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("file");
    // What the fake LibreOffice, the opener and the user were given; %1 is
    // the document's folder.
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("handed");
    QTest::addColumn<QString>("told");

    const QString awkward = u"-Доверенность #1 100%.txt"_s;
    QTest::newRow("LibreOffice is told the encoding")
        << u"apps"_s << awkward << u"--infilter=Text (encoded):MS_1251\n%1/"_s + awkward + u'\n'
        << QString() << QString();
    QTest::newRow("another viewer is left to the opener")
        << u"apps"_s << u"avto.doc"_s << QString() << u"%1/avto.doc"_s << QString();
    QTest::newRow("no application, no opener")
        << u"none"_s << u"C:\\avto.doc"_s << QString() << QString()
        << u"Документ записан: %1/avto.doc\nНо показать его не удалось"_s;
}

// Each row runs alone, on a desktop of the test's own: a fake "libreoffice"
// for text and a "viewer" for Word documents in "apps", no application in
// "none", and the system's file types.
void TestDesktopShellOpener::opensThroughTheDesktopDatabase()
{
    QFETCH(QString, data);
    const QString desktop = QStringLiteral(FOLVAR_TEST_DATA "/desktop/");
    QTemporaryDir home;
    if (!isAlone() && QFile::link(u"/usr/share/mime"_s, home.filePath(u"mime"_s)))
        return runAlone({u"HOME="_s + home.path(), u"FOLVAR_ARGUMENTS="_s + home.path(),
                         u"PATH="_s + desktop + u"bin:/usr/bin:/bin"_s,
                         u"XDG_DATA_DIRS="_s + desktop + data + u':' + home.path(),
                         u"XDG_DATA_HOME="_s + home.path(),
                         u"XDG_CONFIG_HOME="_s + desktop + u"config"_s,
                         u"XDG_CONFIG_DIRS="_s + home.path(), u"XDG_CURRENT_DESKTOP="_s});
    QFETCH(QString, file);
    QFETCH(QString, started);
    QFETCH(QString, handed);
    QFETCH(QString, told);
    const QString folder = qEnvironmentVariable("HOME");
    QDir::setCurrent(folder);
    UrlCatcher opener;
    if (told.isEmpty())
        QDesktopServices::setUrlHandler(u"file"_s, &opener, "open");
    MapForm form;
    form.path = file;
    SaveFileOutput output;
    DesktopShellOpener shell;

    const QString message = GenerateReport::text(GenerateCommand(output, shell).run(form));

    QVERIFY2(message.contains(told.arg(folder)), qPrintable(message));
    QCOMPARE(opener.urls.value(0).toLocalFile(), handed.arg(folder));
    if (!started.isEmpty())
        QTRY_COMPARE(readFile(folder + u"/libreoffice"_s), started.arg(folder).toUtf8());
    QVERIFY(!QFile::exists(folder + u"/viewer"_s));
}

// The real LibreOffice, in a profile of its own and without a window,
// converts the document given exactly the hint the opener passes.
void TestDesktopShellOpener::libreOfficeReadsTheDocumentInRussian()
{
    QTemporaryDir folder;
    const QString document = folder.filePath(u"avto.doc"_s);
    QVERIFY(writeFile(document, testData(u"filled.doc.ref"_s)));
    const std::optional<ViewerCommand> viewer
        = ViewerCommand::forApplication(u"soffice"_s, document);
    QVERIFY(viewer);
    const QString profile = QUrl::fromLocalFile(folder.filePath(u"profile"_s)).toString();
    QProcess soffice;
    soffice.start(viewer->program,
                  QStringList{u"-env:UserInstallation="_s + profile, u"--headless"_s,
                              u"--convert-to"_s, u"txt:Text (encoded):UTF8"_s, u"--outdir"_s,
                              folder.path()}
                      + viewer->arguments);
    QVERIFY(soffice.waitForFinished(120'000));
    QCOMPARE(readFile(folder.filePath(u"avto.txt"_s)),
             "\xEF\xBB\xBF" + testData(u"filled.doc.utf8"_s));
}

// The mail subject's Cyrillic letters and trailing space are percent-encoded.
void TestDesktopShellOpener::keepsAddressesAsAddresses()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(u"mailto"_s, &catcher, "open");
    DesktopShellOpener().openAddress(
        {0, u"Open"_s, u"mailto:a@b.invalid?Subject=folvar_вопросы "_s, {}, {}, 1});
    QCOMPARE(catcher.urls.value(0).toEncoded(),
             "mailto:a@b.invalid?Subject=folvar_%D0%B2%D0%BE%D0%BF%D1%80%D0%BE%D1%81%D1%8B%20");
}

QTEST_MAIN(TestDesktopShellOpener)
#include "tst_desktopshellopener.moc"
