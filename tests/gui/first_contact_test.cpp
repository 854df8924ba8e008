// What a boat owner meets first: the transfer dialog's Help and keys during a read, the help
// window's keys, and the texts of messages that quote files.
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTextBrowser>

#include "app/data_set.h"
#include "app/help_file.h"
#include "core/workspace.h"
#include "gui/report_support.h"
#include "gui/transfer_fixture.h"
#include "window/csv_menu.h"
#include "window/help_window.h"
#include "window/import_refusal_box.h"
#include "window/port_menu.h"
#include "window/screens/simple_screens.h"
#include "window/widget_host.h"

namespace tq530::guitest {
namespace {

class FirstContactTest : public TransferTest {
  protected:
    void InstallHelp() {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TQ530_BIN_DIR "/TQ530.html"),
                                QString::fromStdString(dir.File("TQ530.html"))));
    }
    // A radio on the simulator that answers at the line's speed, as a real one does.
    void StartPacedRadio() {
        Workspace radio;
        NewData(radio);
        std::copy_n(kProductCode, kProductCodeLength, &radio.Image.Bytes[kProductCodeAddress]);
        radio.Image[kProductCodeAddress + kProductCodeLength + 40] = 0x5A;  // a byte to find
        SilentHost quiet;
        ASSERT_EQ(SaveDataSet(radio, quiet, RadioFile()), Outcome::Ok);
        StartRadio("--pace");
    }
};

TEST_F(FirstContactTest, TheTransferDialogsHelpOpensTheTransferTopicInEveryMode) {
    InstallHelp();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    boxes.Next(QMessageBox::Ok);  // answers a "no help" box, should one come
    for (const Qt::Key key : {Qt::Key_R, Qt::Key_P}) {
        int topic = 0;
        bool visible = false;
        WhenDialogShows(&Window(), [&](TransferDialog& dialog) {
            QTest::mouseClick(dialog.HelpButton(), Qt::LeftButton);
            HelpWindow* help = Window().Help();
            visible = help != nullptr && help->isVisible();
            topic = help != nullptr ? help->Topic() : 0;
            if (visible) {
                // The help window leaves with Escape, and the dialog stays.
                QTest::keyClick(help->Browser(), Qt::Key_Escape);
                visible = help->isVisible();
            }
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        UseMenu(Window(), "&Transfer", key);
        EXPECT_EQ(topic, kHelpTransfer);
        EXPECT_FALSE(visible) << "Escape left the help window open";
        ASSERT_TRUE(boxes.Seen.empty()) << boxes.Seen[0].Text.toStdString();
    }
}

TEST_F(FirstContactTest, EnterDuringAReadDoesNothingAndACancelAfterTheLastAnswerIsIgnored) {
    StartPacedRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    shell->Host().SetPacing(true);  // the final pause in which a late key used to land
    bool runningAfterEnter = false;
    bool cancelFocused = true;
    bool lateCancelSeen = false;
    WhenDialogShows(&Window(), [&](TransferDialog& dialog) {
        // The dialog is the active window, as on a desktop: focus moves as a person sees it.
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitFor([&] { return dialog.OkButton()->hasFocus(); }, 5000)) {
            return;
        }
        QTest::keyClick(&dialog, Qt::Key_Return);  // OK, the default
        if (!QTest::qWaitFor([&] { return dialog.ProgressBar()->value() > 5; }, 30000)) {
            return;
        }
        // Enter has no button to press: none is the default, none takes Enter when focused.
        cancelFocused = dialog.CancelButton()->hasFocus() || dialog.CancelButton()->isDefault() ||
                        dialog.CancelButton()->autoDefault();
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &dialog, Qt::Key_Return);
        QTest::keyClick(focus != nullptr ? focus : &dialog, Qt::Key_Return);
        QTest::qWait(100);
        runningAfterEnter = dialog.Running() && !Ws().CancelRequested;
        // The last block is in: Cancel, Escape and Alt+C come too late to throw the read away.
        if (!QTest::qWaitFor([&] { return dialog.PastNoReturn(); }, 20000)) {
            QTest::keyClick(&dialog, Qt::Key_Escape);  // a read that stopped leaves the dialog
            return;
        }
        lateCancelSeen = true;
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_C, Qt::AltModifier);
        if (QTest::qWaitFor([&] { return !dialog.Running(); }, 20000) && dialog.isVisible()) {
            QTest::keyClick(&dialog, Qt::Key_Escape);  // the read was thrown away after all
        }
    });
    boxes.Next(QMessageBox::Ok);
    UseMenu(Window(), "&Transfer", Qt::Key_R);
    EXPECT_FALSE(cancelFocused);
    EXPECT_TRUE(runningAfterEnter);
    EXPECT_TRUE(lateCancelSeen);
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text, "Complete!!");
    EXPECT_FALSE(Ws().CancelRequested);
    EXPECT_EQ(Ws().Image[kProductCodeAddress + kProductCodeLength + 40], 0x5A);
    EXPECT_EQ(OpenTransferDialog(), nullptr);
}

