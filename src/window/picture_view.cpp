#include "window/picture_view.h"

#include <QPaintEvent>
#include <QPainter>

namespace quilbrix {

QImage toImage(const Surface& surface, const QRect& area)
{
    const QRect part = area.intersected(QRect(0, 0, surface.width(), surface.height()));
    QImage image(part.size(), QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
        const Colour* from = surface.row(part.top() + y) + part.left();
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < part.width(); ++x) {
            const Colour c = from[x];
            // 0x00BBGGRR to 0xFFRRGGBB: red and blue change places.
            to[x] = 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
        }
    }
    return image;
}

PictureView::PictureView(const PictureControl& control, QWidget* parent)
    : QWidget(parent)
    , control_(control)
{
    resize(control.width(), control.height());
}

void PictureView::refresh()
{
    resize(control_.width(), control_.height());
    update();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    const Surface* surface = control_.picture();
    if (surface == nullptr)
        return;
    // Only the exposed part is converted: a matrix is 2040 × 2040 and a
    // strip 16368 pixels wide, of which a scroll box shows a small window.
    const QRect shown = event->rect()
                            .intersected(QRect(0, 0, control_.width(), control_.height()))
                            .intersected(QRect(0, 0, surface->width(), surface->height()));
    if (shown.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(shown.topLeft(), toImage(*surface, shown));
}

} // namespace quilbrix
