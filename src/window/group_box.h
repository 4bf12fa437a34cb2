#pragma once

#include <QGroupBox>

namespace quilbrix {

// A group box drawn with its caption in its top border: an etched frame
// whose top line runs through the middle of the caption, the caption at 8
// pixels from the left on the window's ground. Children are placed from
// the box's top-left corner, caption included.
class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quilbrix
