#pragma once

#include <QSpinBox>

namespace quilbrix {

// A spin box for a whole number from 0 to 1023 that changes only by steps
// of 1: through its arrow buttons (an arrow held down repeats after 400 ms,
// then every 100 ms) or the Up and Down keys. The number cannot be typed,
// pasted, dragged in, paged or wheeled.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    // Colours of the box and of its digits.
    void setColours(const QColor& box, const QColor& digits);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace quilbrix
