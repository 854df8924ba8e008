// The report window, printing, the Destination menu, the About box and the help window,
// used through the main window's menus as a person would.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTreeWidget>
#include <functional>

#include "app/help_file.h"
#include "editor/screen_tree.h"
#include "gui/report_support.h"
#include "report/report_text.h"
#include "window/about_box.h"
#include "window/help_window.h"
#include "window/report_window.h"
#include "window/screens/editor_panel.h"
#include "window/screens/simple_screens.h"

namespace tq530::guitest {

namespace {

class ReportHelpTest : public ShellTest {
  protected:
    void InstallHelp() {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TQ530_BIN_DIR "/TQ530.html"),
                                QString::fromStdString(dir.File("TQ530.html"))));
    }
    std::vector<QAction*> VisibleDestinations() {
        std::vector<QAction*> visible;
        for (QAction* action : Window().DestinationMenuWidget()->actions()) {
            if (action->isVisible()) {
                visible.push_back(action);
            }
        }
        return visible;
    }
};

TEST_F(ReportHelpTest, DestinationMenuAsksChecksAndRemembers) {
    testing::WriteFile(dir.File("USA_17E8.ini"), DestinationBytes());
    testing::WriteFile(dir.File("EUR_17E8.ini"), DestinationBytes());
    std::string bad = DestinationBytes();
    bad[8191] = '\0';
    testing::WriteFile(dir.File("BAD_17E8.ini"), bad);
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const auto entries = VisibleDestinations();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1]->text(), "EUR");
    EXPECT_TRUE(entries[2]->isChecked());  // the remembered "usa" of a first start

    // Cancel keeps USA; OK changes to EUR and drops the edits without another question.
    boxes.Next(QMessageBox::Cancel);
    entries[1]->trigger();
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_FALSE(entries[1]->isChecked());
    EXPECT_TRUE(entries[2]->isChecked());

    Ws().DataChanged = true;
    boxes.Next(QMessageBox::Ok);
    entries[1]->trigger();
    EXPECT_FALSE(entries[2]->isChecked());
    EXPECT_FALSE(Ws().DataChanged);
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");

    // A file that fails the check says so and gives the mark back.
    boxes.Next(QMessageBox::Ok);
    boxes.Next(QMessageBox::Ok);
    entries[0]->trigger();
    ASSERT_EQ(boxes.Seen.size(), 4u);
    EXPECT_EQ(boxes.Seen[3].Text, "IniFileRead Error!!");
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isChecked());
}

TEST_F(ReportHelpTest, ReportWindowShowsTheReportAndSavesIt) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const std::string path = dir.File("report.txt");
    QString shown;
    bool checked = false;
    WhenModal<ReportWindow>(&Window(), [&](ReportWindow* window) {
        ASSERT_TRUE(QTest::qWaitFor([window] { return window->Ready(); }, 5000));
        shown = window->TextArea()->toPlainText();
        dialogs.Paths = {"", path};
        window->SaveAsAction()->trigger();  // cancelled: nothing written
        EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
        window->SaveAsAction()->trigger();
        checked = true;
        QTest::mouseClick(window->findChild<QPushButton*>("ReportOk"), Qt::LeftButton);
    });
    UseMenu(Window(), "&File", Qt::Key_R);
    ASSERT_TRUE(QTest::qWaitFor([&] { return checked && !QApplication::activeModalWidget(); }));

    const std::string report = BuildReportText(Ws());
    EXPECT_EQ(shown.toStdString() + "\n",
              QString::fromLatin1(report.c_str()).replace("\r\n", "\n").toStdString() + "\n");
    EXPECT_EQ(testing::ReadFile(path), report + "\r\n");
}

TEST_F(ReportHelpTest, PrintWritesEveryPageGroupUnderItsPageHeader) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const QString pdf = QString::fromStdString(dir.File("report.pdf"));
    int asked = 0;
    Window().SetPrinterChooser([&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    });
    UseMenu(Window(), "&File", Qt::Key_P);
    ASSERT_EQ(asked, 1);

    // Where each line goes is the print layout's matter; here, that the pages reach the printer.
    const QStringList pages = PdfPages(pdf);
    ASSERT_GE(pages.size(), 8);
    EXPECT_EQ(TextLines(pages.back()).value(1), "##### Programable EXP Channel #####");
}

