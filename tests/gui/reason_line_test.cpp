// The window's reason lines: under the transfer dialog's port line after a transfer that did
// not get through, and in the main window's status bar after a failed open or save. They
// add to the messages; they never bring a message box of their own.
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "core/workspace.h"
#include "gui/transfer_fixture.h"

namespace tq530::guitest {
namespace {

using ReasonLineTest = TransferTest;

QLabel* ReasonLineOf(TransferDialog& dialog) {
    return dialog.findChild<QLabel*>(QStringLiteral("ReasonLine"));
}

// The label shows all its lines inside the dialog, and no other part covers it.
void ExpectWhollyShown(TransferDialog& dialog, QLabel* label) {
    const QRect shown(label->mapTo(&dialog, QPoint()), label->size());
    EXPECT_TRUE(dialog.rect().contains(shown));
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    for (QWidget* other : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != label && other->isVisible()) {
            EXPECT_FALSE(shown.intersects(other->geometry())) << other->objectName().toStdString();
        }
    }
}

TEST_F(ReasonLineTest, APortThatCannotBeOpenedIsNamedUnderThePortLine) {
    const std::string port = "/dev/tq530-no-such-port";
    PointCom1At(port);
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    TransferDialog dialog(Ws(), shell->Host(), TransferMode::Read, {}, &Window());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QLabel* reason = ReasonLineOf(dialog);
    ASSERT_NE(reason, nullptr);
    EXPECT_FALSE(reason->isVisible());  // nothing to say before OK

    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.Running(); }, 5000));
    QApplication::processEvents();
    ASSERT_TRUE(reason->isVisible());
    EXPECT_TRUE(
        reason->text().startsWith(QString::fromStdString(port + ": cannot open the port: ")))
        << reason->text().toStdString();
    ExpectWhollyShown(dialog, reason);
    EXPECT_TRUE(boxes.Seen.empty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    // The longest reason a transfer gives, with a long device path, still fits.
    dialog.ShowReason(QString::fromStdString(
        "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0: the port failed (Read "
        "failed: Inappropriate ioctl for device): check the cable; the radio is partly "
        "programmed: program it again"));
    QApplication::processEvents();
    ExpectWhollyShown(dialog, reason);
    if (const QByteArray gallery = qgetenv("TQ530_GALLERY_DIR"); !gallery.isEmpty()) {
        dialog.grab().save(QString::fromLocal8Bit(gallery) + "/transfer_reason_line.png");
    }
    // The reason was the dialog's: the main window's status bar did not get it.
    EXPECT_EQ(Window().statusBar()->currentMessage().indexOf("cannot open the port"), -1);
}

TEST_F(ReasonLineTest, AFailedOpenOrSaveLeavesItsReasonInTheStatusBar) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const std::string missing = dir.File("missing.dat");
    dialogs.Paths = {missing};
    boxes.Next(QMessageBox::Ok);
    UseMenu(Window(), "&File", Qt::Key_O);
    EXPECT_TRUE(boxes.Done());
    EXPECT_EQ(Window().statusBar()->currentMessage().toStdString(),
              missing + ": the file is missing");

    const std::string unwritable = dir.File("no/such/folder/boat.dat");
    dialogs.Paths = {unwritable};
    boxes.Next(QMessageBox::Ok);
    UseMenu(Window(), "&File", Qt::Key_A);
    EXPECT_TRUE(boxes.Done());
    ASSERT_EQ(boxes.Seen.size(), 2u);
    EXPECT_EQ(boxes.Seen[1].Text, "FileSave Error!!");
    EXPECT_EQ(Window().statusBar()->currentMessage().toStdString(),
              unwritable + ": No such file or directory");
    // However narrow the window, the tip holds the whole line.
    EXPECT_EQ(Window().statusBar()->toolTip(), Window().statusBar()->currentMessage());

    // The next command that replaces the data set clears it.
    UseMenu(Window(), "&File", Qt::Key_N);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return Window().statusBar()->currentMessage().isEmpty(); }, 2000));
}

}  // namespace
}  // namespace tq530::guitest
