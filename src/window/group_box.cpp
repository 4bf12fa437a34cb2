#include "window/group_box.h"

#include <QPainter>

namespace quilbrix {

GroupBox::GroupBox(QWidget* parent)
    : QGroupBox(parent)
{ }

void GroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineTop = metrics.height() / 2;

    // The etched frame: a shadow line with a light line just inside and
    // below it.
    const QRect frame(0, lineTop, width() - 1, height() - 1 - lineTop);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));

    if (title().isEmpty())
        return;
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 2, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

} // namespace quilbrix
