#include "core/login.h"
#include "core/program.h"
#include "platform/ui/window_set.h"

#include <exception>

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    // Start-up and the login window's first show run before the message loop:
    // an error there is said, and the program ends without a crash.
    try {
        Program::start(app);
        win<Tlogin>("login")->show();
    } catch (const std::exception& error) {
        Program::commandFailed(error);
        WindowSet::instance().destroyAll();
        return 1;
    }
    const int code = QApplication::exec();
    WindowSet::instance().destroyAll();
    return code;
}