TEST_F(ReportHelpTest, AboutBoxShowsNameAndVersion) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    QStringList texts;
    QString title;
    WhenModal<AboutBox>(&Window(), [&](AboutBox* box) {
        title = box->windowTitle();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            texts << label->text();
        }
        QTest::keyClick(box, Qt::Key_Return);
    });
    UseMenu(Window(), "&Help", Qt::Key_A);
    EXPECT_EQ(title, "Version Infomation");
    EXPECT_TRUE(texts.contains("TQ530  Clonewise Setup System"));
    EXPECT_TRUE(texts.contains("Version 1.0.0"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ReportHelpTest, HelpContentsAndF1OpenTheHelpAtTheirTopics) {
    InstallHelp();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    EXPECT_EQ(Window().HelpFile(), dir.File("TQ530.html"));
    ASSERT_TRUE(Window().ActionOf(Command::HelpContents)->isEnabled());

    UseMenu(Window(), "&Help", Qt::Key_C);
    HelpWindow* help = Window().Help();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    EXPECT_EQ(help->Topic(), kHelpContents);
    EXPECT_EQ(help->Browser()->source().fragment(), "1001");
    EXPECT_TRUE(help->Browser()->toPlainText().contains("Connecting the radio"));

    // F1 on the screen tree: its own topic, scrolled into view.
    QWidget* tree = Window().Editor()->Tree();
    QApplication::setActiveWindow(&Window());
    tree->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([tree] { return tree->hasFocus(); }));
    QTest::keyClick(tree, Qt::Key_F1);
    EXPECT_EQ(help->Topic(), 1054);
    EXPECT_EQ(help->Browser()->source().fragment(), "1054");
    QApplication::processEvents();
    EXPECT_GT(help->Browser()->verticalScrollBar()->value(), 0);

    // F1 on a field of a channel screen: the field's topic.
    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, 5));
    QCheckBox* chEnable = nullptr;
    for (QCheckBox* box : Window().Editor()->ScreenArea()->findChildren<QCheckBox*>()) {
        if (box->text() == "CH &Enable" && box->isVisible()) {
            chEnable = box;
        }
    }
    ASSERT_NE(chEnable, nullptr);
    ASSERT_TRUE(chEnable->isEnabled());
    QApplication::setActiveWindow(&Window());
    chEnable->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([chEnable] { return chEnable->hasFocus(); }));
    QTest::keyClick(chEnable, Qt::Key_F1);
    EXPECT_EQ(help->Topic(), 1028);

    // The transfer dialog's Help while a modal dialog is up: the help belongs to the dialog.
    bool shownOverDialog = false;
    WhenModal<AboutBox>(&Window(), [&](AboutBox* box) {
        Window().ShowHelp(kHelpTransfer);
        shownOverDialog = Window().Help()->isVisible() && Window().Help()->parentWidget() == box &&
                          Window().Help()->Topic() == kHelpTransfer;
        box->accept();
    });
    UseMenu(Window(), "&Help", Qt::Key_A);
    EXPECT_TRUE(shownOverDialog);
}

TEST_F(ReportHelpTest, AMissingHelpFileDisablesContentsAndF1SaysSo) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    EXPECT_EQ(Window().HelpFile(), "");
    EXPECT_FALSE(Window().ActionOf(Command::HelpContents)->isEnabled());
    boxes.Next(QMessageBox::Ok);
    QTest::keyClick(&Window(), Qt::Key_F1);
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text, QString::fromLatin1(kNoHelpText));
    EXPECT_EQ(Window().Help(), nullptr);
}

// An installation's "NB Logo.gif" takes the place of the drawn logo once the window is up.
TEST_F(ReportHelpTest, AnInstalledLogoPictureIsShown) {
    const char gif[] =
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
        "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b";
    testing::WriteFile(dir.File("NB Logo.gif"), std::string(gif, sizeof gif - 1));
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    Window().resize(800, 600);
    QApplication::processEvents();
    auto* logo = Window().Editor()->ScreenArea()->findChild<LogoScreen*>();
    ASSERT_NE(logo, nullptr);
    ASSERT_TRUE(logo->isVisible());
    const QImage shown = logo->grab().toImage();
    EXPECT_EQ(shown.pixelColor(logo->width() / 2, logo->height() / 2), QColor(Qt::red));
}

}  // namespace
}  // namespace tq530::guitest
