#include "core/login.h"
#include "core/program.h"
#include "platform/ui/window_set.h"

#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    try {
        Application app(argc, argv);
        // Start-up and the login window's first show run before the message
        // loop: an error there, of whatever kind, is said and the program ends
        // without a crash. The loop's own commands end at Application::notify.
        int code = 1;
        try {
            Program::start(app);
            win<Tlogin>("login")->show();
            code = QApplication::exec();
        } catch (...) {
            Program::commandFailed(std::current_exception());
        }
        WindowSet::instance().destroyAll();
        return code;
    } catch (...) {
        // No window can say it: the application itself failed, or its end.
        std::fputs("tuvek: the program stopped with an error it did not foresee\n", stderr);
        return 1;
    }
}
