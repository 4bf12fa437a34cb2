#include "window/spin_edit.h"

#include "state/settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>

namespace quilbrix {

namespace {

// The application's style with the arrows' auto-repeat timing of the
// spin boxes: a first repeat after 400 ms, then one every 100 ms.
class SpinRepeatStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* data) const override
    {
        switch (hint) {
        case SH_SpinBox_ClickAutoRepeatThreshold: return 400;
        case SH_SpinBox_ClickAutoRepeatRate: return 100;
        case SH_SpinBox_KeyPressAutoRepeatRate: return 100;
        default: return QProxyStyle::styleHint(hint, option, widget, data);
        }
    }
};

// One style for every spin box, owned by the application so it outlives
// the widgets that use it.
QStyle* spinRepeatStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new SpinRepeatStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(ThresholdMin, ThresholdMax);
    setSingleStep(1);
    setAccelerated(false);
    setKeyboardTracking(false);
    setStyle(spinRepeatStyle());
    // Read-only text, but the box itself stays writable: a read-only
    // QAbstractSpinBox would refuse its arrows too.
    lineEdit()->setReadOnly(true);
    lineEdit()->setAcceptDrops(false);
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void SpinEdit::setColours(const QColor& box, const QColor& digits)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, box);
    colours.setColor(QPalette::Text, digits);
    setPalette(colours);
    lineEdit()->setPalette(colours);
}

void SpinEdit::keyPressEvent(QKeyEvent* event)
{
    // Up and Down step by one; everything else (digits, Page Up/Down, Home,
    // End, paste, cut, undo) is refused here, since the base class would act
    // on some of them despite the read-only text.
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    event->ignore();
}

void SpinEdit::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

void SpinEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The standard menu offers paste and "step" entries that jump; the box
    // has none.
    event->accept();
}

} // namespace quilbrix
