// The window program against nr6120-sim over a real pseudo-terminal: what a read, a program, a
// verify, a busy radio and the clears change on the screens. How the radio is spoken to is the
// radio layer's tests' business; these check that the window hands the results on.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "app/backups.h"
#include "app/data_set.h"
#include "app/verify_choice.h"
#include "core/workspace.h"
#include "editor/screen_tree.h"
#include "gui/transfer_fixture.h"
#include "window/screens/dsc_screen.h"
#include "window/screens/editor_panel.h"
#include "window/screens/field_edit.h"
#include "window/screens/usable_screen.h"

namespace tq530::guitest {
namespace {

constexpr const char* kRadioName = "HARBOUR";

// A radio whose EEPROM holds the new-data defaults with edit applied, and its product code.
void WriteRadio(const std::string& path, const std::function<void(SettingsModel&)>& edit) {
    Workspace radio;
    NewData(radio);
    edit(radio.Model);
    std::copy_n(kProductCode, kProductCodeLength, &radio.Image.Bytes[kProductCodeAddress]);
    SilentHost quiet;
    ASSERT_EQ(SaveDataSet(radio, quiet, path), Outcome::Ok);
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
    // The test's data folder holds one backup, of kind, and it is the image the window holds
    // after the transfer: what was read, or what was sent.
    void ExpectOneBackupOfTheWindowsImage(BackupKind kind) {
        const std::vector<BackupEntry> backups = ListBackups(BackupDir());
        ASSERT_EQ(backups.size(), 1u);
        EXPECT_EQ(backups[0].Kind, kind);
        EXPECT_EQ(backups[0].Path.rfind(dir.File("data"), 0), 0u) << backups[0].Path;
        Workspace kept;
        SilentHost quiet;
        DestinationMenu menu;
        ASSERT_EQ(LoadDataSet(kept, quiet, backups[0].Path, store, menu), Outcome::Ok);
        const auto end = static_cast<std::ptrdiff_t>(Ws().Image.Size());
        EXPECT_TRUE(std::equal(kept.Image.Bytes.begin(), kept.Image.Bytes.begin() + end,
                               Ws().Image.Bytes.begin()));
    }
};

TEST_F(TransferRadioTest, ReadFromRadioFillsTheScreensForgetsTheFileAndKeepsABackup) {
    WriteRadio(RadioFile(), [](SettingsModel& m) { m.Usa[FirstEnabledUsa(m)].ChTag = kRadioName; });
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const int channel = FirstEnabledUsa(Ws().Model);
    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, channel));
    Ws().CurrentFileName = dir.File("earlier.dat");
    Ws().DataChanged = true;
    Window().UpdateCaption();
    ASSERT_TRUE(ListBackups(BackupDir()).empty());

    RunCommand(Qt::Key_R);
    ExpectOneBackupOfTheWindowsImage(BackupKind::Read);
    EXPECT_EQ(Window().findChild<QLabel*>(QStringLiteral("Notice"))->text(), "");
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text, "Complete!!");
    EXPECT_EQ(Ws().Model.Usa[channel].ChTag, kRadioName);
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");
    EXPECT_EQ(Ws().CurrentFileName, "");
    EXPECT_FALSE(Ws().DataChanged);
    EXPECT_EQ(Caption(), "TQ530  PC Program for NR6120");
}

TEST_F(TransferRadioTest, ABackupThatCannotBeKeptIsNoticedAndTheReadStillCounts) {
    WriteRadio(RadioFile(), [](SettingsModel& m) { m.Usa[FirstEnabledUsa(m)].ChTag = kRadioName; });
    // The data folder is a file: no backup folder can be made in it.
    testing::WriteFile(dir.File("blocked"), "not a folder");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.File("blocked")));
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    RunCommand(Qt::Key_R);
    EXPECT_EQ(Ws().Model.Usa[FirstEnabledUsa(Ws().Model)].ChTag, kRadioName);
    EXPECT_FALSE(Window().findChild<QLabel*>(QStringLiteral("Notice"))->text().isEmpty());
}

