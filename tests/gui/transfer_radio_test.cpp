// The window program against nr6120-sim over a real pseudo-terminal: read, edit and program
// through the menus and the transfer dialog, Cancel in the middle of a read, a busy radio, a
// clear; and the frames the window sends are the command line's.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <cstdio>

#include "app/data_set.h"
#include "core/workspace.h"
#include "editor/qt/dsc_screen.h"
#include "editor/qt/editor_panel.h"
#include "editor/qt/field_edit.h"
#include "editor/screen_tree.h"
#include "gui/transfer_fixture.h"

namespace tq530::guitest {
namespace {

constexpr const char* kRadioName = "HARBOUR";

// The first USA channel that is switched on.
int FirstEnabledUsa(const SettingsModel& model) {
    int index = 0;
    while (index + 1 < static_cast<int>(model.Usa.size()) && model.Usa[index].Enable == 0) {
        ++index;
    }
    return index;
}

// A radio whose EEPROM holds the new-data defaults with edit applied, and its product code.
void WriteRadio(const std::string& path, const std::function<void(SettingsModel&)>& edit) {
    Workspace radio;
    NewData(radio, false);
    edit(radio.Model);
    std::copy_n(kProductCode, kProductCodeLength, &radio.Image.Bytes[kProductCodeAddress]);
    SilentHost quiet;
    ASSERT_EQ(SaveDataSet(radio, quiet, path), Outcome::Ok);
}

// The channel-name box of the shown channel screen.
FieldEdit* ChannelNameBox(MainWindow& window) {
    for (FieldEdit* edit : window.findChildren<FieldEdit*>()) {
        if (edit->isVisible() &&
            edit->property(kHintProperty).toString() == QString::fromLatin1(hint::kChannelName)) {
            return edit;
        }
    }
    return nullptr;
}

// Only the frames and replies of a simulator log, in order.
std::string Frames(const std::string& log) {
    std::string frames;
    size_t at = 0;
    while (at < log.size()) {
        size_t end = log.find('\n', at);
        end = end == std::string::npos ? log.size() : end;
        const std::string line = log.substr(at, end - at);
        if (line.rfind("--", 0) != 0 && line.rfind("stats:", 0) != 0) {
            frames += line + '\n';
        }
        at = end + 1;
    }
    return frames;
}

class TransferRadioTest : public TransferTest {
  protected:
    // A dialog that a failed transfer left open is closed after a while, so that the test
    // fails instead of waiting for ever.
    void CloseDialogLater() {
        QTimer::singleShot(60000, &Window(), [] {
            TransferDialog* dialog = OpenTransferDialog();
            if (dialog != nullptr && !dialog->Running()) {
                ADD_FAILURE() << "the transfer dialog stayed open";
                dialog->CancelButton()->click();
            }
        });
    }
    // Runs a Transfer menu command; OK is pressed when the dialog shows, every message box is
    // answered with OK.
    void RunCommand(Qt::Key accessKey, int messages = 1) {
        WhenDialogShows(&Window(), [](TransferDialog& dialog) {
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        });
        for (int i = 0; i < messages; ++i) {
            boxes.Next(QMessageBox::Ok);
        }
        CloseDialogLater();
        UseMenu(Window(), "&Transfer", accessKey);
        EXPECT_TRUE(boxes.Done());
        EXPECT_EQ(OpenTransferDialog(), nullptr);
    }
};

TEST_F(TransferRadioTest, ReadFromRadioFillsTheScreensAndForgetsTheFile) {
    WriteRadio(RadioFile(), [](SettingsModel& m) { m.Usa[FirstEnabledUsa(m)].ChTag = kRadioName; });
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const int channel = FirstEnabledUsa(Ws().Model);
    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, channel));
    Ws().CurrentFileName = dir.File("earlier.dat");
    Ws().DataChanged = true;
    Window().UpdateCaption();

