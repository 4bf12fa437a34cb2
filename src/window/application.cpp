#include "window/application.h"

#include "state/error.h"
#include "window/message_box.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>
#include <new>

namespace quilbrix {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // The window's texts are French, and so are Qt's own: the file dialog,
    // the buttons of the message boxes. Without the translations installed
    // they stay in English.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    // quilbrix::Error derives from std::exception; its message is French and
    // UTF-8. The standard library's own messages are not, so the one it
    // raises in practice, a failed allocation, gets a French text.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        showError(QStringLiteral("Mémoire insuffisante"));
    } catch (const std::exception& error) {
        showError(QString::fromUtf8(error.what()));
    }
    // The event reached its receiver, whose handler stopped: nothing else
    // is to take it.
    return true;
}

void showError(const QString& message)
{
    showMessageBox(nullptr, QMessageBox::Critical, withFullStop(message));
}

QString withFullStop(const QString& message)
{
    // The rule lives in the core, where the batch tool uses it too.
    return QString::fromStdString(withFullStop(message.toStdString()));
}

QString titleFromProgramFile(const QString& fileName)
{
    QString title = fileName.section(u'.', 0, 0);
    if (title.size() > 1)
        title = title.left(1) + title.mid(1).toLower();
    return title;
}

QString applicationTitle()
{
    return titleFromProgramFile(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

} // namespace quilbrix
