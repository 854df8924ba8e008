// The report window, the About box, the printed report, the Destination menu and the help
// window.
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/help_file.h"
#include "gallery.h"
#include "window/about_box.h"
#include "window/help_window.h"
#include "window/print_report.h"
#include "window/report_window.h"
#include "window/transfer_dialog.h"

namespace tq530::gallery {
namespace {

// A factory image the destination check takes.
std::string DestinationBytes() {
    std::string bytes(8192, '\0');
    bytes[0] = bytes[8190] = '\x17';
    bytes[1] = bytes[8191] = '\xE8';
    return bytes;
}

// The printout as a PDF file, its first pages rendered as a person sees them on paper.
void PrintedPages(Gallery& gallery, Workspace& ws) {
    const QString pdf = gallery.Folder() + "/report-printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!gallery.Check(PrintReportOn(printer, ws), "report: not printed")) {
        return;
    }
    QProcess render;
    render.start("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "2", pdf,
                              gallery.Folder() + "/report-printed-page"});
    gallery.Check(render.waitForFinished(60000) && render.exitCode() == 0,
                  "pdftoppm: " + QString::fromLocal8Bit(render.readAllStandardError()));
}

void ReportWindowAboutBoxAndPrintedPages(Gallery& gallery) {
    Stage stage(kOneModel);
    if (!gallery.Check(stage.Start(), "report: not started")) {
        return;
    }
    NoDialogs dialogs;
    ReportWindow report(stage.Ws(), stage.Host(), dialogs, &stage.Window());
    report.show();
    const bool ready = QTest::qWaitForWindowExposed(&report) &&
                       QTest::qWaitFor([&report] { return report.Ready(); }, 5000);
    if (gallery.Check(ready, "report: window not ready")) {
        gallery.Save(report, "report-window");
    }
    report.hide();
    AboutBox about(&stage.Window());
    gallery.Shot(about, "about-box");
    PrintedPages(gallery, stage.Ws());
}

// The transfer dialog's Help button, clicked as a person would while the dialog is up.
void TransferHelpAsClicked(Gallery& gallery, MainWindow& window) {
    bool clicked = false;
    QTimer::singleShot(0, &window, [&gallery, &window, &clicked] {
        auto* dialog = qobject_cast<TransferDialog*>(QApplication::activeModalWidget());
        if (!gallery.Check(dialog != nullptr, "help: no transfer dialog")) {
            return;
        }
        QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
        HelpWindow* help = window.Help();
        clicked = help != nullptr && help->isVisible() && help->Topic() == kHelpTransfer;
        if (gallery.Check(clicked, "help: the transfer dialog's Help showed no topic")) {
            gallery.Save(*help, "help-transfer");
            help->close();
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    window.ActionOf(Command::ReadFromRadio)->trigger();
    gallery.Check(clicked, "help: the transfer dialog did not open");
}

void DestinationMenuAndHelpWindow(Gallery& gallery) {
    Stage stage(kOneModel);
    QFile::copy(QStringLiteral(TQ530_BIN_DIR "/TQ530.html"),
                QString::fromStdString(stage.File("TQ530.html")));
    for (const char* name : {"USA_17E8.ini", "EUR_17E8.ini", "ASIA_17E8.ini"}) {
        stage.Write(name, DestinationBytes());
    }
    if (!gallery.Check(stage.Start(), "destinations: not started")) {
        return;
    }
    MainWindow& window = stage.Window();
    gallery.SaveMenu(window, "&Destination", "shell-menu-destination");
    window.ShowHelp(kHelpContents);
    HelpWindow* help = window.Help();
    if (!gallery.Check(help != nullptr && QTest::qWaitForWindowExposed(help),
                       "help: window not shown")) {
        return;
    }
    gallery.Save(*help, "help-contents");
    help->close();
    TransferHelpAsClicked(gallery, window);
}

}  // namespace

void ReportShots(Gallery& gallery) {
    ReportWindowAboutBoxAndPrintedPages(gallery);
    DestinationMenuAndHelpWindow(gallery);
}

}  // namespace tq530::gallery
