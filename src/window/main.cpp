#include "window/application.h"
#include "window/form1.h"

#include <exception>

int main(int argc, char* argv[])
{
    quilbrix::Application application(argc, argv);
    // Errors of the commands are shown where events are delivered; this
    // catches only what escapes creating the window or the loop itself.
    try {
        quilbrix::TForm1 Form1;
        Form1.show();
        application.exec();
    } catch (const std::exception& error) {
        quilbrix::showError(QString::fromUtf8(error.what()));
    }
    return 0;
}
