#include "window/message_box.h"

#include "window/application.h"

#include <QApplication>

namespace quilbrix {

namespace {

void presentModalBox(QWidget* parent, const MessageBoxRequest& request)
{
    QMessageBox box(request.icon, request.title, request.text, QMessageBox::Ok, parent);
    box.exec();
}

MessageBoxPresenter& presenter()
{
    static MessageBoxPresenter current;
    return current;
}

} // namespace

MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter replacement)
{
    MessageBoxPresenter previous = std::move(presenter());
    presenter() = std::move(replacement);
    return previous;
}

void showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    if (parent == nullptr)
        parent = QApplication::activeWindow();
    const MessageBoxRequest request { icon, applicationTitle(), text };
    if (presenter())
        presenter()(parent, request);
    else
        presentModalBox(parent, request);
}

} // namespace quilbrix
