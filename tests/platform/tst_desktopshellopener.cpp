#include "ChildRun.h"
#include "DesktopShellOpener.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "SaveFileOutput.h"
#include "TestFiles.h"
#include "ViewerCommand.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString libreOfficeHint = u"--infilter=Text (encoded):MS_1251"_s;
const QString awkwardFile = u"/tmp/a b/-Доверенность #1 100%.doc"_s;

// Catches what would go to the desktop's opener.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

// A desktop of the test's own: a "libreoffice" for text, another viewer for
// Word documents, and programs that only note how they were started.
void makeDesktop(const QDir &root)
{
    for (const QString &folder : {u"bin"_s, u"apps/applications"_s, u"bare"_s, u"config"_s})
        root.mkpath(folder);
    for (const QString &data : {u"apps/mime"_s, u"bare/mime"_s})
        QFile::link(u"/usr/share/mime"_s, root.filePath(data));
    writeFile(root.filePath(u"config/mimeapps.list"_s),
              "[Default Applications]\ntext/plain=libreoffice.desktop\n"
              "application/msword=viewer.desktop\n");
    for (const QString &program : {u"libreoffice"_s, u"viewer"_s}) {
        writeFile(root.filePath(u"bin/"_s + program),
                  "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.arguments\"\n");
        QFile::setPermissions(root.filePath(u"bin/"_s + program),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString type = program == "viewer"_L1 ? u"application/msword"_s : u"text/plain"_s;
        writeFile(root.filePath(u"apps/applications/%1.desktop"_s.arg(program)),
                  u"[Desktop Entry]\nType=Application\nName=%1\nExec=%1 %U\nMimeType=%2;\n"_s
                      .arg(program, type)
                      .toUtf8());
    }
}

// Generates in a child process that sees only the test's desktop; returns
// what the desktop's opener was given and what the window would say.
QByteArray generateOnDesktop(const QDir &root, const QString &data, const QString &file,
                             bool opener)
{
    QDir::setCurrent(root.path());
    qputenv("PATH", QFile::encodeName(root.filePath(u"bin"_s)) + ":/usr/bin:/bin");
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(u"bare"_s)));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath(data)));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(u"config"_s)));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath(u"bare"_s)));
    qunsetenv("XDG_CURRENT_DESKTOP");
    UrlCatcher catcher;
    if (opener)
        QDesktopServices::setUrlHandler(u"file"_s, &catcher, "open");
    MapForm form;
    form.path = file;
    SaveFileOutput output;
    DesktopShellOpener shell;
    const GenerateResult result = GenerateCommand(output, shell).run(form);
    const QString opened = catcher.urls.isEmpty() ? QString() : catcher.urls.first().toLocalFile();
    return (opened + u'\n' + GenerateReport::text(result)).toUtf8();
}

} // namespace

class TestDesktopShellOpener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tellsEachViewerTheEncoding_data();
    void tellsEachViewerTheEncoding();
    void opensThroughTheDesktopDatabase_data();
    void opensThroughTheDesktopDatabase();
    void libreOfficeReadsTheDocumentInRussian();
    void keepsAddressesAsAddresses();
};

void TestDesktopShellOpener::tellsEachViewerTheEncoding_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QStringList>("arguments");

    const QStringList libreOffice{libreOfficeHint, awkwardFile};
    const QStringList gtkEditor{u"--encoding=WINDOWS-1251"_s, awkwardFile};
    const QStringList kdeEditor{u"--encoding"_s, u"windows-1251"_s, awkwardFile};
    QTest::newRow("libreoffice") << u"libreoffice"_s << libreOffice;
    QTest::newRow("versioned libreoffice") << u"/opt/bin/libreoffice7.6"_s << libreOffice;
    QTest::newRow("soffice") << u"/usr/bin/soffice"_s << libreOffice;
    QTest::newRow("lowriter") << u"lowriter"_s << libreOffice;
    QTest::newRow("gedit") << u"gedit"_s << gtkEditor;
    QTest::newRow("pluma") << u"pluma"_s << gtkEditor;
    QTest::newRow("mousepad") << u"mousepad"_s << gtkEditor;
    QTest::newRow("kate") << u"kate"_s << kdeEditor;
    QTest::newRow("kwrite") << u"/usr/bin/kwrite"_s << kdeEditor;
    QTest::newRow("GNOME Text Editor takes no hint") << u"gnome-text-editor"_s << QStringList();
    QTest::newRow("a browser takes no hint") << u"firefox"_s << QStringList();
    QTest::newRow("no application") << QString() << QStringList();
}

