// The transfer dialog's two states and what it shows in each mode, against a cable that
// nobody answers; and the serial-port menu that says which cable is meant.
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <cstdio>

#include "core/workspace.h"
#include "gui/transfer_fixture.h"
#include "radio/qt/serial_ports.h"
#include "window/port_menu.h"
#include "window/transfer_picture.h"

namespace tq530::guitest {
namespace {

using TransferDialogTest = TransferTest;

TEST_F(TransferDialogTest, EachModeShowsItsCaptionInstructionsPictureAndPort) {
    PointCom1At("/dev/tq530-test-cable");
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    struct Row {
        TransferMode Mode;
        const char* Caption;
        bool RadioFirst;
    };
    const Row rows[] = {
        {TransferMode::Read, "Read from Radio", true},
        {TransferMode::Program, "Program to Radio", false},
        {TransferMode::ClearMmsi, "Clear MMSI Data", false},
        {TransferMode::ClearDscLog, "Clear DSC Log Data", false},
        {TransferMode::ClearDistressLog, "Clear Distress Log Data", false},
    };
    for (const Row& row : rows) {
        TransferDialog dialog(Ws(), shell->Host(), row.Mode, {}, &Window());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(row.Caption));
        EXPECT_EQ(dialog.size(), QSize(465, 290));
        EXPECT_EQ(dialog.Picture()->RadioFirst(), row.RadioFirst) << row.Caption;
        EXPECT_FALSE(dialog.MonitorLine()->isVisible());
        EXPECT_EQ(dialog.PortLine()->text(),
                  "Port: COM1: /dev/tq530-test-cable (set by TQ530_COM1)");
        EXPECT_EQ(dialog.ProgressBar()->value(), 0);
        EXPECT_TRUE(dialog.OkButton()->isEnabled() && dialog.HelpButton()->isEnabled());
        const auto* instructions = dialog.findChild<QLabel*>(QStringLiteral("Instructions"));
        ASSERT_NE(instructions, nullptr);
        EXPECT_EQ(
            instructions->text().split('\n'),
            (QStringList{"1.Connect the KCP cable between the PC serial port and the radio.",
                         "2.On the radio, press and hold [DISTRESS] and [CALL] keys while",
                         "   turning the power on.", "   The Radio display will show PC CONTROL.",
                         "3.Press the [OK] button to start."}));
        // Every part of the dialog lies inside it.
        for (QWidget* child : dialog.findChildren<QWidget*>()) {
            if (child->isVisible()) {
                EXPECT_TRUE(
                    dialog.rect().contains(QRect(child->mapTo(&dialog, QPoint()), child->size())))
                    << child->objectName().toStdString();
            }
        }
        dialog.SetProgress(150);
        EXPECT_EQ(dialog.ProgressBar()->value(), 100);
    }
}

TEST_F(TransferDialogTest, DiagnosticModeShowsTheMonitorLine) {
    StartWith(kOneModel, "/D");
    ASSERT_TRUE(started);
    TransferDialog dialog(Ws(), shell->Host(), TransferMode::Read, {}, &Window());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(dialog.MonitorLine()->isVisible());
    EXPECT_EQ(dialog.MonitorLine()->text(), "starting at debug mode..");
}

TEST_F(TransferDialogTest, CancelWhileReadyClosesWithoutTouchingThePort) {
    SilentTerminal cable;
    PointCom1At(cable.Device());
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    bool shown = false;
    WhenDialogShows(&Window(), [&shown](TransferDialog& dialog) {
        shown = true;
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    UseMenu(Window(), "&Transfer", Qt::Key_R);
    EXPECT_TRUE(shown);
    EXPECT_EQ(OpenTransferDialog(), nullptr);
    EXPECT_EQ(cable.Received(), "");
    EXPECT_FALSE(Ws().TransferDone);
    EXPECT_FALSE(Ws().BusyFlag);
}

TEST_F(TransferDialogTest, RunningRefusesTheCloseBoxAndCancelReturnsToReady) {
    SilentTerminal cable;
    PointCom1At(cable.Device());
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    TransferDialog dialog(Ws(), shell->Host(), TransferMode::Read, {}, &Window());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.Running());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_FALSE(dialog.HelpButton()->isEnabled());
    EXPECT_TRUE(dialog.CancelButton()->isEnabled());
    EXPECT_TRUE(Ws().BusyFlag);

    // The window stays alive while the worker waits for the radio's echo.
    ASSERT_TRUE(QTest::qWaitFor(
        [&cable] { return cable.Received().find('P') != std::string::npos; }, 3000));
    dialog.close();
    QTest::keyClick(&dialog, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Running());

    QElapsedTimer sinceCancel;
    sinceCancel.start();
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.Running(); }, 3000));
    // The poll of the port sees Cancel well before the probe's one second is over.
    EXPECT_LT(sinceCancel.elapsed(), 900);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(dialog.HelpButton()->isEnabled());
    EXPECT_FALSE(Ws().BusyFlag);
    EXPECT_FALSE(Ws().CommError);

    // Ready again: Escape is Cancel, and Cancel now closes.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Which topic the Help button opens is the first-contact test's; here, the box without help.
TEST_F(TransferDialogTest, HelpWithoutAHelpFileSaysThereIsNone) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    TransferDialog dialog(Ws(), shell->Host(), TransferMode::ClearMmsi, {}, &Window());
    dialog.show();
    boxes.Next(QMessageBox::Ok);
    QTest::mouseClick(dialog.HelpButton(), Qt::LeftButton);
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text,
              "Unable to display Help Contents. There is no Help associated with this project.");
    EXPECT_EQ(boxes.Seen[0].Title, "Clear MMSI Data");
}

using PortMenuTest = TransferTest;

TEST_F(PortMenuTest, ItemsNameTheirDevicesAndAChoiceIsStoredAndUsed) {
    PointCom1At("/dev/tq530-cable-one");
    qputenv("TQ530_COM3", "/dev/tq530-cable-three");
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    QMenu* menu = Window().PortMenu();
    // COM1 to COM4 first; the system's own ports follow below a separator.
    ASSERT_GE(menu->actions().size(), 5);
    EXPECT_TRUE(menu->actions()[4]->isSeparator());
    // The tips are the port listing's own lines, as the command line's "ports" shows them.
    EXPECT_EQ(menu->actions()[0]->statusTip(), "COM1: /dev/tq530-cable-one (set by TQ530_COM1)");
    EXPECT_EQ(menu->actions()[2]->statusTip(), "COM3: /dev/tq530-cable-three (set by TQ530_COM3)");
    EXPECT_EQ(menu->actions()[2]->toolTip(), menu->actions()[2]->statusTip());
    EXPECT_EQ(store.GetText("ComPath", "ComNum", "none"), "none");  // start-up wrote nothing
    // What a choice stores is the port list's test; a second click keeps the item checked.
    menu->actions()[2]->trigger();
    menu->actions()[2]->trigger();
    EXPECT_TRUE(menu->actions()[2]->isChecked());

    TransferDialog dialog(Ws(), shell->Host(), TransferMode::Program, {}, &Window());
    EXPECT_EQ(dialog.PortLine()->text(), "Port: " + PortTipText(3));
}

}  // namespace
}  // namespace tq530::guitest
