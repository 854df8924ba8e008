// File > Open Backup, Export / Import CSV and Compare with, clicked through as a person would.
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTreeWidget>

#include "app/backups.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "files/settings_file.h"
#include "gui/shell_fixture.h"
#include "model/image_codec.h"
#include "window/backup_dialog.h"
#include "window/compare_window.h"
#include "window/csv_menu.h"
#include "window/import_refusal_box.h"
#include "window/screens/editor_panel.h"

namespace tq530::guitest {
namespace {

// Runs act on the next modal dialog of type T once it is shown.
template <typename T>
void WhenModal(std::function<void(T&)> act) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [poll, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            QTimer::singleShot(10, *poll);
            return;
        }
        act(*dialog);
        *poll = nullptr;
    };
    QTimer::singleShot(10, *poll);
}

class FileExtrasTest : public ShellTest {
  protected:
    void SetUp() override {
        StartWith(kOneModel);
        ASSERT_TRUE(started);
    }

    // A backup of the current data with one channel's name changed.
    std::string KeepBackup(const std::string& name, std::time_t when, BackupKind kind) {
        SettingsModel model = Ws().Model;
        model.Usa[static_cast<size_t>(FirstEnabledUsa(Ws().Model))].ChTag = name;
        RadioImage image = Ws().Image;
        EncodeImage(model, image, Ws().ModelType);
        std::string path;
        FileError error;
        EXPECT_TRUE(SaveBackup(BackupDir(), {image.Bytes.begin(), image.Bytes.begin() + 8192}, when,
                               "NR6120", kind, kBackupsKept, path, error));
        return path;
    }

    const ChannelRec& Channel() const {
        return shell->Ws().Model.Usa[static_cast<size_t>(FirstEnabledUsa(shell->Ws().Model))];
    }

  private:
    ScopedDataHome dataHome{dir.File("data")};
};

TEST_F(FileExtrasTest, OpenBackupListsTheBackupsAndLoadsTheChosenOne) {
    KeepBackup("OLDER", 1'700'000'000, BackupKind::Program);
    const std::string newer = KeepBackup("NEWER", 1'700'000'100, BackupKind::Read);

    int rows = 0;
    WhenModal<BackupDialog>([&](BackupDialog& dialog) {
        QTableWidget& table = *dialog.Table();
        rows = table.rowCount();
        // The newest is chosen; Enter opens it.
        QTest::keyClick(&table, Qt::Key_Return);
    });
    UseMenu(Window(), "&File", Qt::Key_B);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Channel().ChTag == "NEWER"; }, 3000));

    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(Caption().contains(
        QString::fromLocal8Bit(newer.substr(newer.rfind('/') + 1).c_str()), Qt::CaseInsensitive))
        << Caption().toStdString();

    // A double click on the older one opens that.
    WhenModal<BackupDialog>([&](BackupDialog& dialog) {
        QTableWidget& table = *dialog.Table();
        const QRect cell = table.visualItemRect(table.item(1, 0));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    });
    UseMenu(Window(), "&File", Qt::Key_B);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Channel().ChTag == "OLDER"; }, 3000));
}

TEST_F(FileExtrasTest, AnEmptyBackupListSaysSoAndCancelChangesNothing) {
    const SettingsModel before = Ws().Model;
    bool okEnabled = true;
    bool tableShown = true;
    QString heading;
    WhenModal<BackupDialog>([&](BackupDialog& dialog) {
        okEnabled =
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        tableShown = dialog.Table()->isVisible();
        heading = dialog.findChild<QLabel*>("BackupHeading")->text();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    UseMenu(Window(), "&File", Qt::Key_B);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    EXPECT_FALSE(okEnabled);
    EXPECT_FALSE(tableShown);
    EXPECT_TRUE(heading.startsWith("No backups yet")) << heading.toStdString();
    EXPECT_EQ(Ws().Model, before);
    EXPECT_FALSE(Window().ActionOf(Command::Undo)->isEnabled());
}

TEST_F(FileExtrasTest, ExportAndImportATableThroughTheirMenus) {
    const std::string path = dir.File("usa.csv");
    const std::string name = Channel().ChTag;
    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_E);
    QMenu* exportMenu = Window().Csv()->ExportMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return exportMenu->isVisible(); }, 2000));
    QTest::keyClick(exportMenu, Qt::Key_U);
    ASSERT_EQ(dialogs.Kinds, (std::vector<std::string>{"save"}));
    EXPECT_EQ(testing::ReadFile(path), ExportCsvText(Ws().Model, CsvTable::Usa));

    // Edited on a screen, then the file puts the name back.
    const int index = FirstEnabledUsa(Ws().Model);
    Window().Editor()->Session().EditChannel(PlanId::Usa, index, FieldId::ChName,
                                             [](ChannelRec& ch) { ch.ChTag = "EDITED"; });
    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_I);
    QMenu* importMenu = Window().Csv()->ImportMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return importMenu->isVisible(); }, 2000));
    QTest::keyClick(importMenu, Qt::Key_U);
    EXPECT_EQ(dialogs.Kinds, (std::vector<std::string>{"save", "existing"}));
    EXPECT_EQ(Channel().ChTag, name);
}

