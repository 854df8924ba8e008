// What the status bar and the tree show as the operator moves about: the hint of the focused
// field after any way of getting there, the highlight of the shown node, a steady weather
// grid, and long texts that a narrow window cannot show whole.
#include <QHelpEvent>
#include <QLabel>
#include <QTableView>
#include <QToolTip>

#include "editor/screen_tree.h"
#include "gui/editor_fixture.h"
#include "gui/shell_fixture.h"
#include "window/screens/weather_screen.h"

namespace tq530::testing {
namespace {

class StatusHintsTest : public EditorFixture {
  protected:
    // The hint the focused control of the panel stands for.
    static QString FocusedHint() {
        QWidget* focus = QApplication::focusWidget();
        return focus == nullptr ? QString() : focus->property(kHintProperty).toString();
    }

    // Hovers over the node's text and answers the tip that shows, empty when none does.
    QString TipOver(const std::string& key) {
        QTreeWidgetItem* item = Item(key);
        EXPECT_NE(item, nullptr) << key;
        if (item == nullptr) {
            return {};
        }
        QToolTip::hideText();  // a tip goes after a short delay
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
        for (QTreeWidgetItem* p = item->parent(); p != nullptr; p = p->parent()) {
            p->setExpanded(true);
        }
        TreeView()->scrollToItem(item);
        Settle();
        const QPoint pos = TreeView()->visualItemRect(item).center();
        QHelpEvent help(QEvent::ToolTip, pos, TreeView()->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(TreeView()->viewport(), &help);
        Settle();
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

TEST_F(StatusHintsTest, AJumpFromAGridRowShowsTheHintOfTheFieldThatHasTheFocus) {
    Make(true);
    ClickNode("ExpChannel");
    auto* grid = Screens()->findChild<QTableView*>();
    ASSERT_NE(grid, nullptr);
    grid->setFocus();
    grid->selectRow(0);
    Settle();
    EXPECT_EQ(bar->currentMessage().toStdString(), hint::kGrid);
    QTest::keyClick(grid, Qt::Key_Return);
    Settle();
    ASSERT_EQ(panel->ShownKey(), "E 1");
    // The grid went with its screen: the focus is on a control of the channel screen.
    ASSERT_TRUE(Channel()->isAncestorOf(QApplication::focusWidget()));
    EXPECT_FALSE(FocusedHint().isEmpty());
    EXPECT_EQ(bar->currentMessage(), FocusedHint());
    // From the tree a screen is shown with the tree's hint, the focus staying in the tree.
    ClickNode("Common");
    EXPECT_EQ(bar->currentMessage().toStdString(), hint::kTree);
}

TEST_F(StatusHintsTest, TheShownNodeStaysHighlightedWhateverIsClickedInTheTree) {
    Make(true);
    ClickNode("Common");
    QTreeWidgetItem* common = Item("Common");
    ASSERT_TRUE(common->isSelected());
    QWidget* viewport = TreeView()->viewport();
    const QPoint below(10, viewport->height() - 4);
    ASSERT_EQ(TreeView()->itemAt(below), nullptr) << "the tree has room below its last node";
    QTest::mouseClick(viewport, Qt::LeftButton, {}, below);
    Settle();
    EXPECT_TRUE(common->isSelected());
    // A Ctrl+click on the selected node would toggle it off.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier,
                      TreeView()->visualItemRect(common).center());
    Settle();
    EXPECT_TRUE(common->isSelected());
    EXPECT_EQ(panel->ShownKey(), "Common");
    EXPECT_EQ(TreeView()->selectedItems().size(), 1);
}

TEST_F(StatusHintsTest, TheWeatherNamesStayPutWhileABoxShowsTheFocusMark) {
    Make(true, [](SettingsModel& m) {
        for (ChannelRec& ch : m.Wx) {
            ch.Enable = kOn;
        }
    });
    ClickNode("PW");
    auto* weather = Screen<WeatherScreen>();
    ASSERT_NE(weather, nullptr);
    const QList<QCheckBox*> boxes = weather->findChildren<QCheckBox*>();
    const QList<FieldEdit*> names = weather->findChildren<FieldEdit*>();
    ASSERT_GE(boxes.size(), 2);
    ASSERT_FALSE(names.isEmpty());
    const int x = names.front()->x();
    for (QCheckBox* box : {boxes[0], boxes[1]}) {  // the first row's enable and scan boxes
        box->setFocus(Qt::TabFocusReason);
        Settle();
        ASSERT_EQ(box->text(), QStringLiteral(">"));
        EXPECT_EQ(names.front()->x(), x);
    }
    names.front()->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(boxes[1]->text(), QStringLiteral(" "));
    EXPECT_EQ(names.front()->x(), x);
}

TEST_F(StatusHintsTest, ANodeTextThatTheNarrowTreeCutsOffShowsWholeAsATip) {
    Make(true, [](SettingsModel& m) { m.MemoryIds[0].Enable = kOn; });
    window->resize(607, 444);
    qobject_cast<QSplitter*>(window->centralWidget())->setSizes({150, 457});
    Settle();
    EXPECT_EQ(TipOver("Usable").toStdString(), "Usable CH Group Setup");
    EXPECT_EQ(TipOver("SM 1").toStdString(), "Memory ID1[Enable]");
    EXPECT_EQ(TipOver("DSC"), QString()) << "a text that fits has no tip";
}

using NoticeTest = guitest::ShellTest;

TEST_F(NoticeTest, ALongNoticeLeavesTheHintsRoomAndHoldsItsWholeTextInItsTip) {
    StartWith(guitest::kOneModel);
    ASSERT_TRUE(started);
    ASSERT_EQ(Window().size(), QSize(607, 444));
    auto* notice = Window().findChild<QLabel*>(QStringLiteral("Notice"));
    ASSERT_NE(notice, nullptr);
    const QString text = QStringLiteral(
        "The backup of this read could not be kept: /home/operator/.local/share/TQ530/backups/"
        "NR6120-2026-12-07-044512.hex (No space left on device)");
    Window().SetNotice(text);
    QStatusBar* status = Window().statusBar();
    status->showMessage(QStringLiteral("[Up]/[Down]/[Left]/[Right]:Change of a Selection item."));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_LE(notice->width(), status->width() / 2);
    EXPECT_EQ(notice->text(), text);
    EXPECT_EQ(notice->toolTip(), text);
    // With no hint shown, a notice that fits the bar is not cut.
    status->clearMessage();
    const QString simulator = QStringLiteral("COM1: radio simulator on /dev/pts/0 (TQ530_COM1)");
    Window().SetNotice(simulator);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(notice->toolTip(), QString());
    // A short notice fits and needs no tip.
    Window().SetNotice(QStringLiteral("Simulated radio on COM1"));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(notice->toolTip(), QString());
}

}  // namespace
}  // namespace tq530::testing
