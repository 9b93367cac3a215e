#include "DesktopShellOpener.h"
#include "LocalPath.h"

#include <QDesktopServices>
#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Catches what would go to the desktop's opener.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

class TestDesktopShellOpener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void turnsDocumentPathsIntoFileUrls_data();
    void turnsDocumentPathsIntoFileUrls();
    void keepsAddressesAndEncodesTheirQuery();
    void handsEveryRequestToTheOpener();
};

void TestDesktopShellOpener::initTestCase()
{
    qputenv("HOME", "/home/owner");
}

void TestDesktopShellOpener::turnsDocumentPathsIntoFileUrls_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("file");

    const QString here = QDir::currentPath();
    QTest::newRow("drive root") << u"C:\\avto.doc"_s << u"/home/owner/avto.doc"_s;
    QTest::newRow("drive folder") << u"d:\\docs\\a.txt"_s << u"/home/owner/docs/a.txt"_s;
    QTest::newRow("leading dash") << u"-n.doc"_s << here + u"/-n.doc"_s;
    QTest::newRow("spaces, hash, percent") << u"/tmp/a b#1%20.doc"_s << u"/tmp/a b#1%20.doc"_s;
    QTest::newRow("cyrillic") << u"/tmp/доверенность.txt"_s << u"/tmp/доверенность.txt"_s;
    QTest::newRow("drive-relative name") << u"C:avto.doc"_s << here + u"/C:avto.doc"_s;
}

void TestDesktopShellOpener::turnsDocumentPathsIntoFileUrls()
{
    QFETCH(QString, typed);
    QFETCH(QString, file);

    const QUrl url = DesktopShellOpener::urlFor(typed);
    QCOMPARE(url.scheme(), u"file"_s);
    QCOMPARE(url.toLocalFile(), file);
    QVERIFY(!url.hasFragment());
}

void TestDesktopShellOpener::keepsAddressesAndEncodesTheirQuery()
{
    const QUrl mail
        = DesktopShellOpener::urlFor(u"mailto:author@folvar.invalid?Subject=folvar_вопросы "_s);
    QCOMPARE(mail.toEncoded(), QByteArray("mailto:author@folvar.invalid?Subject=folvar_"
                                          "%D0%B2%D0%BE%D0%BF%D1%80%D0%BE%D1%81%D1%8B%20"));
    const QUrl page = DesktopShellOpener::urlFor(u"https://folvar.invalid/"_s);
    QCOMPARE(page.toString(), u"https://folvar.invalid/"_s);
}

void TestDesktopShellOpener::handsEveryRequestToTheOpener()
{
    UrlCatcher catcher;
    for (const QString &scheme : {u"file"_s, u"mailto"_s, u"https"_s})
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    DesktopShellOpener opener;

    QCOMPARE(opener.desktopWindow(), quintptr(0));
    opener.execute({0, u"open"_s, u"C:\\avto.doc"_s, {}, {}, ShellRequest::showMaximized});
    opener.execute({0, u"Open"_s, u"mailto:a@folvar.invalid?Subject=x "_s, {}, {}, 1});
    opener.execute({1, u"Open"_s, u"https://folvar.invalid/"_s, {}, u"c:\\"_s, 1});

    QCOMPARE(catcher.urls.size(), 3);
    QCOMPARE(catcher.urls.at(0), QUrl::fromLocalFile(u"/home/owner/avto.doc"_s));
    QCOMPARE(catcher.urls.at(1).toEncoded(), QByteArray("mailto:a@folvar.invalid?Subject=x%20"));
    QCOMPARE(catcher.urls.at(2), QUrl(u"https://folvar.invalid/"_s));
}

QTEST_MAIN(TestDesktopShellOpener)
#include "tst_desktopshellopener.moc"
