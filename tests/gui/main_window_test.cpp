#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "core/workspace.h"
#include "editor/screen_tree.h"
#include "files/settings_file.h"
#include "gui/shell_fixture.h"
#include "window/screens/editor_panel.h"
#include "window/screens/field_edit.h"

namespace tq530::guitest {
namespace {

const QString kCaption = QStringLiteral("TQ530  PC Program for NR6120");

// Types a channel name on the screen of the first enabled USA channel, as a user editing a
// channel; returns its index.
int EditChannelName(MainWindow& window, const Workspace& ws, const QString& name) {
    const int index = FirstEnabledUsa(ws.Model);
    window.Editor()->SelectNode(ChannelKey(PlanId::Usa, index));
    FieldEdit* field = ChannelNameBox(window);
    EXPECT_TRUE(field != nullptr && field->isEnabled());
    if (field != nullptr) {
        QTest::mouseClick(field, Qt::LeftButton);
        QApplication::processEvents();  // the box selects its text once the click is done
        QTest::keyClicks(field, name);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    return index;
}

using MainWindowTest = ShellTest;

TEST_F(MainWindowTest, StartsAtItsMinimumSizeWithTheTreeAtThirtyPercent) {
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    EXPECT_EQ(Caption(), kCaption);
    EXPECT_EQ(Window().minimumSize(), QSize(607, 444));
    EXPECT_EQ(Window().size(), QSize(607, 444));
    const QList<int> sizes = Window().Splitter()->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_NEAR(sizes[0], 0.3 * (sizes[0] + sizes[1]), 8);
    Window().resize(1000, 700);
    QApplication::processEvents();
    const QList<int> wider = Window().Splitter()->sizes();
    EXPECT_NEAR(wider[0], 300, 8);
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");
    EXPECT_FALSE(Ws().DataChanged);
}

// What the menus show depends on what is installed and on the switches; the captions and
// access keys themselves are used by the tests that work through the menus.
TEST_F(MainWindowTest, OneModelWithoutSwitchesShowsNoModelListHexdumpOrHelp) {
    StartWith(kOneModel);
    EXPECT_TRUE(Window().PortMenu()->actions()[0]->isChecked());  // ComNum 1 when none stored
    EXPECT_TRUE(MenuTitled(Window(), "&Edit")->menuAction()->isVisible());  // Undo and Redo
    EXPECT_FALSE(Window().ModelMenu()->menuAction()->isVisible());
    EXPECT_FALSE(Window().ActionOf(Command::Hexdump)->isVisible());
    EXPECT_TRUE(Window().HexDump()->isHidden());
    // This program folder has no help file: only Contents is off.
    EXPECT_FALSE(Window().ActionOf(Command::HelpContents)->isEnabled());
    EXPECT_TRUE(Window().ActionOf(Command::About)->isEnabled());

    // The toolbar keeps places for a second Program and Read button, hidden.
    QStringList shown;
    for (QAction* place : Window().ToolBar()->actions()) {
        if (!place->isSeparator() && place->isVisible()) {
            shown << place->objectName();
        }
    }
    EXPECT_EQ(shown, (QStringList{"New", "Open", "Save", "Print", "Program", "Read"}));
}

TEST_F(MainWindowTest, SaveAsThroughTheFileMenuWritesTheFileAndNamesItInTheCaption) {
    StartWith(kOneModel);
    const std::string path = dir.File("Boat.DAT");
    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_A);
    EXPECT_EQ(dialogs.Asked, 1);
    EXPECT_EQ(dialogs.Filters.back(), kSettingsFileFilter);
    ASSERT_TRUE(testing::Exists(path));
    EXPECT_EQ(testing::ReadFile(path).rfind("[MAIN]\r\n", 0), 0u);
    EXPECT_EQ(Caption(), kCaption + " - boat.dat");

    // A plain Save goes to the same file without asking.
    testing::WriteFile(path, "");
    UseMenu(Window(), "&File", Qt::Key_S);
    EXPECT_EQ(dialogs.Asked, 1);
    EXPECT_FALSE(testing::ReadFile(path).empty());

    // Save As again, cancelled: the file and the caption stay.
    UseMenu(Window(), "&File", Qt::Key_A);
    EXPECT_EQ(dialogs.Asked, 2);
    EXPECT_TRUE(Ws().CancelRequested);
    EXPECT_EQ(Caption(), kCaption + " - boat.dat");
}

TEST_F(MainWindowTest, OpenLoadsTheSavedEditNewThrowsItAwayAndUndoTakesTheOpenBack) {
    StartWith(kOneModel);
    const size_t edited = static_cast<size_t>(EditChannelName(Window(), Ws(), "HARBOR"));
    ASSERT_EQ(Ws().Model.Usa[edited].ChTag, "HARBOR");
    EXPECT_TRUE(Ws().DataChanged);
    const std::string path = dir.File("harbor.dat");
    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_A);
    ASSERT_TRUE(testing::Exists(path));

