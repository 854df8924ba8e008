// The keys of the main window: the menus' access keys against the screens' field captions on
// every screen, the standard shortcuts beside the window's own keys, and the model choice's
// input check.
#include <QLineEdit>
#include <QMenuBar>
#include <QTabWidget>
#include <set>

#include "core/workspace.h"
#include "editor/screen_tree.h"
#include "gui/report_support.h"
#include "gui/shell_fixture.h"
#include "model/screen_keys.h"
#include "window/screens/editor_panel.h"
#include "window/screens/field_edit.h"
#include "window/transfer_dialog.h"

namespace tq530::guitest {
namespace {

using MenuKeysTest = ShellTest;

// One node of each kind of screen; EXP channels count apart (their frequency boxes are open).
std::vector<std::string> OneNodePerScreen(const Workspace& ws) {
    std::vector<std::string> keys;
    std::set<std::pair<int, bool>> seen;
    const std::vector<TreeNode> nodes = BuildScreenTree(ws.Model, ws.AtisEnabled);
    for (const TreeNode& node : nodes) {
        const std::string parent = node.Parent < 0 ? std::string() : nodes[node.Parent].Key;
        const ScreenTarget target = ScreenOf(node.Key, parent, ws.Model);
        if (seen.insert({static_cast<int>(target.Kind), target.Plan == PlanId::Exp}).second) {
            keys.push_back(node.Key);
        }
    }
    return keys;
}

// The menus the bar shows, by their access key.
std::vector<std::pair<Qt::Key, QMenu*>> MenusByKey(QMainWindow& window) {
    std::vector<std::pair<Qt::Key, QMenu*>> menus;
    for (QAction* action : window.menuBar()->actions()) {
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        if (action->menu() != nullptr && action->isVisible() && action->isEnabled() &&
            !key.isEmpty()) {
            menus.emplace_back(key[0].key(), action->menu());
        }
    }
    return menus;
}

// The key of the screen of the first enabled USA channel, whose fields are all open.
std::string OpenChannel(const Workspace& ws) {
    int index = 0;
    while (index + 1 < static_cast<int>(ws.Model.Usa.size()) && ws.Model.Usa[index].Enable == 0) {
        ++index;
    }
    return ChannelKey(PlanId::Usa, index);
}

const char* FocusClass() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->metaObject()->className() : "nothing";
}

// Presses Alt+key where the focus is, as a person at the keyboard.
void AltKey(QWidget& window, Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : &window, key, Qt::AltModifier);
}

bool OpensAndCloses(QMainWindow& window, QMenu* menu, Qt::Key key) {
    AltKey(window, key);
    const bool opened = QTest::qWaitFor([menu] { return menu->isVisible(); }, 500);
    menu->close();
    window.menuBar()->setActiveAction(nullptr);
    // The test platform leaves the closed popup the active window.
    QApplication::setActiveWindow(&window);
    return opened && QTest::qWaitFor([menu] { return !menu->isVisible(); }, 500);
}

// Every page a screen shows by itself or behind its tabs.
void ForEachPage(QWidget* screenArea, const std::function<void(const QString&)>& check) {
    QTabWidget* tabs = nullptr;
    for (QTabWidget* candidate : screenArea->findChildren<QTabWidget*>()) {
        if (candidate->isVisible()) {
            tabs = candidate;
        }
    }
    if (tabs == nullptr) {
        check(QString());
        return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        check(tabs->tabText(i));
    }
}

