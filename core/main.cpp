#include "core/login.h"
#include "core/program.h"
#include "platform/ui/window_set.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Program::start(app);
    win<Tlogin>("login")->show();
    const int code = QApplication::exec();
    WindowSet::instance().destroyAll();
    return code;
}
