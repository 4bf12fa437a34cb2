#pragma once

#include "state/picture_control.h"

#include <QImage>
#include <QWidget>

namespace quilbrix {

// Converts the part `area` of `surface` (clipped to the surface) to a QImage
// of that part's size, colour for colour: 0x00BBGGRR becomes Qt's RGB32.
QImage toImage(const Surface& surface, const QRect& area);

// Shows a picture control of the working state: its surface unscaled, the
// surface's pixel (0, 0) at the view's top-left corner, cut to the
// control's displayed size. Where the control is larger than its surface
// the view paints nothing, so the box behind it shows. It never creates a
// surface: a control without one shows nothing.
class PictureView : public QWidget {
    Q_OBJECT
public:
    PictureView(const PictureControl& control, QWidget* parent = nullptr);

    const PictureControl& control() const { return control_; }

    // Takes the control's current displayed size and repaints; called once
    // a command has ended.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PictureControl& control_;
};

} // namespace quilbrix