TEST(MessageTextTest, FilesSpeakUtf8AndTheModelLatin1) {
    EXPECT_EQ(MessageText("\xC3\x96l.csv"), QString::fromUtf8("\xC3\x96l.csv"));  // a path
    EXPECT_EQ(MessageText("\xD6L"), QString::fromUtf8("\xC3\x96L"));  // a name of the radio's
    EXPECT_EQ(MessageText("Data Error!!"), "Data Error!!");
    EXPECT_EQ(MessageText(std::string("a\0b", 3)).size(), 3);  // a NUL cuts nothing off
}

TEST_F(FirstContactTest, MessagesThatQuoteAPathOrACellShowItsLetters) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    // Export CSV refuses a name without ".csv": the box quotes the path.
    const std::string path = dir.File("\xC3\x96lfjord.txt");
    dialogs.Paths = {path};
    boxes.Next(QMessageBox::Ok);
    Window().Csv()->Export(CsvTable::Usa);
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_TRUE(boxes.Seen[0].Text.startsWith(QString::fromStdString(path)))
        << boxes.Seen[0].Text.toStdString();

    // Import CSV's refusal quotes the file's name cell.
    const std::string csv = dir.File("\xC3\x96.csv");
    testing::WriteFile(csv, "No.,STATION NAME,MMSI\r\n1,\xC3\x96L\xC3\x96,211000001\r\n");
    dialogs.Paths = {csv};
    QString list;
    WhenModal<ImportRefusalBox>(&Window(), [&](ImportRefusalBox* box) {
        list = box->Heading()->text() + "\n" + box->List()->toPlainText();
        QTest::keyClick(box, Qt::Key_Return);
    });
    Window().Csv()->Import(CsvTable::MemoryId);
    EXPECT_TRUE(list.contains(QString::fromUtf8("cannot show \"\xC3\x96\""))) << list.toStdString();
}

// A menu item's caption as a page names it: without access-key marks and shortcut.
QString PlainCaption(const QAction* action) {
    return action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
}

