// tq530-gallery FOLDER: renders the window program's screens, menus and dialogs into FOLDER as
// PNG files for a person to look at. Exits 1 when a picture could not be made.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "gallery.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tq530-gallery FOLDER\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Whatever the shots do, backups and per-user data stay out of the user's folders.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "tq530-gallery: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    tq530::gallery::Gallery gallery(folder);
    tq530::gallery::ShellShots(gallery);
    tq530::gallery::EditorShots(gallery);
    tq530::gallery::TransferShots(gallery);
    tq530::gallery::ReportShots(gallery);
    tq530::gallery::ExtrasShots(gallery);
    std::printf("tq530-gallery: %d pictures in %s\n", gallery.Written(), qPrintable(folder));
    return gallery.Failures() == 0 ? 0 : 1;
}
