// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void PictureButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

// The button's font, or a smaller size of it where the caption would not fit
// the button's width in the face the system gives for it.
QFont PictureButton::captionFont(int width) const
{
    QFont font = this->font();
    const int wanted = fontMetrics().horizontalAdvance(text());
    if (wanted > width)
        font.setPointSizeF(font.pointSizeF() * width / wanted);
    return font;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }

    QRect pictureArea = rect().adjusted(2, 2, -2, -2);
    if (!text().isEmpty()) {
        const int captionHeight = fontMetrics().height();
        const QRect captionArea(pictureArea.left(), pictureArea.bottom() - captionHeight + 1,
                                pictureArea.width(), captionHeight);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.setFont(captionFont(captionArea.width()));
        painter.drawText(captionArea, Qt::AlignCenter, text());
        pictureArea.setBottom(captionArea.top() - 1);
    }
    if (m_picture.isNull() || pictureArea.height() <= 0)
        return;
    QSize size = m_picture.deviceIndependentSize().toSize();
    if (size.width() > pictureArea.width() || size.height() > pictureArea.height())
        size.scale(pictureArea.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(pictureArea.center());
    painter.drawPixmap(
        target, isEnabled() ? m_picture
                            : style()->generatedIconPixmap(QIcon::Disabled, m_picture, &option));
}
