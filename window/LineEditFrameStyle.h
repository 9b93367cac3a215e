#pragma once

#include <QList>
#include <QPixmap>
#include <QProxyStyle>

// The application's style, unchanged except that Fusion's line-edit frame,
// the same all along its length, is drawn from a narrow rendering kept per
// height, state and palette: its ends are copied, and the rows of its middle
// column that hold colour are filled across. Fusion draws that frame
// antialiased, which made the frames of the thirty text boxes one of the
// largest costs of showing the window.
class LineEditFrameStyle : public QProxyStyle
{
public:
    explicit LineEditFrameStyle(const QString &baseStyleName);

    // Makes this the application's style around its current one, once.
    static void install();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

private:
    // A run of rows, in device pixels, of one colour in the middle column.
    struct MiddleRun
    {
        int firstRow;
        int rowCount;
        QColor colour;
    };

    // A frame's looks, by which its rendering is kept. Each control holds its
    // own copy of the palette, so palettes are compared by their colours.
    struct Rendering
    {
        QStyle::State state;
        QPalette palette;
        int height;
        Qt::LayoutDirection direction;
        qreal pixelRatio;
        QPixmap narrowFrame;
        QList<MiddleRun> middle;

        bool draws(const QStyleOption &option, qreal ratio) const;
    };

    const Rendering &rendering(const QStyleOption &option, qreal pixelRatio,
                               const QWidget *widget) const;
    static QList<MiddleRun> middleRuns(const QImage &narrow, qreal pixelRatio);

    mutable QList<Rendering> m_renderings;
};