TEST_F(MenuKeysTest, EveryMenuOpensOnTheFirstAltPressOnEveryScreen) {
    // A destination file, so that the Destination menu is there to open; not the remembered
    // one, so that the built-in data stay.
    testing::WriteFile(dir.File("EUR_17E8.ini"), DestinationBytes());
    StartWith(kTwoModels);
    // Every plan on, and the channel each plan's screen is tried on enabled and complete, so
    // that all its fields (and their captions' keys) are live.
    SettingsModel& model = Ws().Model;
    for (UsableGroup& group : model.UsableGroups) {
        group.Usable = kOn;
    }
    for (ChannelPlan* plan : {&model.Usa, &model.International, &model.Canada}) {
        (*plan)[0].Enable = kOn;
    }
    model.Exp[0].Enable = kOn;
    model.Exp[0].Rxfreq = model.Exp[0].Txfreq = 156.05;
    model.Exp[0].CHDisplayL = "91";
    Window().Editor()->RebuildTree();
    const SettingsModel before = Ws().Model;
    const auto menus = MenusByKey(Window());
    ASSERT_EQ(menus.size(), 6u);
    for (const std::string& key : OneNodePerScreen(Ws())) {
        Window().Editor()->SelectNode(key);
        ASSERT_EQ(Window().Editor()->ShownKey(), key);
        ForEachPage(Window().Editor()->ScreenArea(), [&](const QString& page) {
            // Twice each: two owners of one key would take turns.
            for (int press = 0; press < 2; ++press) {
                for (const auto& [letter, menu] : menus) {
                    EXPECT_TRUE(OpensAndCloses(Window(), menu, letter))
                        << key << " " << page.toStdString() << ": " << menu->title().toStdString()
                        << " press " << press + 1 << ", focus in " << FocusClass();
                }
            }
        });
    }
    // A caption that lost the press to a menu changed nothing.
    EXPECT_EQ(Ws().Model, before);
    EXPECT_FALSE(Ws().DataChanged);
}

TEST_F(MenuKeysTest, CaptionsKeepTheLettersNoMenuUses) {
    StartWith(kOneModel);
    Window().Editor()->SelectNode(OpenChannel(Ws()));
    Window().Editor()->Tree()->setFocus();
    AltKey(Window(), Qt::Key_N);  // "CH &Name"
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->property(kHintProperty).toString(), QString::fromLatin1(hint::kChannelName));

    // From inside a text box the menus' letters still open the menus.
    AltKey(Window(), Qt::Key_T);
    QMenu* transfer = MenuTitled(Window(), "&Transfer");
    EXPECT_TRUE(QTest::qWaitFor([transfer] { return transfer->isVisible(); }, 500));
    transfer->hide();
}

TEST_F(MenuKeysTest, AltTThenROnAChannelScreenOpensTheReadDialog) {
    StartWith(kOneModel);
    Window().Editor()->SelectNode(OpenChannel(Ws()));
    Window().Editor()->Tree()->setFocus();
    QString opened;
    // The dialog is modal: look at it and close it from the event loop it runs.
    std::function<void()> closeDialog = [&] {
        auto* dialog = qobject_cast<TransferDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QTimer::singleShot(10, closeDialog);
            return;
        }
        opened = dialog->windowTitle();
        static_cast<QDialog*>(dialog)->reject();
    };
    // A second look at the menu, as after a change of mind: each press must open it.
    QMenu* transfer = MenuTitled(Window(), "&Transfer");
    ASSERT_TRUE(OpensAndCloses(Window(), transfer, Qt::Key_T));
    QTimer::singleShot(10, closeDialog);
    AltKey(Window(), Qt::Key_T);
    ASSERT_TRUE(QTest::qWaitFor([transfer] { return transfer->isVisible(); }, 500));
    QTest::keyClick(transfer, Qt::Key_R);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 2000));
    EXPECT_EQ(opened, "Read from Radio");
}