void TestDesktopShellOpener::tellsEachViewerTheEncoding()
{
    QFETCH(QString, executable);
    QFETCH(QStringList, arguments);
    const std::optional<ViewerCommand> command
        = ViewerCommand::forApplication(executable, awkwardFile);
    QCOMPARE(command.has_value(), !arguments.isEmpty());
    if (command) {
        QCOMPARE(command->program, executable);
        QCOMPARE(command->arguments, arguments);
    }
}

void TestDesktopShellOpener::opensThroughTheDesktopDatabase_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("opener");
    // What the fake LibreOffice and the opener were given, and what the
    // window says; %1 is the test's folder.
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("handed");
    QTest::addColumn<QString>("told");

    const QString awkward = u"%1/-Доверенность #1 100%.txt"_s;
    QTest::newRow("LibreOffice is told the encoding")
        << u"apps"_s << awkward.sliced(3) << true << libreOfficeHint + u'\n' + awkward + u'\n'
        << QString() << QString();
    QTest::newRow("another viewer is left to the opener")
        << u"apps"_s << u"avto.doc"_s << true << QString() << u"%1/avto.doc"_s << QString();
    QTest::newRow("no application and no opener")
        << u"bare"_s << u"C:\\avto.doc"_s << false << QString() << QString()
        << u"Документ записан: %1/avto.doc\nНо показать его не удалось"_s;
}

void TestDesktopShellOpener::opensThroughTheDesktopDatabase()
{
    QFETCH(QString, data);
    QFETCH(QString, file);
    QFETCH(bool, opener);
    QFETCH(QString, started);
    QFETCH(QString, handed);
    QFETCH(QString, told);
    QTemporaryDir root;
    makeDesktop(QDir(root.path()));
    qputenv("HOME", QFile::encodeName(root.path()));

    const ChildRun run
        = ChildRun::of([&] { return generateOnDesktop(QDir(root.path()), data, file, opener); });

    QVERIFY(run.finished);
    const QString output = QString::fromUtf8(run.output);
    QCOMPARE(output.section(u'\n', 0, 0), handed.arg(root.path()));
    QVERIFY2(output.section(u'\n', 1).contains(told.arg(root.path())), qPrintable(output));
    const QString arguments = root.filePath(u"bin/libreoffice.arguments"_s);
    if (!started.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(readFile(arguments), started.arg(root.path()).toUtf8(), 10'000);
    QVERIFY(!QFile::exists(root.filePath(u"bin/viewer.arguments"_s)));
}

// The real LibreOffice, in a profile of its own and without a window,
// converts the document given exactly the hint the opener passes.
void TestDesktopShellOpener::libreOfficeReadsTheDocumentInRussian()
{
    QTemporaryDir folder;
    const QString document = folder.filePath(u"avto.doc"_s);
    QVERIFY(QFile::copy(QStringLiteral(FOLVAR_TEST_DATA "/filled.doc.ref"), document));
    const std::optional<ViewerCommand> viewer
        = ViewerCommand::forApplication(u"soffice"_s, document);
    QVERIFY(viewer);
    QProcess soffice;
    soffice.start(viewer->program,
                  QStringList{u"-env:UserInstallation="_s
                                  + QUrl::fromLocalFile(folder.filePath(u"profile"_s)).toString(),
                              u"--headless"_s, u"--convert-to"_s, u"txt:Text (encoded):UTF8"_s,
                              u"--outdir"_s, folder.path()}
                      + viewer->arguments);
    QVERIFY(soffice.waitForFinished(120'000));
    QCOMPARE(readFile(folder.filePath(u"avto.txt"_s)),
             "\xEF\xBB\xBF" + readFile(QStringLiteral(FOLVAR_TEST_DATA "/filled.doc.utf8")));
}

void TestDesktopShellOpener::keepsAddressesAsAddresses()
{
    UrlCatcher catcher;
    for (const QString &scheme : {u"mailto"_s, u"https"_s})
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    DesktopShellOpener opener;
    QCOMPARE(opener.desktopWindow(), quintptr(0));
    opener.openAddress(
        {0, u"Open"_s, u"mailto:a@folvar.invalid?Subject=folvar_вопросы "_s, {}, {}, 1});
    opener.openAddress({0, u"Open"_s, u"https://folvar.invalid/"_s, {}, u"c:\\"_s, 1});
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.at(0).toEncoded(),
             QByteArray("mailto:a@folvar.invalid?Subject=folvar_"
                        "%D0%B2%D0%BE%D0%BF%D1%80%D0%BE%D1%81%D1%8B%20"));
    QCOMPARE(catcher.urls.at(1), QUrl(u"https://folvar.invalid/"_s));
}

QTEST_MAIN(TestDesktopShellOpener)
#include "tst_desktopshellopener.moc"
