// Every command that replaces the data set goes through the edit session's one replace-all
// step: one undo step and one announcement each, and the tree follows it. "Compare with..."
// replaces nothing and leaves the window's menus alone.
#include <QDialogButtonBox>
#include <QTableWidget>
#include <QTreeWidget>

#include "app/backups.h"
#include "app/csv_tables.h"
#include "app/data_set.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "files/settings_file.h"
#include "gui/shell_fixture.h"
#include "model/image_codec.h"
#include "window/backup_dialog.h"
#include "window/compare_window.h"
#include "window/csv_menu.h"
#include "window/screens/editor_panel.h"

namespace tq530::guitest {
namespace {

// A destination file: the new-data image with a mark of its own at 4000.
std::string Destination(char mark) {
    Workspace defaults;
    NewData(defaults);
    std::string bytes(defaults.Image.Bytes.begin(), defaults.Image.Bytes.begin() + 8192);
    bytes[4000] = mark;
    return bytes;
}

class ReplaceAllTest : public ShellTest {
  protected:
    void SetUp() override {
        testing::WriteFile(dir.File("USA_17E8.ini"), Destination('\x11'));
        testing::WriteFile(dir.File("EUR_17E8.ini"), Destination('\x22'));
        StartWith(kOneModel, "/D");
        ASSERT_TRUE(started);
        Window().Editor()->Session().Subscribe([this](const Change& change) {
            replaced += change.What == Change::Part::DataSet ? 1 : 0;
        });
    }

    // A data set like the window's with the first enabled USA channel named name.
    Workspace Named(const std::string& name) {
        Workspace other = Ws();
        other.Model.Usa[static_cast<size_t>(FirstEnabledUsa(other.Model))].ChTag = name;
        EncodeImage(other.Model, other.Image, other.ModelType);
        return other;
    }
    std::string ShownName() { return Ws().Model.Usa[static_cast<size_t>(Channel())].ChTag; }
    int Channel() { return FirstEnabledUsa(Ws().Model); }
    // Moves off "General", so that a rebuilt tree shows by its selection.
    void ShowChannel() {
        Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, Channel()));
        ASSERT_NE(Window().Editor()->ShownKey(), "General");
    }

    int replaced = 0;
    ScopedDataHome dataHome{dir.File("data")};
};

TEST_F(ReplaceAllTest, EachReplacementIsOneUndoStepAndOneAnnouncement) {
    const std::string dat = dir.File("harbour.dat");
    testing::WriteFile(dat, BuildSettingsText(Named("OPENED")));
    const std::string hex = dir.File("image.hex");
    {
        Workspace image = Named("IMAGE");
        SilentHost quiet;
        ASSERT_EQ(SaveDataSet(image, quiet, hex), Outcome::Ok);
    }
    const std::string csv = dir.File("usa.csv");
    testing::WriteFile(csv, ExportCsvText(Named("FROMCSV").Model, CsvTable::Usa));
    {
        const Workspace backup = Named("BACKUP");
        std::string path;
        FileError error;
        ASSERT_TRUE(
            SaveBackup(BackupDir(), {backup.Image.Bytes.begin(), backup.Image.Bytes.begin() + 8192},
                       1'700'000'000, "NR6120", BackupKind::Read, kBackupsKept, path, error));
    }

    struct Row {
        const char* Label;
        std::function<void()> Run;
        std::function<bool()> Done;
    };
    const std::vector<Row> rows = {
        {"Open",
         [&] {
             dialogs.Paths = {dat};
             Window().ActionOf(Command::Open)->trigger();
         },
         [&] { return ShownName() == "OPENED"; }},
        {"New", [&] { Window().ActionOf(Command::New)->trigger(); },
         [&] { return ShownName() != "OPENED"; }},
        {"Load Image File",
         [&] {
             dialogs.Paths = {hex};
             Window().ActionOf(Command::LoadImage)->trigger();
         },
         [&] { return ShownName() == "IMAGE"; }},
        {"Import CSV",
         [&] {
             dialogs.Paths = {csv};
             Window().Csv()->Import(CsvTable::Usa);
         },
         [&] { return ShownName() == "FROMCSV"; }},
        {"Open Backup",
         [&] {
             QTimer::singleShot(50, [] {
                 auto* box = qobject_cast<BackupDialog*>(QApplication::activeModalWidget());
                 ASSERT_NE(box, nullptr);
                 QTest::keyClick(box->Table(), Qt::Key_Return);
             });
             Window().ActionOf(Command::OpenBackup)->trigger();
         },
         [&] { return ShownName() == "BACKUP"; }},
        {"Destination",
         [&] {
             boxes.Next(QMessageBox::Ok);
             Window().DestinationMenuWidget()->actions()[0]->trigger();  // EUR
         },
         [&] { return Ws().Image[4000] == 0x22; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Label);
        ShowChannel();
        const SettingsModel before = Ws().Model;
        replaced = 0;
        row.Run();
        ASSERT_TRUE(QTest::qWaitFor(row.Done, 3000));
        QApplication::processEvents();
        EXPECT_EQ(replaced, 1);
        EXPECT_EQ(Window().Editor()->ShownKey(), "General");
        EXPECT_EQ(Window().ActionOf(Command::Undo)->text(),
                  QStringLiteral("&Undo ") + QString::fromLatin1(row.Label));
        // One step: a single undo puts the data set back as it was.
        const SettingsModel after = Ws().Model;
        Window().ActionOf(Command::Undo)->trigger();
        EXPECT_EQ(Ws().Model, before);
        Window().ActionOf(Command::Redo)->trigger();
        EXPECT_EQ(Ws().Model, after);
    }
}

TEST_F(ReplaceAllTest, CompareLeavesTheWindowsMenusAndDataAlone) {
    const std::string path = dir.File("other.dat");
    testing::WriteFile(path, BuildSettingsText(Named("OTHER")));
    QMenu* destinations = Window().DestinationMenuWidget();
    const auto menuState = [destinations] {
        QStringList state;
        for (QAction* action : destinations->actions()) {
            if (action->isVisible()) {
                state << action->text() + (action->isChecked() ? "*" : "");
            }
        }
        return state;
    };
    ASSERT_EQ(menuState(), (QStringList{"EUR", "USA*"}));
    // The folder changed since start-up: a rebuilt menu would list a third entry and, with
    // USA gone, check none.
    testing::WriteFile(dir.File("ASIA_17E8.ini"), Destination('\x33'));
    ASSERT_EQ(std::remove(dir.File("USA_17E8.ini").c_str()), 0);
    ShowChannel();
    const Workspace before = Ws();

    dialogs.Paths = {path};
    Window().ActionOf(Command::CompareWith)->trigger();
    ASSERT_NE(Window().Comparison(), nullptr);
    EXPECT_EQ(Window().Comparison()->List()->topLevelItemCount(), 1);
    EXPECT_EQ(replaced, 0);
    EXPECT_EQ(Ws().Model, before.Model);
    EXPECT_EQ(Ws().Image, before.Image);
    EXPECT_EQ(Ws().CurrentFileName, before.CurrentFileName);
    EXPECT_NE(Window().Editor()->ShownKey(), "General");
    EXPECT_FALSE(Window().ActionOf(Command::Undo)->isEnabled());

    // A cancelled Open shows the menus as the window's data have them.
    dialogs.Paths = {""};
    Window().ActionOf(Command::Open)->trigger();
    EXPECT_EQ(menuState(), (QStringList{"EUR", "USA*"}));
}

}  // namespace
}  // namespace tq530::guitest
