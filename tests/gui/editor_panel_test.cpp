#include <gtest/gtest.h>

#include <QSplitter>
#include <QTreeWidget>

#include "core/workspace.h"
#include "editor/qt/editor_panel.h"
#include "support/recording_host.h"

namespace tq530 {
namespace {

TEST(EditorPanelTest, StartsOnGeneral) {
    Workspace ws;
    testing::RecordingHost host;
    QSplitter splitter;
    EditorPanel panel(ws, host, &splitter);
    EXPECT_EQ(panel.ShownKey(), "General");
    auto* tree = qobject_cast<QTreeWidget*>(panel.Tree());
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("General"));
}

}  // namespace
}  // namespace tq530