    UseMenu(Window(), "&File", Qt::Key_N);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Caption() == kCaption; }, 2000));
    EXPECT_NE(Ws().Model.Usa[edited].ChTag, "HARBOR");
    EXPECT_FALSE(Ws().DataChanged);
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");

    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_O);
    EXPECT_EQ(dialogs.Kinds.back(), "open");  // a settings file need not exist to be asked for
    EXPECT_EQ(Ws().Model.Usa[edited].ChTag, "HARBOR");
    EXPECT_EQ(Caption(), kCaption + " - harbor.dat");
    EXPECT_FALSE(Ws().DataChanged);  // loading leaves it as it was

    // Undone, the Open takes its file name back out of the caption.
    Window().ActionOf(Command::Undo)->trigger();
    EXPECT_NE(Ws().Model.Usa[edited].ChTag, "HARBOR");
    EXPECT_EQ(Caption(), kCaption);
}

TEST_F(MainWindowTest, OpenShowsTheLoadedChannelsInTheTree) {
    StartWith(kOneModel);
    const std::string path = dir.File("enabled.dat");
    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_A);
    std::string text = testing::ReadFile(path);
    const std::string first = "[CHUSA0]\r\nPosition=0\r\nEnable=";
    const size_t at = text.find(first);
    ASSERT_NE(at, std::string::npos);
    const bool wasOn = text[at + first.size()] == '1';
    text[at + first.size()] = wasOn ? '0' : '1';
    testing::WriteFile(path, text);

    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_O);
    ASSERT_EQ(Ws().Model.Usa[0].Enable != 0, !wasOn);
    auto* tree = qobject_cast<QTreeWidget*>(Window().Editor()->Tree());
    ASSERT_NE(tree, nullptr);
    const QList<QTreeWidgetItem*> found =
        tree->findItems(QStringLiteral("CH01"), Qt::MatchStartsWith | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(found.front()->text(0).endsWith(QStringLiteral("[Enable]")), !wasOn);
}

TEST_F(MainWindowTest, OpenOfAnotherModelsFileLeavesTheDefaultsAndNoFileName) {
    StartWith(kOneModel);
    const std::string path = dir.File("other.dat");
    testing::WriteFile(path, "[MAIN]\r\nMODELTYPE=11\r\n");
    dialogs.Paths = {dir.File("first.dat")};
    UseMenu(Window(), "&File", Qt::Key_A);
    ASSERT_EQ(Caption(), kCaption + " - first.dat");

    dialogs.Paths = {path};
    boxes.Next(QMessageBox::Ok);
    UseMenu(Window(), "&File", Qt::Key_O);
    ASSERT_TRUE(boxes.Done());
    EXPECT_EQ(boxes.Seen[0].Text, "ModelType Error !!");
    EXPECT_EQ(Caption(), kCaption);
}

TEST_F(MainWindowTest, ExitWithUnchangedDataAsksNothingAndKeepsTheGeometry) {
    StartWith(kOneModel);
    UseMenu(Window(), "&File", Qt::Key_X);
    EXPECT_FALSE(Window().isVisible());
    EXPECT_TRUE(boxes.Seen.empty());
    EXPECT_EQ(store.GetText("Settings", "MainWidth", ""),
              std::to_string(Window().frameGeometry().width() * 15));
    EXPECT_EQ(store.GetText("Settings", "MainHeight", ""),
              std::to_string(Window().frameGeometry().height() * 15));
    EXPECT_TRUE(store.Has("Settings", "MainLeft"));
    EXPECT_TRUE(store.Has("Settings", "MainTop"));
}

TEST_F(MainWindowTest, ExitClosesTheOtherWindowsAndAMinimizedWindowKeepsNoGeometry) {
    StartWith(kOneModel);
    QWidget other;
    other.show();
    Window().setWindowState(Qt::WindowMinimized);
    Window().close();
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(store.Has("Settings", "MainWidth"));
}

