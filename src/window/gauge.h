#pragma once

#include <QWidget>

namespace quilbrix {

// A horizontal bar gauge from 0 to 100: a single-line border, the filled
// part black from the left over a white ground, and the percentage centred
// over it in bold, drawn inverted against what lies under it (white over
// the bar, black over the ground).
class BarGauge : public QWidget {
    Q_OBJECT
public:
    explicit BarGauge(QWidget* parent = nullptr);

    int progress() const { return progress_; }

    // Shows `percent`, clamped to 0..100, at the next paint; callers that
    // must see it at once, while a command keeps the event loop waiting,
    // call repaint() after it.
    void setProgress(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int progress_ = 0;
};

} // namespace quilbrix
