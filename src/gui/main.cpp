// tq530: the window program.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "app/gui/main_window.h"
#include "app/gui/shell.h"
#include "app/qt/qt_settings_store.h"

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    tq530::QtSettingsStore store;
    tq530::Shell shell(store);
    if (!shell.Start(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString(),
                     tq530::JoinArguments(argc, argv))) {
        return 0;
    }
    tq530::MainWindow& window = *shell.Window();
    const QByteArray notice = qgetenv("TQ530_START_NOTE");
    if (!notice.isEmpty()) {
        window.SetNotice(QString::fromLocal8Bit(notice));
    }
    window.show();
    if (qEnvironmentVariableIsSet("TQ530_TIMING")) {
        // After the first pass of the event loop the window has been laid out and painted.
        QTimer::singleShot(0, &window, [&sinceStart] {
            std::fprintf(stderr, "tq530: main window shown after %lld ms\n",
                         static_cast<long long>(sinceStart.elapsed()));
        });
    }
    return QApplication::exec();
}
