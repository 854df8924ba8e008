// Renders the transfer dialog in every mode, with and without the monitor line, while a
// transfer runs, and the serial-port menu with its tips, to PNG files for a person to look
// at. Runs only when TQ530_GALLERY_DIR names a folder.
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "core/workspace.h"
#include "gui/transfer_fixture.h"

namespace tq530::guitest {
namespace {

class TransferGalleryTest : public TransferTest {
  protected:
    void SetUp() override {
        folder = qEnvironmentVariable("TQ530_GALLERY_DIR");
        if (folder.isEmpty()) {
            GTEST_SKIP() << "TQ530_GALLERY_DIR is not set";
        }
        ASSERT_TRUE(QDir().mkpath(folder));
        PointCom1At(cable.Device());
    }
    void Save(QWidget& widget, const QString& name) {
        const QString path = QStringLiteral("%1/%2.png").arg(folder, name);
        ASSERT_TRUE(widget.grab().save(path)) << path.toStdString();
        ++written;
    }
    void SaveModes(const QString& prefix) {
        const struct {
            TransferMode Mode;
            const char* Name;
        } modes[] = {
            {TransferMode::Read, "read"},
            {TransferMode::Program, "program"},
            {TransferMode::ClearMmsi, "clear-mmsi"},
            {TransferMode::ClearDscLog, "clear-dsc-log"},
            {TransferMode::ClearDistressLog, "clear-distress-log"},
        };
        for (const auto& mode : modes) {
            TransferDialog dialog(Ws(), shell->Host(), mode.Mode, {}, &Window());
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            Save(dialog, prefix + QString::fromLatin1(mode.Name));
        }
    }

    SilentTerminal cable;
    QString folder;
    int written = 0;
};

TEST_F(TransferGalleryTest, RendersTheDialogInEveryMode) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    SaveModes(QStringLiteral("transfer-"));
    EXPECT_EQ(written, 5);
}

TEST_F(TransferGalleryTest, RendersTheDialogWithTheMonitorLineAndWhileItRuns) {
    StartWith(kOneModel, "/D");
    ASSERT_TRUE(started);
    SaveModes(QStringLiteral("transfer-diagnostic-"));

    TransferDialog dialog(Ws(), shell->Host(), TransferMode::Read, {}, &Window());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    // Connect forgets a Cancel that comes before it: wait for the first probe.
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return cable.Received().find('P') != std::string::npos; }, 5000));
    dialog.SetProgress(40);
    Save(dialog, QStringLiteral("transfer-diagnostic-running"));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.Running(); }, 20000));
    EXPECT_EQ(written, 6);
}

TEST_F(TransferGalleryTest, RendersThePortMenuWithTheDeviceOfAnItem) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    QMenu* menu = Window().PortMenu();
    menu->popup(Window().mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* com1 = menu->actions()[0];
    menu->setActiveAction(com1);
    // What hovering the item does when the menu bar opened the menu.
    com1->showStatusText(Window().menuBar());
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return Window().statusBar()->currentMessage().startsWith("COM1: "); }, 2000));
    Save(*menu, QStringLiteral("transfer-menu-serialport"));
    Save(Window(), QStringLiteral("transfer-menu-serialport-status"));
    menu->hide();
    EXPECT_EQ(written, 2);
}

}  // namespace
}  // namespace tq530::guitest
