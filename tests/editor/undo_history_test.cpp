// The undo history on its own: order, the limit, merged typing and the clean point.
#include <gtest/gtest.h>

#include "editor/undo_history.h"

namespace tq530 {
namespace {

// A step whose states are told apart by the first USA channel's name.
UndoStep Step(const std::string& label, const std::string& before, const std::string& after,
              const std::string& mergeKey = "") {
    UndoStep step;
    step.Label = label;
    step.Screen = "screen of " + label;
    step.MergeKey = mergeKey;
    const auto model = [](const std::string& name) {
        SettingsModel m;
        m.Usa.resize(1);
        m.Usa[0].ChTag = name;
        return std::make_shared<const SettingsModel>(m);
    };
    step.Before.Model = model(before);
    step.After.Model = model(after);
    return step;
}

TEST(UndoHistoryTest, UndoesAndRedoesInOrderAndANewStepEndsTheRedos) {
    UndoHistory history;
    EXPECT_EQ(history.NextUndo(), nullptr);
    EXPECT_EQ(history.Undo(), nullptr);
    history.Record(Step("a", "0", "1"));
    history.Record(Step("b", "1", "2"));
    history.Record(Step("c", "2", "3"));

    ASSERT_NE(history.NextUndo(), nullptr);
    EXPECT_EQ(history.NextUndo()->Label, "c");
    EXPECT_EQ(history.Undo()->Before.Model->Usa[0].ChTag, "2");
    EXPECT_EQ(history.Undo()->Screen, "screen of b");
    EXPECT_EQ(history.NextRedo()->Label, "b");
    EXPECT_EQ(history.Redo()->After.Model->Usa[0].ChTag, "2");
    EXPECT_EQ(history.NextRedo()->Label, "c");

    history.Record(Step("d", "2", "4"));
    EXPECT_EQ(history.NextRedo(), nullptr);
    EXPECT_EQ(history.Size(), 3u);
    EXPECT_EQ(history.Undo()->Label, "d");
    EXPECT_EQ(history.Undo()->Label, "b");
    EXPECT_EQ(history.Undo()->Label, "a");
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.Redo()->Label, "a");
}

TEST(UndoHistoryTest, AStepSharesTheModelItStartsFromWithTheStepBefore) {
    UndoHistory history;
    history.Record(Step("a", "0", "1"));
    history.Record(Step("b", "1", "2"));
    history.Record(Step("c", "9", "3"));  // the data changed in between
    const UndoStep* c = history.Undo();
    const UndoStep* b = history.Undo();
    const UndoStep* a = history.Undo();
    EXPECT_EQ(b->Before.Model, a->After.Model);
    EXPECT_NE(c->Before.Model, b->After.Model);
    EXPECT_EQ(c->Before.Model->Usa[0].ChTag, "9");
}

TEST(UndoHistoryTest, KeepsTheNewestHundredSteps) {
    UndoHistory history;
    for (int i = 0; i < 150; ++i) {
        history.Record(Step("s" + std::to_string(i), std::to_string(i), std::to_string(i + 1)));
    }
    EXPECT_EQ(history.Size(), kUndoLimit);
    int undone = 0;
    const UndoStep* last = nullptr;
    while (const UndoStep* step = history.Undo()) {
        last = step;
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Label, "s50");
}

TEST(UndoHistoryTest, TypingInOneBoxIsOneStepUntilSealed) {
    UndoHistory history;
    history.Record(Step("name", "", "H", "ch1"));
    history.Record(Step("name", "H", "HA", "ch1"));
    history.Record(Step("name", "HA", "HAR", "ch1"));
    EXPECT_EQ(history.Size(), 1u);
    EXPECT_EQ(history.NextUndo()->Before.Model->Usa[0].ChTag, "");
    EXPECT_EQ(history.NextUndo()->After.Model->Usa[0].ChTag, "HAR");

    history.Record(Step("other", "HAR", "HARX", "ch2"));  // another box
    history.Record(Step("name", "HARX", "HARXY", "ch1"));
    EXPECT_EQ(history.Size(), 3u);

    history.Seal();  // the focus moved on and came back
    history.Record(Step("name", "HARXY", "HARXYZ", "ch1"));
    EXPECT_EQ(history.Size(), 4u);

    // Edits without a key never merge, even one after another in the same place.
    history.Record(Step("flag", "1", "2"));
    history.Record(Step("flag", "2", "3"));
    EXPECT_EQ(history.Size(), 6u);

    // After an undo the next typing is a step of its own.
    history.Record(Step("name", "3", "4", "ch1"));
    history.Undo();
    history.Record(Step("name", "3", "5", "ch1"));
    EXPECT_EQ(history.Size(), 7u);
    EXPECT_EQ(history.NextUndo()->After.Model->Usa[0].ChTag, "5");
}

TEST(UndoHistoryTest, TheCleanPointFollowsItsStepAndIsLostWhenOutOfReach) {
    UndoHistory history;
    EXPECT_TRUE(history.AtClean());  // a new history starts clean
    history.Record(Step("a", "0", "1"));
    EXPECT_FALSE(history.AtClean());
    history.Undo();
    EXPECT_TRUE(history.AtClean());
    history.Redo();
    history.MarkClean();
    history.Record(Step("b", "1", "2"));
    history.Undo();
    EXPECT_TRUE(history.AtClean());
    history.Undo();
    EXPECT_FALSE(history.AtClean());

    // A new step below the clean place puts it out of reach for good.
    history.Record(Step("c", "0", "3"));
    history.Undo();
    EXPECT_FALSE(history.AtClean());
    history.Redo();
    EXPECT_FALSE(history.AtClean());

    history.MarkClean();
    history.ForgetClean();
    EXPECT_FALSE(history.AtClean());
    history.Clear();
    EXPECT_TRUE(history.AtClean());
    EXPECT_EQ(history.Size(), 0u);
}

TEST(UndoHistoryTest, TheCleanPointMovesWithTheOldestStepsDropped) {
    UndoHistory history(3);
    history.Record(Step("a", "0", "1"));
    history.MarkClean();  // after a
    history.Record(Step("b", "1", "2"));
    history.Record(Step("c", "2", "3"));
    history.Record(Step("d", "3", "4"));  // a goes; clean is now before b
    history.Undo();
    history.Undo();
    EXPECT_FALSE(history.AtClean());
    history.Undo();
    EXPECT_TRUE(history.AtClean());
    EXPECT_EQ(history.Undo(), nullptr);

    history.Redo();
    history.Redo();
    history.Redo();
    history.Record(Step("e", "4", "5"));  // the clean place itself drops out
    while (history.Undo() != nullptr) {
        EXPECT_FALSE(history.AtClean());
    }
    EXPECT_FALSE(history.AtClean());
}

TEST(UndoHistoryTest, MergingIntoTheStepThatEndsCleanLeavesNoCleanPoint) {
    UndoHistory history;
    history.Record(Step("name", "", "H", "ch1"));
    history.MarkClean();
    history.Record(Step("name", "H", "HA", "ch1"));
    EXPECT_EQ(history.Size(), 1u);
    EXPECT_FALSE(history.AtClean());
}

}  // namespace
}  // namespace tq530
