// tq530: the window program.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "app/qt/qt_settings_store.h"
#include "app/window_command_line.h"
#include "core/program_dir.h"
#include "core/version_text.h"
#include "window/main_window.h"
#include "window/shell.h"

namespace {

// The X11 and Wayland systems: without one of their displays Qt aborts, where a message and a
// failure status tell the user more. Elsewhere the window system is always there.
bool DisplayMissing(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0) {
            return false;  // Qt's own choice of window system, maybe one without a display
        }
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    (void)argc;
    (void)argv;
    return false;
#endif
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    // Answered before Qt looks for a display, so that they work in a terminal without one.
    const tq530::WindowCommandLine command =
        tq530::ParseWindowCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (command.What == tq530::WindowCommandLine::Action::Help) {
        std::fputs(tq530::WindowProgramHelp().c_str(), stdout);
        return 0;
    }
    if (command.What == tq530::WindowCommandLine::Action::Version) {
        std::printf("%s\n", tq530::VersionText("tq530").c_str());
        return 0;
    }
    if (DisplayMissing(argc, argv)) {
        std::fputs(tq530::NoDisplayMessage().c_str(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // The switches are read from what Qt leaves of the command line, as they always were.
    const tq530::WindowCommandLine arguments =
        tq530::ParseWindowCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    const std::string& switchLine = arguments.SwitchLine;
    QApplication::setWindowIcon(ProgramIcon());
    // Wayland finds the desktop entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tq530.TQ530"));
    tq530::QtSettingsStore store;
    tq530::Shell shell(store);
    if (!shell.Start(tq530::DefaultProgramDir(), switchLine)) {
        return 0;
    }
    tq530::MainWindow& window = *shell.Window();
    const QByteArray notice = qgetenv("TQ530_START_NOTE");
    if (!notice.isEmpty()) {
        window.SetNotice(QString::fromLocal8Bit(notice));
    }
    window.show();
    if (!arguments.FileToOpen.empty()) {
        // Once the window is up, so that the open's questions have it as their owner.
        QTimer::singleShot(0, &window,
                           [&window, &arguments] { window.OpenDataSet(arguments.FileToOpen); });
    }
    if (qEnvironmentVariableIsSet("TQ530_TIMING")) {
        // After the first pass of the event loop the window has been laid out and painted.
        QTimer::singleShot(0, &window, [&sinceStart] {
            std::fprintf(stderr, "tq530: main window shown after %lld ms\n",
                         static_cast<long long>(sinceStart.elapsed()));
        });
    }
    return QApplication::exec();
}
