#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace quilbrix {

// The one filter of the picture dialogs: the description shown, and the
// pattern in parentheses that the list matches.
inline constexpr char16_t PictureFilter[] = u"Bitmaps (*.bmp)";

// Asks the user for a picture file: runs a file-open dialog over `parent`
// with `selected` preselected (none when empty) and `filter` as its only
// filter. Returns the full path of the accepted file, or an empty string
// when the user cancels.
using FileChooser = std::function<QString(QWidget* parent, const QString& selected, const QString& filter)>;

// The real chooser: Qt's file dialog with a preview pane that shows the
// selected picture and its size as " (WxH)", or "Image :" when the selection
// is no picture that can be read, and a button "Prévisualiser" that shows
// it at full size. The file need not exist.
QString choosePictureFile(QWidget* parent, const QString& selected, const QString& filter);

// A plane's picture-open dialog. It remembers the full path of the file
// last accepted in it, opens with that file selected, and makes the
// accepted file's folder the process's current folder, where the save
// command writes.
class PictureDialog : public QObject {
    Q_OBJECT
public:
    explicit PictureDialog(QObject* parent = nullptr);

    // The last accepted file's full path; empty until a file is accepted.
    const QString& fileName() const { return fileName_; }

    // Replaces the chooser (tests answer the dialog through it); an empty
    // function brings back choosePictureFile.
    void setChooser(FileChooser chooser);

    // Runs the dialog. On acceptance stores the file name, moves the
    // current folder to the file's folder and returns true; on cancel
    // changes nothing and returns false.
    bool execute(QWidget* parent);

private:
    QString fileName_;
    FileChooser chooser_;
};

} // namespace quilbrix
