#include "LineEditFrameStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

using namespace Qt::Literals::StringLiterals;

namespace {

// Columns at each end that hold the rounded corners; those between repeat.
// The narrow rendering leaves room between its ends, so that the corners of
// the inner focus ring do not reach the column that is stretched.
constexpr int endWidth = 4;
constexpr int narrowWidth = 2 * endWidth + 7;
constexpr int middleColumn = narrowWidth / 2;
// A new palette or state adds a rendering; past this many the old ones go.
constexpr qsizetype keptRenderings = 16;

} // namespace

LineEditFrameStyle::LineEditFrameStyle(const QString &baseStyleName)
    : QProxyStyle(baseStyleName)
{
}

void LineEditFrameStyle::install()
{
    QStyle *current = QApplication::style();
    if (!dynamic_cast<LineEditFrameStyle *>(current))
        QApplication::setStyle(new LineEditFrameStyle(current->name()));
}

void LineEditFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                       QPainter *painter, const QWidget *widget) const
{
    const QRect rect = option->rect;
    if (element != PE_FrameLineEdit || rect.width() < narrowWidth
        || baseStyle()->name() != u"fusion"_s) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal pixelRatio = painter->device()->devicePixelRatio();
    const Rendering &kept = rendering(*option, pixelRatio, widget);
    const auto columns = [&](int first, int count) {
        return QRectF(first * pixelRatio, 0, count * pixelRatio, rect.height() * pixelRatio);
    };
    painter->drawPixmap(QRectF(rect.left(), rect.top(), endWidth, rect.height()), kept.narrowFrame,
                        columns(0, endWidth));
    for (const MiddleRun &run : kept.middle) {
        painter->fillRect(QRectF(rect.left() + endWidth, rect.top() + run.firstRow / pixelRatio,
                                 rect.width() - 2 * endWidth, run.rowCount / pixelRatio),
                          run.colour);
    }
    painter->drawPixmap(QRectF(rect.right() + 1 - endWidth, rect.top(), endWidth, rect.height()),
                        kept.narrowFrame, columns(narrowWidth - endWidth, endWidth));
}

bool LineEditFrameStyle::Rendering::draws(const QStyleOption &option, qreal ratio) const
{
    return state == option.state && height == option.rect.height() && direction == option.direction
           && pixelRatio == ratio && palette == option.palette;
}

const LineEditFrameStyle::Rendering &LineEditFrameStyle::rendering(const QStyleOption &option,
                                                                   qreal pixelRatio,
                                                                   const QWidget *widget) const
{
    for (const Rendering &kept : std::as_const(m_renderings)) {
        if (kept.draws(option, pixelRatio))
            return kept;
    }
    if (m_renderings.size() >= keptRenderings)
        m_renderings.clear();

    QPixmap narrow(QSize(narrowWidth, option.rect.height()) * pixelRatio);
    narrow.setDevicePixelRatio(pixelRatio);
    narrow.fill(Qt::transparent);
    QStyleOptionFrame frame;
    if (const auto *given = qstyleoption_cast<const QStyleOptionFrame *>(&option))
        frame = *given;
    else
        static_cast<QStyleOption &>(frame) = option;
    frame.rect = QRect(0, 0, narrowWidth, option.rect.height());
    QPainter painter(&narrow);
    baseStyle()->drawPrimitive(PE_FrameLineEdit, &frame, &painter, widget);
    painter.end();
    return m_renderings.emplace_back(Rendering{option.state, option.palette, option.rect.height(),
                                               option.direction, pixelRatio, narrow,
                                               middleRuns(narrow.toImage(), pixelRatio)});
}

// The middle column's rows, in device pixels, grouped by colour; the
// transparent ones are left out.
QList<LineEditFrameStyle::MiddleRun> LineEditFrameStyle::middleRuns(const QImage &narrow,
                                                                    qreal pixelRatio)
{
    const int column = qRound(middleColumn * pixelRatio);
    QList<MiddleRun> runs;
    for (int row = 0; row < narrow.height(); ++row) {
        const QColor colour = narrow.pixelColor(column, row);
        if (!runs.isEmpty() && runs.constLast().colour == colour
            && runs.constLast().firstRow + runs.constLast().rowCount == row)
            ++runs.last().rowCount;
        else if (colour.alpha() != 0)
            runs.append({row, 1, colour});
    }
    return runs;
}