TEST_F(FirstContactTest, TheHelpPagesNameOnlyMenusAndControlsTheWindowHas) {
    StartWith(kTwoModels, "/D");  // every menu and item there is
    ASSERT_TRUE(started);
    for (const char* page : {"TQ530.html", "TQ530_NA.html"}) {
        QFile file(QStringLiteral(TQ530_BIN_DIR "/") + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page;
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_FALSE(html.contains("Scrambler")) << page << ": no screen shows one";
        const QRegularExpression path(QStringLiteral("<b>([^<]+?) &gt; ([^<]+?)</b>"));
        int paths = 0;
        for (auto match = path.globalMatch(html); match.hasNext(); ++paths) {
            const auto m = match.next();
            QMenu* menu = MenuTitled(Window(), QLatin1Char('&') + m.captured(1));
            ASSERT_NE(menu, nullptr) << page << ": " << m.captured(0).toStdString();
            bool found = false;
            for (const QAction* action : menu->actions()) {
                found = found || PlainCaption(action) == m.captured(2);
            }
            EXPECT_TRUE(found) << page << ": " << m.captured(0).toStdString();
        }
        EXPECT_GT(paths, 10) << page;
    }
}

TEST(StartPanelTest, TheLogoIsDrawnInTheThemesColours) {
    for (const bool dark : {false, true}) {
        QPalette palette;
        palette.setColor(QPalette::Base, dark ? QColor(30, 30, 32) : QColor(255, 255, 255));
        palette.setColor(QPalette::Text, dark ? QColor(225, 225, 225) : QColor(0, 0, 0));
        LogoScreen panel;
        panel.setPalette(palette);
        panel.resize(400, 300);
        const QImage picture = panel.grab().toImage();
        EXPECT_EQ(picture.pixelColor(2, 2), palette.color(QPalette::Base)) << dark;
        // The name is written in the text colour: some of its pixels are exactly that.
        bool textSeen = false;
        for (int y = 0; y < picture.height() && !textSeen; ++y) {
            for (int x = picture.width() / 2; x < picture.width() && !textSeen; ++x) {
                textSeen = picture.pixelColor(x, y) == palette.color(QPalette::Text);
            }
        }
        EXPECT_TRUE(textSeen) << dark;
    }
}

// Two ports of a system: a USB adapter with a lasting name and a built-in port, and a
// simulator's terminal pinned to COM1.
std::vector<SerialPortEntry> TwoPorts() {
    SerialPortEntry usb;
    usb.Device = "/dev/ttyUSB0";
    usb.Description = "FT232R USB UART, FTDI";
    usb.VendorId = 0x0403;
    usb.ProductId = 0x6001;
    usb.StableName = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K-if00-port0";
    SerialPortEntry builtIn;
    builtIn.Device = "/dev/ttyS0";
    builtIn.ComNum = 2;
    SerialPortEntry pinned;
    pinned.Device = "/dev/pts/7";
    pinned.Description = "set by TQ530_COM1";
    pinned.ComNum = 1;
    pinned.Pinned = true;
    return {usb, builtIn, pinned};
}

TEST(PortListTest, EverySystemPortIsListedChosenAndRememberedByItsLastingName) {
    QWidget window;
    window.show();
    QMenu menu;
    PortActions com{};
    for (int i = 0; i < kPortMenuEntries; ++i) {
        com[static_cast<size_t>(i)] = menu.addAction(QStringLiteral("COM&%1").arg(i + 1));
        com[static_cast<size_t>(i)]->setCheckable(true);
    }
    Workspace ws;
    MemorySettingsStore store;
    InstallPortMenu(&menu, com, ws, store, &window, TwoPorts);
    emit menu.aboutToShow();
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    EXPECT_EQ(texts,
              (QStringList{"COM&1", "COM&2", "COM&3", "COM&4", "--",
                           "/dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)", "/dev/ttyS0"}));
    EXPECT_TRUE(com[0]->isChecked());

    menu.actions()[5]->trigger();
    EXPECT_EQ(ws.ComDevice, TwoPorts()[0].StableName);
    EXPECT_EQ(store.GetText("ComPath", kComDeviceKey, ""), TwoPorts()[0].StableName);
    EXPECT_EQ(store.GetText("ComPath", "ComNum", "none"), "none");
    EXPECT_FALSE(com[0]->isChecked());
    EXPECT_TRUE(menu.actions()[5]->isChecked());
    EXPECT_EQ(ChosenPortText(ws, TwoPorts), "/dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)");

    // The next start finds the choice; the adapter unplugged meanwhile stays the choice.
    Workspace next;
    QMenu again;
    PortActions comAgain{};
    for (int i = 0; i < kPortMenuEntries; ++i) {
        comAgain[static_cast<size_t>(i)] = again.addAction(QStringLiteral("COM&%1").arg(i + 1));
        comAgain[static_cast<size_t>(i)]->setCheckable(true);
    }
    InstallPortMenu(&again, comAgain, next, store, &window, [] { return TwoPorts(); });
    EXPECT_EQ(next.ComDevice, TwoPorts()[0].StableName);
    InstallPortMenu(&again, comAgain, next, store, &window,
                    [] { return std::vector<SerialPortEntry>{}; });
    const QAction* last = again.actions().back();
    EXPECT_EQ(last->text(), QString::fromStdString(TwoPorts()[0].StableName) + " (not found)");
    EXPECT_TRUE(last->isChecked());

    // A COM item is a COM number again.
    com[2]->trigger();
    EXPECT_EQ(ws.ComNum, 3);
    EXPECT_EQ(ws.ComDevice, "");
    EXPECT_EQ(store.GetText("ComPath", kComDeviceKey, "x"), "");
    EXPECT_EQ(store.GetText("ComPath", "ComNum", ""), "3");
    EXPECT_FALSE(menu.actions()[5]->isChecked());
}

TEST_F(FirstContactTest, AChosenDeviceIsTheOneTheTransferOpensAndThePortLineNames) {
    SilentTerminal cable;
    PointCom1At("/dev/tq530-not-this-one");
    store.SetText("ComPath", kComDeviceKey, cable.Device());
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    EXPECT_EQ(Ws().ComDevice, cable.Device());
    TransferDialog dialog(Ws(), shell->Host(), TransferMode::Read, {}, &Window());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.PortLine()->text(), QString::fromStdString("Port: " + cable.Device()));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor(
        [&cable] { return cable.Received().find('P') != std::string::npos; }, 3000));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.Running(); }, 3000));
}

}  // namespace
}  // namespace tq530::guitest