// A megabyte of empty header cells: checked at once, refused as a whole in a box that stays on
// the screen, and no undo step.
TEST_F(FileExtrasTest, AFileWrongThroughoutIsRefusedInABoxThatFitsTheScreen) {
    const std::string path = dir.File("empty-cells.csv");
    testing::WriteFile(path, std::string(1024 * 1024, ','));
    const SettingsModel before = Ws().Model;
    dialogs.Paths = {path};
    QString title;
    QString heading;
    QStringList lines;
    QSize size;
    WhenModal<ImportRefusalBox>([&](ImportRefusalBox& box) {
        title = box.windowTitle();
        heading = box.Heading()->text();
        lines = box.List()->toPlainText().split('\n');
        size = box.frameGeometry().size();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    QElapsedTimer clock;
    clock.start();
    Window().Csv()->Import(CsvTable::Usa);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(title, "Import CSV");
    EXPECT_EQ(heading, "Nothing was imported (1048586 problems):");
    EXPECT_EQ(lines.size(), static_cast<int>(kListedProblems) + 1);
    const QRect screen = Window().screen()->availableGeometry();
    EXPECT_LE(size.height(), screen.height());
    EXPECT_LE(size.width(), screen.width());
    EXPECT_EQ(Ws().Model, before);
    EXPECT_FALSE(Window().ActionOf(Command::Undo)->isEnabled());
}

TEST_F(FileExtrasTest, CompareListsTheDifferencesAndJumpsToTheScreen) {
    const std::string path = dir.File("saved.dat");
    testing::WriteFile(path, BuildSettingsText(Ws()));
    const int index = FirstEnabledUsa(Ws().Model);
    const std::string name = Channel().ChTag;
    Window().Editor()->Session().EditChannel(PlanId::Usa, index, FieldId::ChName,
                                             [](ChannelRec& ch) { ch.ChTag = "EDITED"; });

    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_C);
    EXPECT_EQ(dialogs.Kinds, (std::vector<std::string>{"existing"}));
    CompareWindow* window = Window().Comparison();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTreeWidget* list = window->List();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QTreeWidgetItem* item = list->topLevelItem(0);
    EXPECT_EQ(item->text(2), QString::fromLatin1(name.c_str()));
    EXPECT_EQ(Ws().Model.Usa[static_cast<size_t>(index)].ChTag, "EDITED");  // nothing loaded

    // Enter on the line shows the channel's screen; so does a double click.
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Window().Editor()->ShownKey(), ChannelKey(PlanId::Usa, index));
    EXPECT_TRUE(window->isVisible());
    Window().Editor()->SelectNode("General");
    const QRect cell = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(Window().Editor()->ShownKey(), ChannelKey(PlanId::Usa, index));

    // The same data set again: nothing differs.
    Window().ActionOf(Command::Undo)->trigger();
    dialogs.Paths = {path};
    Window().ActionOf(Command::CompareWith)->trigger();
    QApplication::processEvents();
    window = Window().Comparison();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QLabel*>("CompareHeading")->text(), "No differences");
}

TEST_F(FileExtrasTest, CompareRefusesAnUnreadableFileAndALineWithoutAScreenStaysPut) {
    dialogs.Paths = {dir.File("missing.dat")};
    boxes.Next(QMessageBox::Ok);
    Window().ActionOf(Command::CompareWith)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.Done(); }, 2000));
    EXPECT_EQ(boxes.Seen.size(), 1u);
    EXPECT_EQ(Window().Comparison(), nullptr);

    // Lines whose setting no screen edits, or whose screen is not in this tree, do nothing.
    int jumps = 0;
    CompareWindow window(QStringLiteral("x.dat"),
                         {{"User MMSI", "1", "2", ""}, {"Gone", "1", "2", "No such node"}},
                         [&](const std::string& key) {
                             ++jumps;
                             Window().Editor()->SelectNode(key);
                         });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(window.List(), Qt::Key_Return);
    EXPECT_EQ(jumps, 0);
    window.List()->setCurrentItem(window.List()->topLevelItem(1));
    QTest::keyClick(window.List(), Qt::Key_Return);
    EXPECT_EQ(jumps, 1);
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace tq530::guitest