    RunCommand(Qt::Key_R);
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text, "Complete!!");
    EXPECT_EQ(boxes.Seen[0].Title, "Read from Radio");
    EXPECT_EQ(boxes.Seen[0].Icon, QMessageBox::Information);
    EXPECT_EQ(Ws().Model.Usa[channel].ChTag, kRadioName);
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");
    EXPECT_EQ(Ws().CurrentFileName, "");
    EXPECT_FALSE(Ws().DataChanged);
    EXPECT_FALSE(Ws().TransferDone);
    EXPECT_FALSE(Ws().BusyFlag);
    EXPECT_EQ(Caption(), "TQ530  PC Program for NR6120");

    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, channel));
    FieldEdit* name = ChannelNameBox(Window());
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), kRadioName);
}

TEST_F(TransferRadioTest, AnEditProgrammedFromTheWindowReachesTheRadioAsTheCliWouldSendIt) {
    WriteRadio(RadioFile(), [](SettingsModel&) {});
    const std::string before = testing::ReadFile(RadioFile());
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    RunCommand(Qt::Key_R);
    sim.Stop();

    // The edit, typed as a person types it.
    const int channel = FirstEnabledUsa(Ws().Model);
    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, channel));
    FieldEdit* name = ChannelNameBox(Window());
    ASSERT_TRUE(name != nullptr && name->isEnabled());
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, "MARINA 9");
    QTest::keyClick(name, Qt::Key_Tab);
    ASSERT_EQ(Ws().Model.Usa[channel].ChTag, "MARINA 9");
    ASSERT_TRUE(Ws().DataChanged);
    SilentHost quiet;
    Workspace asSaved = Ws();
    ASSERT_EQ(SaveDataSet(asSaved, quiet, dir.File("edited.hex")), Outcome::Ok);

    testing::WriteFile(RadioFile(), before);
    StartRadio();
    RunCommand(Qt::Key_P);
    ASSERT_EQ(boxes.Seen.size(), 2u);
    EXPECT_EQ(boxes.Seen[1].Text, "Complete!!");
    EXPECT_EQ(boxes.Seen[1].Title, "Program to Radio");
    EXPECT_TRUE(Ws().DataChanged);  // programming saves no file
    sim.Stop();
    const std::string byWindow = testing::ReadFile(RadioFile());
    const std::string windowFrames = Frames(sim.Log());

    testing::WriteFile(RadioFile(), before);
    const std::string device = sim.Start(dir.Path());
    const std::string cli = std::string(TQ530_BIN_DIR) + "/tq530-cli program --port " + device +
                            " '" + dir.File("edited.hex") + "' 2>/dev/null </dev/null";
    ASSERT_EQ(std::system(cli.c_str()), 0);
    sim.Stop();
    const std::string byCli = testing::ReadFile(RadioFile());

    EXPECT_NE(byWindow, before);
    EXPECT_TRUE(byWindow == byCli);
    EXPECT_NE(byWindow.find("MARINA 9"), std::string::npos);
    EXPECT_GT(windowFrames.size(), 10000u);
    EXPECT_TRUE(windowFrames == Frames(sim.Log()));
}

TEST_F(TransferRadioTest, CancelDuringAReadLeavesTheDataAsItWas) {
    WriteRadio(RadioFile(), [](SettingsModel& m) { m.Usa[FirstEnabledUsa(m)].ChTag = kRadioName; });
    StartRadio("--pace");
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const SettingsModel model = Ws().Model;
    const RadioImage image = Ws().Image;
    bool stayedOpen = false;
    int cancelledAt = -1;
    WhenDialogShows(&Window(), [&](TransferDialog& dialog) {
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QProgressBar* bar = dialog.ProgressBar();
        EXPECT_TRUE(QTest::qWaitFor([bar] { return bar->value() >= 20; }, 20000));
        cancelledAt = bar->value();
        QElapsedTimer sinceCancel;
        sinceCancel.start();
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.Running(); }, 15000));
        // The block in flight, CAN and the radio's ACK, then the port closes.
        std::printf("cancel: the read ended %lld ms after the click\n",
                    static_cast<long long>(sinceCancel.elapsed()));
        EXPECT_LT(sinceCancel.elapsed(), 2000);
        stayedOpen = dialog.isVisible() && dialog.OkButton()->isEnabled();
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    UseMenu(Window(), "&Transfer", Qt::Key_R);
    EXPECT_GE(cancelledAt, 20);
    EXPECT_LT(cancelledAt, 100);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(boxes.Seen.empty());
    EXPECT_TRUE(Ws().Model == model);
    EXPECT_TRUE(Ws().Image.Bytes == image.Bytes);
    EXPECT_NE(Ws().Model.Usa[FirstEnabledUsa(model)].ChTag, kRadioName);
    EXPECT_FALSE(Ws().TransferDone);
    EXPECT_TRUE(Ws().CancelRequested);
    EXPECT_NE(sim.Log().find("<18>"), std::string::npos);  // CAN went to the radio
}

