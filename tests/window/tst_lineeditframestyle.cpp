#include "LineEditFrameStyle.h"

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QTest>

#include <memory>

namespace {

// A line-edit frame as the style draws it over the line edit's base colour.
QImage frameImage(const QStyle &style, const QStyleOptionFrame &option, qreal pixelRatio)
{
    QImage image(option.rect.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(option.palette.base().color());
    QPainter painter(&image);
    style.drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter);
    return image;
}

int largestDifference(const QImage &one, const QImage &other)
{
    int largest = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            const QRgb a = one.pixel(x, y);
            const QRgb b = other.pixel(x, y);
            for (const int shift : {0, 8, 16, 24})
                largest = std::max(largest,
                                   std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
        }
    }
    return largest;
}

} // namespace

class TestLineEditFrameStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsFramesAsFusionDoes();
};

// Every width, height, state, palette and pixel ratio in turn, so that a
// rendering kept for one is never used for another. The kept rendering is
// composed on a transparent layer first, which rounds a little differently.
void TestLineEditFrameStyle::drawsFramesAsFusionDoes()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    LineEditFrameStyle style(QStringLiteral("fusion"));
    QPalette darkWindow = fusion->standardPalette();
    darkWindow.setColor(QPalette::Window, Qt::darkBlue);

    QStyleOptionFrame option;
    option.lineWidth = 1;
    for (const qreal pixelRatio : {1.0, 2.0}) {
        for (const QPalette &palette : {fusion->standardPalette(), darkWindow}) {
            for (const QStyle::State state : {QStyle::State(QStyle::State_Enabled),
                                              QStyle::State_Enabled | QStyle::State_HasFocus,
                                              QStyle::State(QStyle::State_None)}) {
                for (const QSize size :
                     {QSize(10, 19), QSize(15, 19), QSize(16, 19), QSize(569, 19), QSize(48, 21),
                      QSize(9, 21), QSize(8, 21)}) {
                    option.rect = QRect(QPoint(), size);
                    option.palette = palette;
                    option.state = state;
                    const QImage expected = frameImage(*fusion, option, pixelRatio);
                    const QImage drawn = frameImage(style, option, pixelRatio);
                    QVERIFY2(largestDifference(drawn, expected) <= 2,
                             qPrintable(QStringLiteral("%1x%2, state %3, ratio %4")
                                            .arg(size.width())
                                            .arg(size.height())
                                            .arg(state.toInt())
                                            .arg(pixelRatio)));
                }
            }
        }
    }
}

QTEST_MAIN(TestLineEditFrameStyle)
#include "tst_lineeditframestyle.moc"
