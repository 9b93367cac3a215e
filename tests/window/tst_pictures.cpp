#include "Pictures.h"

#include "pictures/car.xpm"
#include "pictures/door.xpm"
#include "pictures/exit-word.xpm"
#include "pictures/hand.xpm"
#include "pictures/pages.xpm"

#include <QTest>

class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readAsQtReadsThem();
};

// Qt's own XPM reader is the reference for the program's quicker one.
void TestPictures::readAsQtReadsThem()
{
    const QList<std::pair<Picture, const char *const *>> pictures{{Picture::Car, car},
                                                                  {Picture::Door, door},
                                                                  {Picture::Pages, pages},
                                                                  {Picture::ExitWord, exit_word},
                                                                  {Picture::Hand, hand}};
    for (const auto &[picture, xpm] : pictures) {
        const QImage expected = QImage(xpm).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY(!expected.isNull());
        QCOMPARE(Pictures::image(picture), expected);
    }
    QVERIFY(Pictures::image(Picture::None).isNull());
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
