#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace quilbrix {

// What one modal message box shows: an icon, the application's title and a
// text, with one OK button.
struct MessageBoxRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};

// Shows a request and returns once the user has closed it.
using MessageBoxPresenter = std::function<void(QWidget* parent, const MessageBoxRequest& request)>;

// Replaces the presenter of every message box of the program, so tests can
// record the boxes instead of waiting for a user; an empty function brings
// back the real modal QMessageBox. Returns the presenter it replaced.
MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter presenter);

// Shows `text` in a modal box with `icon`, one OK button and the
// application's title, over `parent` (or over the active window when
// `parent` is null). Returns when the box is closed.
void showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);

} // namespace quilbrix
