#include "window/gauge.h"

#include <QPainter>

#include <algorithm>

namespace quilbrix {

BarGauge::BarGauge(QWidget* parent)
    : QWidget(parent)
{
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(13);
    face.setBold(true);
    setFont(face);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarGauge::setProgress(int percent)
{
    progress_ = std::clamp(percent, 0, 100);
}

void BarGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    painter.setPen(Qt::black);
    painter.drawRect(outer.adjusted(0, 0, -1, -1));

    const QRect inside = outer.adjusted(1, 1, -1, -1);
    const int filled = inside.width() * progress_ / 100;
    const QRect bar(inside.left(), inside.top(), filled, inside.height());
    const QRect ground(inside.left() + filled, inside.top(), inside.width() - filled, inside.height());
    painter.fillRect(bar, Qt::black);
    painter.fillRect(ground, Qt::white);

    // The text twice, each time clipped to one part, so every glyph pixel
    // takes the colour opposite to what lies under it.
    const QString text = QString::number(progress_) + u'%';
    painter.setClipRect(bar);
    painter.setPen(Qt::white);
    painter.drawText(inside, Qt::AlignCenter, text);
    painter.setClipRect(ground);
    painter.setPen(Qt::black);
    painter.drawText(inside, Qt::AlignCenter, text);
}

} // namespace quilbrix
