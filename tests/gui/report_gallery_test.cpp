// Renders the report window, the About box, the help window, the Destination menu and a
// printed page to PNG files in TQ530_GALLERY_DIR.
#include <QPrinter>
#include <QTextBrowser>

#include "app/help_file.h"
#include "gui/gallery_fixture.h"
#include "gui/report_support.h"
#include "window/about_box.h"
#include "window/help_window.h"
#include "window/print_report.h"
#include "window/report_window.h"

namespace tq530::guitest {
namespace {

using ReportGalleryTest = GalleryTest;

TEST_F(ReportGalleryTest, ReportWindowAboutBoxAndPrintedPages) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);

    ReportWindow report(Ws(), shell->Host(), dialogs, &Window());
    report.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&report));
    ASSERT_TRUE(QTest::qWaitFor([&report] { return report.Ready(); }, 5000));
    Save(report, "report-window");
    report.hide();

    AboutBox about(&Window());
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    Save(about, "about-box");
    about.hide();

    // The printout as a PDF file, its first pages rendered as a person sees them on paper.
    const QString pdf = folder + "/report-printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    ASSERT_TRUE(PrintReportOn(printer, Ws()));
    QProcess render;
    render.start("pdftoppm",
                 {"-png", "-r", "60", "-f", "1", "-l", "2", pdf, folder + "/report-printed-page"});
    ASSERT_TRUE(render.waitForFinished(60000));
    EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
}

TEST_F(ReportGalleryTest, DestinationMenuAndHelpWindow) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(TQ530_BIN_DIR "/TQ530.html"),
                            QString::fromStdString(dir.File("TQ530.html"))));
    for (const char* name : {"USA_17E8.ini", "EUR_17E8.ini", "ASIA_17E8.ini"}) {
        testing::WriteFile(dir.File(name), DestinationBytes());
    }
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    SaveMenu("&Destination", "shell-menu-destination");

    Window().ShowHelp(kHelpContents);
    HelpWindow* help = Window().Help();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    Save(*help, "help-contents");
    Window().ShowHelp(kHelpTransfer);
    Save(*help, "help-transfer");
}

}  // namespace
}  // namespace tq530::guitest
