// Edit > Undo and Redo in the started window program: the menu, the keys,, the labels each
// channel control gives its step, and a model change that starts a new history.
#include <QCheckBox>
#include <QComboBox>
#include <functional>

#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "gui/shell_fixture.h"
#include "window/screens/channel_screen.h"
#include "window/screens/editor_panel.h"
#include "window/screens/field_edit.h"

namespace tq530::guitest {
namespace {

class UndoMenuTest : public ShellTest {
  protected:
    QMenu* EditMenu() { return MenuTitled(Window(), QStringLiteral("&Edit")); }
    QAction* UndoAction() { return Window().ActionOf(Command::Undo); }
    QAction* RedoAction() { return Window().ActionOf(Command::Redo); }
    ChannelScreen* Channel() { return Window().findChild<ChannelScreen*>(); }
    // The first enabled USA channel from index on: its screen's boxes may be used.
    int EnabledChannel(int from) {
        int i = from;
        while (i + 1 < static_cast<int>(Ws().Model.Usa.size()) && Ws().Model.Usa[i].Enable == 0) {
            ++i;
        }
        return i;
    }

    // A key of the window; a closed menu may have left no window active offscreen.
    void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers mods) {
        QApplication::setActiveWindow(&Window());
        QTest::keyClick(to, key, mods);
        QApplication::processEvents();
    }
    void Show(const std::string& key) {
        Window().Editor()->SelectNode(key);
        QApplication::processEvents();
    }
    void ClickBox(QWidget* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QApplication::processEvents();
    }
    // Replaces the box's text as a person would; leave tabs out of it afterwards.
    void Type(FieldEdit* box, const char* text, bool leave = false) {
        ClickBox(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QString::fromLatin1(text));
        if (leave) {
            Key(box, Qt::Key_Tab, Qt::NoModifier);
        }
        QApplication::processEvents();
    }
    // Opens the Edit menu and presses an access key, as a person would.
    void UseEdit(Qt::Key accessKey) { UseMenu(Window(), QStringLiteral("&Edit"), accessKey); }
};

TEST_F(UndoMenuTest, ANewUserUndoesThreeEditsWithTheKeysAndTheMenu) {
    StartWith(kOneModel);
    const SettingsModel start = Ws().Model;
    const int a = EnabledChannel(0);
    const int b = EnabledChannel(a + 1);
    const std::string first = ChannelKey(PlanId::Usa, a);
    const std::string second = ChannelKey(PlanId::Usa, b);
    EXPECT_EQ(EditMenu()->actions().front(), UndoAction());
    EXPECT_FALSE(UndoAction()->isEnabled());

    Show(first);
    ClickBox(Channel()->ScanMemory());
    Show(second);
    ClickBox(Channel()->ScanMemory());
    Type(Channel()->ChName(), "BRIDGE");
    ASSERT_EQ(Ws().Model.Usa[b].ChTag, "BRIDGE");
    EXPECT_EQ(UndoAction()->text(), "&Undo CH Name");

    // Ctrl+Z with the focus still in the name box is the editor's undo, not the box's.
    ASSERT_TRUE(Channel()->ChName()->hasFocus());
    Key(Channel()->ChName(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Channel()->ChName()->Latin1Text(), start.Usa[b].ChTag);
    EXPECT_EQ(UndoAction()->text(), "&Undo Scan Memory");
    EXPECT_EQ(RedoAction()->text(), "&Redo CH Name");

    UseEdit(Qt::Key_U);
    EXPECT_EQ(Ws().Model.Usa[b].ScanMemory, start.Usa[b].ScanMemory);
    EXPECT_EQ(Window().Editor()->ShownKey(), second);

    Key(&Window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Window().Editor()->ShownKey(), first);
    EXPECT_EQ(Ws().Model, start);
    EXPECT_FALSE(UndoAction()->isEnabled());
    EXPECT_EQ(UndoAction()->text(), "&Undo");

    // Both redo keys and the menu make them again.
    Key(&Window(), Qt::Key_Y, Qt::ControlModifier);
    Key(&Window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    UseEdit(Qt::Key_R);
    EXPECT_EQ(Ws().Model.Usa[b].ChTag, "BRIDGE");
    EXPECT_EQ(Window().Editor()->ShownKey(), second);
    EXPECT_FALSE(RedoAction()->isEnabled());
}

// Each control of the channel screen names its own step: Edit > Undo reads "Undo " and the
// control's caption, whichever record field the control stores.
TEST_F(UndoMenuTest, EveryChannelControlNamesItsUndoStepByItsCaption) {
    StartWith(kOneModel);
    Ws().ScrambleFeature = true;
    // A preset channel where every box can be used, Low Power Only off so that Power Up opens
    // when it is ticked; and an EXP channel that is switched off, in a tree that shows it.
    int preset = -1;
    for (size_t i = 0; i < Ws().Model.Usa.size() && preset < 0; ++i) {
        ChannelRec& ch = Ws().Model.Usa[i];
        if (ch.Enable && ch.TxEnable && !ch.RxOnly && ch.DuplexAllowed && ch.Position != 32) {
            ch.LowPower = kOff;
            preset = static_cast<int>(i);
        }
    }
    ASSERT_GE(preset, 0);
    Ws().Model.UsableGroups[3].Usable = kOn;
    Ws().Model.Exp[0].Enable = kOff;
    Window().Editor()->RebuildTree();
    const struct {
        const char* Caption;
        std::string Node;
        std::function<void()> Act;
    } steps[] = {
        {"Low Power Only", ChannelKey(PlanId::Usa, preset),
         [this] { ClickBox(Channel()->LowPower()); }},
        {"Power Up", "", [this] { ClickBox(Channel()->PowerUp()); }},
        {"Duplex", "", [this] { ClickBox(Channel()->Duplex()); }},
        {"Scan Memory", "", [this] { ClickBox(Channel()->ScanMemory()); }},
        {"CH Name", "", [this] { Type(Channel()->ChName(), "PILOT"); }},
        {"Scrambler", "", [this] { Key(Channel()->Scrambler(), Qt::Key_Down, Qt::NoModifier); }},
        {"Tx Enable", "", [this] { ClickBox(Channel()->TxEnable()); }},
        {"CH Enable", "", [this] { ClickBox(Channel()->ChEnable()); }},
        {"CH Enable", ChannelKey(PlanId::Exp, 1), [this] { ClickBox(Channel()->ChEnable()); }},
        {"CH Display", "", [this] { Type(Channel()->DisplayFirst(), "12"); }},
        {"Rx Frequency", "", [this] { Type(Channel()->RxFrequency(), "137", true); }},
        {"Tx Frequency", "", [this] { Type(Channel()->TxFrequency(), "174", true); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Caption);
        if (!step.Node.empty()) {
            Show(step.Node);
            ASSERT_EQ(Window().Editor()->ShownKey(), step.Node);
        }
        const SettingsModel before = Ws().Model;
        step.Act();
        ASSERT_NE(Ws().Model, before) << "the control stored nothing";
        EXPECT_EQ(UndoAction()->text().toStdString(), std::string("&Undo ") + step.Caption);
    }
    // The labels follow the history back.
    Key(&Window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(UndoAction()->text(), "&Undo Rx Frequency");
    EXPECT_EQ(RedoAction()->text(), "&Redo Tx Frequency");
}

TEST_F(UndoMenuTest, AModelChangeStartsANewHistory) {
    StartWith(kTwoModels);
    Show(ChannelKey(PlanId::Usa, EnabledChannel(0)));
    ClickBox(Channel()->ScanMemory());
    ASSERT_TRUE(UndoAction()->isEnabled());
    boxes.Next(QMessageBox::Ok);
    Window().ModelMenu()->actions()[1]->trigger();
    ASSERT_TRUE(boxes.Done());
    ASSERT_EQ(Ws().ModelType, 2);
    QTest::qWait(800);  // File New's pause
    EXPECT_FALSE(UndoAction()->isEnabled());
    EXPECT_FALSE(Ws().DataChanged);
}

}  // namespace
}  // namespace tq530::guitest
