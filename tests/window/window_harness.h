#pragma once

// A main window under test: shown, in a fresh temporary folder, its three
// picture dialogs answered from a queue of file names instead of a user,
// and every message box it shows recorded instead of waiting for OK.

#include "window/form1.h"
#include "window/message_box.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace quilbrix {

class WindowHarness {
public:
    WindowHarness()
        : startFolder_(QDir::currentPath())
    {
        previousPresenter_ = setMessageBoxPresenter(
            [this](QWidget*, const MessageBoxRequest& request) { boxes.push_back(request); });
        form_ = std::make_unique<TForm1>();
        form_->setFileChooser([this](QWidget*, const QString& selected, const QString&) {
            offered.push_back(selected);
            if (answers_.empty())
                return QString();
            const QString next = answers_.front();
            answers_.erase(answers_.begin());
            return next;
        });
        form_->show();
        exposed_ = QTest::qWaitForWindowExposed(form_.get());
    }

    ~WindowHarness()
    {
        form_.reset();
        setMessageBoxPresenter(previousPresenter_);
        QDir::setCurrent(startFolder_);
    }

    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    // Whether the window came up; check it before using the harness.
    bool ready() const { return exposed_ && folder_.isValid(); }

    TForm1& form() { return *form_; }
    QString folder() const { return folder_.path(); }
    QString path(const QString& name) const { return QDir(folder_.path()).filePath(name); }

    // The next dialog accepts `fileName`; with no answer queued it is
    // cancelled.
    void answer(const QString& fileName) { answers_.push_back(fileName); }

    // Copies a picture into the harness's folder and queues it as the next
    // answer; returns the copy's path.
    QString offerCopyOf(const QString& source)
    {
        const QString copy = path(QFileInfo(source).fileName());
        QFile::remove(copy);
        if (!QFile::copy(source, copy))
            qFatal("cannot copy %s", qPrintable(source));
        answer(copy);
        return copy;
    }

    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    std::vector<MessageBoxRequest> boxes; // every box shown, in order
    std::vector<QString> offered; // the name each dialog opened with

private:
    QString startFolder_;
    QTemporaryDir folder_;
    MessageBoxPresenter previousPresenter_;
    std::unique_ptr<TForm1> form_;
    std::vector<QString> answers_;
    bool exposed_ = false;
};

} // namespace quilbrix