TEST_F(MainWindowTest, ExitQuestionCancelStaysNoDiscardsYesSaves) {
    StartWith(kOneModel);
    const std::string path = dir.File("exit.dat");
    dialogs.Paths = {path};
    UseMenu(Window(), "&File", Qt::Key_A);
    testing::WriteFile(path, "before");
    EditChannelName(Window(), Ws(), "ANCHOR");
    ASSERT_TRUE(Ws().DataChanged);

    boxes.Next(QMessageBox::Cancel);
    UseMenu(Window(), "&File", Qt::Key_X);
    ASSERT_TRUE(boxes.Done());
    EXPECT_EQ(boxes.Seen[0].Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(testing::ReadFile(path), "before");
    EXPECT_FALSE(store.Has("Settings", "MainWidth"));

    boxes.Next(QMessageBox::Yes);
    UseMenu(Window(), "&File", Qt::Key_X);
    ASSERT_TRUE(boxes.Done());
    EXPECT_FALSE(Window().isVisible());
    EXPECT_NE(testing::ReadFile(path).find("ChTag=#ANCHOR"), std::string::npos);
    EXPECT_EQ(Caption(), kCaption + " - exit.dat");
    EXPECT_TRUE(store.Has("Settings", "MainWidth"));
}

TEST_F(MainWindowTest, ExitQuestionYesWithACancelledSaveDialogStays) {
    StartWith(kOneModel);
    EditChannelName(Window(), Ws(), "DOCK");
    boxes.Next(QMessageBox::Yes);
    Window().close();  // the close box
    ASSERT_TRUE(boxes.Done());
    EXPECT_EQ(dialogs.Asked, 1);
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(Caption(), kCaption);
}

TEST_F(MainWindowTest, ImageFileKeysAnswerOnlyInDiagnosticMode) {
    StartWith(kOneModel);
    dialogs.Paths = {dir.File("x.hex")};
    QTest::keyClick(&Window(), Qt::Key_F3, Qt::ControlModifier);
    QTest::keyClick(&Window(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Asked, 0);
}

TEST_F(MainWindowTest, DiagnosticModeSavesAndLoadsImageFilesAndShowsTheHexDump) {
    StartWith(kOneModel, " /d ");
    ASSERT_TRUE(started);
    EXPECT_TRUE(Ws().DiagnosticMode);
    QAction* hexdump = Window().ActionOf(Command::Hexdump);
    EXPECT_TRUE(hexdump->isVisible());
    EXPECT_TRUE(Window().HexDump()->isHidden());
    hexdump->trigger();
    EXPECT_FALSE(Window().HexDump()->isHidden());
    ASSERT_EQ(Window().HexDump()->count(), 2 + 512);
    EXPECT_TRUE(Window().HexDump()->item(2)->text().startsWith(" 0000: 17 E8"));

    const std::string path = dir.File("Radio.HEX");
    dialogs.Paths = {path};
    QTest::keyClick(&Window(), Qt::Key_F3, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Asked, 1);
    EXPECT_TRUE(testing::Exists(path));
    EXPECT_EQ(Caption(), kCaption);  // an image save names no current file

    EditChannelName(Window(), Ws(), "X");
    dialogs.Paths = {path};
    QTest::keyClick(&Window(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Asked, 2);
    EXPECT_EQ(dialogs.Kinds, (std::vector<std::string>{"save", "existing"}));
    EXPECT_EQ(Caption(), kCaption + " - radio.hex");
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");
}

TEST_F(MainWindowTest, ModelMenuOffersTheInstalledModelsAndAsksBeforeAChange) {
    StartWith(kTwoModels);
    EXPECT_TRUE(MenuTitled(Window(), "&Edit")->menuAction()->isVisible());
    EXPECT_EQ(Ws().ModelType, 1);  // "lastmodel" is 1 when the user never chose
    QList<QAction*> entries = Window().ModelMenu()->actions();
    ASSERT_EQ(entries.size(), 10);
    EXPECT_EQ(entries[0]->text(), "NR6120");
    EXPECT_TRUE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isVisible());  // offered, with the model table's empty caption
    EXPECT_FALSE(entries[1]->isChecked());
    EXPECT_FALSE(entries[2]->isVisible());

    boxes.Next(QMessageBox::Cancel);
    entries[1]->trigger();
    ASSERT_TRUE(boxes.Done());
    EXPECT_EQ(boxes.Seen[0].Default, QMessageBox::Ok);
    EXPECT_TRUE(entries[0]->isChecked());
    EXPECT_FALSE(entries[1]->isChecked());

    EditChannelName(Window(), Ws(), "LOST");
    boxes.Next(QMessageBox::Ok);
    entries[1]->trigger();
    ASSERT_TRUE(boxes.Done());
    EXPECT_TRUE(entries[1]->isChecked());
    EXPECT_EQ(Caption(), "TQ530  PC Program for Unknown model");
    QTest::qWait(800);  // File New's pause
    EXPECT_EQ(Window().Editor()->ShownKey(), "General");
}

TEST_F(MainWindowTest, NoModelInGlobalIniSaysSoAndStartsNoWindow) {
    boxes.Next(QMessageBox::Ok);
    StartWith("");
    EXPECT_FALSE(started);
    ASSERT_TRUE(boxes.Done());
    EXPECT_EQ(boxes.Seen[0].Text, "Unknown model!!");
    EXPECT_EQ(shell->Window(), nullptr);
}

}  // namespace
}  // namespace tq530::guitest