TEST_F(TransferRadioTest, VerifyAfterProgramIsStoredAndNamesWhatTheRadioGotWrong) {
    WriteRadio(RadioFile(), [](SettingsModel&) {});
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    QAction* verify = Window().ActionOf(Command::VerifyAfterProgram);
    EXPECT_FALSE(verify->isChecked());  // off until the user turns it on
    UseMenu(Window(), "&Options", Qt::Key_V);
    EXPECT_TRUE(verify->isChecked());
    EXPECT_TRUE(ReadVerifyAfterProgram(store));

    // A restart finds the choice where the user left it.
    ShellTest::TearDown();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    ASSERT_TRUE(Window().ActionOf(Command::VerifyAfterProgram)->isChecked());

    // The radio keeps a different byte in a channel name than the one it was sent.
    StartRadio("--alter-after-write 1771");
    const SettingsModel model = Ws().Model;
    bool stayedOpen = false;
    WhenDialogShows(&Window(), [&](TransferDialog& dialog) {
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.Running(); }, 60000));
        stayedOpen = dialog.isVisible();
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    boxes.Next(QMessageBox::Ok);
    UseMenu(Window(), "&Transfer", Qt::Key_P);
    ASSERT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(boxes.Seen[0].Text, "Verify failed: 1 byte differs\n0x06EB USA CH 16: name");
    // The radio was programmed, though not as sent: the dialog stays open for another try,
    // the data in the window stay those that were sent, and no backup claims the radio
    // holds them.
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(Ws().Model == model);
    EXPECT_TRUE(ListBackups(BackupDir()).empty());
}

TEST_F(TransferRadioTest, AnEditTypedInTheWindowIsProgrammedIntoTheRadio) {
    WriteRadio(RadioFile(), [](SettingsModel&) {});
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    const int channel = FirstEnabledUsa(Ws().Model);
    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, channel));
    FieldEdit* name = ChannelNameBox(Window());
    ASSERT_TRUE(name != nullptr && name->isEnabled());
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, "MARINA 9");
    QTest::keyClick(name, Qt::Key_Tab);

    RunCommand(Qt::Key_P);
    EXPECT_TRUE(Ws().DataChanged);  // programming saves no file
    sim.Stop();
    EXPECT_NE(testing::ReadFile(RadioFile()).find("MARINA 9"), std::string::npos);
}

// A program stores what the radio can hold: a usable group with no channel switched on goes
// off. The screens show it, and it is an undo step of its own.
TEST_F(TransferRadioTest, AProgramsFixUpsReachTheScreensAsAnUndoStep) {
    WriteRadio(RadioFile(), [](SettingsModel&) {});
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    RunCommand(Qt::Key_R);
    constexpr size_t kCanada = 2;
    Window().Editor()->SelectNode("Usable");
    UsableScreen* usable = Window().findChild<UsableScreen*>();
    ASSERT_NE(usable, nullptr);
    usable->UsableBox(kCanada)->setChecked(true);
    ASSERT_NE(Ws().Model.UsableGroups[kCanada].Usable, 0);
    for (ChannelRec& channel : Ws().Model.Canada) {
        channel.Enable = kOff;  // as a file could have left them
    }

    RunCommand(Qt::Key_P);
    EXPECT_EQ(boxes.Seen.back().Text, "Complete!!");
    EXPECT_EQ(Ws().Model.UsableGroups[kCanada].Usable, kOff);
    EXPECT_EQ(Window().ActionOf(Command::Undo)->text(), "&Undo Program fix-ups");
    Window().Editor()->SelectNode("Usable");
    usable = Window().findChild<UsableScreen*>();
    EXPECT_FALSE(usable->UsableBox(kCanada)->isChecked());

    Window().ActionOf(Command::Undo)->trigger();
    EXPECT_NE(Ws().Model.UsableGroups[kCanada].Usable, 0);
}

TEST_F(TransferRadioTest, ABusyRadioLeftAloneClosesTheDialogAndKeepsTheData) {
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
    EXPECT_EQ(boxes.Seen[1].Text, "Radio not ready!!");
    // Not ready is no communication error: the dialog has closed by itself.
    EXPECT_EQ(OpenTransferDialog(), nullptr);
    EXPECT_TRUE(Ws().Model == model);
}

// Which bytes each clear sends is the radio layer's test; here, that each button runs its own
// transfer and the screen shows the count the radio was left with.
TEST_F(TransferRadioTest, TheDscScreensClearButtonsRunTheirTransfersAndShowTheCount) {
    WriteRadio(RadioFile(), [](SettingsModel& m) { m.DscBasic.UserMmsi = "2111234560"; });
    std::string radio = testing::ReadFile(RadioFile());
    radio[kMmsiStatus] = 3;
    testing::WriteFile(RadioFile(), radio);
    StartRadio();
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    RunCommand(Qt::Key_R);
    Window().Editor()->SelectNode("DSC");
    auto* screen = Window().findChild<DscScreen*>();
    ASSERT_TRUE(screen != nullptr && screen->isVisible());
    EXPECT_EQ(screen->Count()->text(), "3");

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
    EXPECT_TRUE(Ws().DataChanged);

    press(screen->DscLogClear());
    ASSERT_EQ(boxes.Seen.size(), 3u);
    EXPECT_EQ(boxes.Seen[2].Title, "Clear DSC Log Data");
}

}  // namespace
}  // namespace tq530::guitest