TEST_F(TransferRadioTest, ABusyRadioAsksRetryOrCancelWithCancelAsTheDefault) {
    WriteRadio(RadioFile(), [](SettingsModel& m) { m.Usa[FirstEnabledUsa(m)].ChTag = kRadioName; });
    StartRadio("--busy 1");
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const SettingsModel model = Ws().Model;
    WhenDialogShows(&Window(), [](TransferDialog& dialog) {
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    boxes.Next(QMessageBox::NoButton);  // Enter: the default button
    boxes.Next(QMessageBox::Ok);
    CloseDialogLater();
    UseMenu(Window(), "&Transfer", Qt::Key_R);
    ASSERT_EQ(boxes.Seen.size(), 2u);
    EXPECT_EQ(boxes.Seen[0].Text, "Radio is busy!!");
    EXPECT_EQ(boxes.Seen[0].Title, "Read from Radio");
    EXPECT_EQ(boxes.Seen[0].Buttons, QMessageBox::Retry | QMessageBox::Cancel);
    EXPECT_EQ(boxes.Seen[0].Default, QMessageBox::Cancel);
    EXPECT_EQ(boxes.Seen[1].Text, "Radio not ready!!");
    // Not ready is no communication error: the dialog has closed by itself.
    EXPECT_EQ(OpenTransferDialog(), nullptr);
    EXPECT_TRUE(Ws().Model == model);
    EXPECT_FALSE(Ws().TransferDone);
}

TEST_F(TransferRadioTest, TheDscScreensClearButtonsClearTheRadioAndShowTheCount) {
    WriteRadio(RadioFile(), [](SettingsModel& m) { m.DscBasic.UserMmsi = "2111234560"; });
    std::string radio = testing::ReadFile(RadioFile());
    radio[kMmsiStatus] = 3;
    radio.replace(kDscLogStart, 16, "DSC CALL LOG 001");
    testing::WriteFile(RadioFile(), radio);
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    RunCommand(Qt::Key_R);
    Window().Editor()->SelectNode("DSC");
    auto* screen = Window().findChild<DscScreen*>();
    ASSERT_TRUE(screen != nullptr && screen->isVisible());
    EXPECT_EQ(screen->Count()->text(), "3");
    EXPECT_FALSE(Ws().DataChanged);

    const auto press = [this](QPushButton* button) {
        WhenDialogShows(&Window(), [](TransferDialog& dialog) {
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        });
        boxes.Next(QMessageBox::Ok);
        CloseDialogLater();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(boxes.Done());
        EXPECT_EQ(OpenTransferDialog(), nullptr);
    };
    press(screen->MmsiClear());
    ASSERT_EQ(boxes.Seen.size(), 2u);
    EXPECT_EQ(boxes.Seen[1].Title, "Clear MMSI Data");
    EXPECT_EQ(screen->Count()->text(), "0");
    EXPECT_EQ(Ws().Model.DscBasic.UserMmsi, "");
    EXPECT_TRUE(Ws().DataChanged);

    press(screen->DscLogClear());
    ASSERT_EQ(boxes.Seen.size(), 3u);
    EXPECT_EQ(boxes.Seen[2].Title, "Clear DSC Log Data");
    EXPECT_EQ(Ws().Image[kDscLogStart], 0xFF);
    sim.Stop();
    radio = testing::ReadFile(RadioFile());
    EXPECT_EQ(radio.substr(kMmsiStart, 6), std::string("\xFF\xFF\xFF\xFF\xFF\x00", 6));
    EXPECT_EQ(radio.substr(kDscLogStart, kDscLogEnd - kDscLogStart),
              std::string(kDscLogEnd - kDscLogStart, '\xFF'));
}

}  // namespace
}  // namespace tq530::guitest
