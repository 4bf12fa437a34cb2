#pragma once

#include <QApplication>
#include <QString>

namespace quilbrix {

// The program's application object. It delivers every event through
// notify(), and an error that a command raises and does not handle itself
// ends there: the command stops where the error arose, the error display
// shows its message, and the window takes the next event. This is the one
// place where errors are caught.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The error display: one modal box with the message (a full stop added as
// withFullStop says), a stop icon, one OK button and the application's
// title.
void showError(const QString& message);

// `message` with a full stop added when its last character has a code above
// that of '.' (0x2E); an empty message stays empty.
QString withFullStop(const QString& message);

// The title a program file name gives: the name up to its first dot, with
// every letter after the first in lower case ("QUILBRIX.EXE" gives
// "Quilbrix", "quilbrix" stays "quilbrix").
QString titleFromProgramFile(const QString& fileName);

// The application's title, from the running program's file name.
QString applicationTitle();

} // namespace quilbrix
