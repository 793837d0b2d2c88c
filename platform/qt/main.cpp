// Zorvin on a Linux desktop: checks for an X display before Qt would abort without one, then runs
// the program's forms on the Qt backend, on X11, until the program ends.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include <QApplication>

#include "platform/common/form_session.h"
#include "platform/qt/display_check.h"
#include "platform/qt/own_scaling.h"
#include "platform/qt/qt_platform.h"
#include "program/program.h"
#include "program/version.h"

namespace {

// An error that no handler traps is reported in one line and ends the program, rather than
// unwinding through Qt's event dispatch into an abort.
class ZorvinApplication final : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "zorvin: run-time error: %s\n", error.what());
            std::fflush(stderr);
            std::_Exit(1);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (const auto problem = zorvin::qt::DisplayProblem()) {
        std::fprintf(stderr, "zorvin: %s\n", problem->c_str());
        return 1;
    }
    // Qt takes the platform on its command line before QT_QPA_PLATFORM, and no program it starts
    // inherits its command line: the mail program and the browser get the environment as the
    // program found it.
    std::string platformOption = "-platform";
    std::string qtPlatform = zorvin::qt::kQtPlatform;
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(platformOption.data());
    arguments.push_back(qtPlatform.data());
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    zorvin::qt::OwnScaling scaling;
    ZorvinApplication application(count, arguments.data());
    scaling.QtStarted();
    // Ties the window to its desktop entry, for the taskbar's name and icon (the X11 class,
    // "zorvin", is the entry's StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORVIN_APP_ID));
    // The program ends through End only, when its last window is unloaded or by Exit.
    QApplication::setQuitOnLastWindowClosed(false);

    int status = 0;
    {
        zorvin::FormSession<zorvin::qt::QtPlatform> session(scaling,
                                                            zorvin::Program::TickPeriodMs());
        zorvin::Program program(session.forms());
        program.Start();
        if (!session.ended()) {
            status = QApplication::exec();
        }
    }
    // Unloaded windows' widgets are left to the event loop to delete; it has stopped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