TEST_F(MenuKeysTest, StandardKeysRunTheirCommandsBesideTheWindowsOwnKeys) {
    StartWith(kOneModel);
    // No key may have two owners in the window: the second would never be reached.
    std::map<QString, QStringList> owners;
    for (QAction* action : Window().findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            owners[key.toString()] << action->text();
        }
    }
    for (const auto& [key, texts] : owners) {
        EXPECT_EQ(texts.size(), 1) << key.toStdString() << ": " << texts.join(", ").toStdString();
    }
    for (const char* key : {"Ctrl+F2", "Ctrl+F3", "F1", "Ctrl+Z"}) {
        EXPECT_EQ(owners.count(QString::fromLatin1(key)), 1u) << key;
    }

    // From a text box of a screen, as a person editing would press them.
    Window().Editor()->SelectNode(OpenChannel(Ws()));
    Window().Editor()->Tree()->setFocus();
    AltKey(Window(), Qt::Key_N);
    ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
    // Each command has the desktop's keys for it, whatever they are here, and some key.
    const auto press = [this](Command command, QKeySequence::StandardKey standard) {
        const QList<QKeySequence> keys = Window().ActionOf(command)->shortcuts();
        for (const QKeySequence& key : QKeySequence::keyBindings(standard)) {
            EXPECT_TRUE(keys.contains(key)) << key.toString().toStdString();
        }
        ASSERT_FALSE(keys.isEmpty());
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus != nullptr ? focus : &Window(), keys.first());
    };
    press(Command::Open, QKeySequence::Open);
    EXPECT_EQ(dialogs.Kinds, std::vector<std::string>{"open"});
    const std::string saved = dir.File("saved.dat");
    dialogs.Paths = {saved};
    press(Command::Save, QKeySequence::Save);
    EXPECT_EQ(Ws().CurrentFileName, saved);
    press(Command::SaveAs, QKeySequence::SaveAs);
    EXPECT_EQ(dialogs.Kinds, (std::vector<std::string>{"open", "save", "save"}));
    int printed = 0;
    Window().SetPrinterChooser([&printed](QPrinter&) {
        ++printed;
        return false;
    });
    press(Command::Print, QKeySequence::Print);
    EXPECT_EQ(printed, 1);
    Ws().DataChanged = true;
    press(Command::New, QKeySequence::New);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Ws().DataChanged; }, 2000));
    press(Command::Exit, QKeySequence::Quit);
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(MenuKeysTest, AModelChoiceRunsFileNewWithItsInputCheck) {
    StartWith(kTwoModels);
    Ws().Model.UsableGroups[3].Usable = kOn;
    Ws().Model.Exp[0] = ChannelRec{};
    Ws().Model.Exp[0].Enable = kOn;  // enabled, with no frequency: incomplete
    Window().Editor()->RebuildTree();
    Window().Editor()->SelectNode(ChannelKey(PlanId::Exp, 1));
    ASSERT_EQ(Window().Editor()->ShownKey(), ChannelKey(PlanId::Exp, 1));
    const SettingsModel before = Ws().Model;
    QList<QAction*> entries = Window().ModelMenu()->actions();

    // The question and the model come first; File New's check then keeps the data set.
    boxes.Next(QMessageBox::Ok);
    boxes.Next(QMessageBox::Ok);
    entries[1]->trigger();
    QTest::qWait(300);
    ASSERT_TRUE(boxes.Done());
    ASSERT_EQ(boxes.Seen.size(), 2u);
    EXPECT_TRUE(boxes.Seen[0].Text.startsWith("Do you want to program the "));
    EXPECT_EQ(boxes.Seen[1].Text, "Data Error!!\nPlease input correct data.");
    EXPECT_EQ(Ws().ModelType, 2);
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isChecked());
    EXPECT_EQ(Ws().Model, before);
    EXPECT_EQ(Window().Editor()->ShownKey(), ChannelKey(PlanId::Exp, 1));
    EXPECT_EQ(store.GetText("Settings", "lastmodel", ""), "2");

    // The model already chosen is no change: nothing is checked or asked.
    entries[1]->trigger();
    QTest::qWait(50);
    EXPECT_EQ(boxes.Seen.size(), 2u);

    // With the channel completed, the next choice renews the data set.
    Ws().Model.Exp[0].Enable = kOff;
    Ws().Model.Exp[0].ChTag = "MARKER";
    Window().Editor()->RebuildTree();
    Window().Editor()->SelectNode(ChannelKey(PlanId::Usa, 1));
    boxes.Next(QMessageBox::Ok);
    entries[0]->trigger();
    QTest::qWait(800);
    EXPECT_EQ(Ws().ModelType, 1);
    EXPECT_NE(Ws().Model.Exp[0].ChTag, "MARKER");
    EXPECT_EQ(Window().Editor()->ShownKey(), key::kGeneral);
}

}  // namespace
}  // namespace tq530::guitest
