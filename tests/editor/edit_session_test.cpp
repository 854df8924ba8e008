// The edit session: edits mark DataChanged and are announced; the program's own fills are
// not edits.
#include <gtest/gtest.h>

#include "core/workspace.h"
#include "editor/edit_session.h"
#include "model/image_codec.h"
#include "rules/directory_rules.h"

namespace tq530 {
namespace {

TEST(EditSessionTest, AnEditIsAppliedMarkedAndAnnounced) {
    Workspace ws;
    NewData(ws);
    ws.DataChanged = false;
    EditSession session(ws);
    std::vector<std::string> heard;
    const int id = session.Subscribe([&heard, &ws](const Change& c) {
        // Listeners see the model as it is after the edit.
        heard.push_back(std::string(c.Field ? FieldCaption(*c.Field) : "") + "=" +
                        ws.Model.Exp[4].ChTag);
    });

    EXPECT_TRUE(session.EditChannel(PlanId::Exp, 4, FieldId::ChName,
                                    [](ChannelRec& ch) { ch.ChTag = "HARBOUR"; }));
    EXPECT_TRUE(ws.DataChanged);
    EXPECT_EQ(heard, (std::vector<std::string>{"CH Name=HARBOUR"}));

    EXPECT_FALSE(session.EditChannel(PlanId::Exp, 40, FieldId::ChName, [](ChannelRec&) {}));
    session.Unsubscribe(id);
    session.EditChannel(PlanId::Exp, 4, FieldId::ChName, [](ChannelRec& ch) { ch.ChTag = "X"; });
    EXPECT_EQ(heard.size(), 1u);
}

TEST(EditSessionTest, NothingIsEditedWhileTheProgramFillsItsScreens) {
    Workspace ws;
    NewData(ws);
    ws.DataChanged = false;
    EditSession session(ws);
    int announced = 0;
    session.Subscribe([&announced](const Change&) { ++announced; });
    {
        const EditSession::BusyGuard busy(session);
        { const EditSession::BusyGuard nested(session); }
        EXPECT_TRUE(ws.BusyFlag);  // the inner guard gives back what it found
        EXPECT_FALSE(session.EditChannel(PlanId::Usa, 0, FieldId::ChEnable,
                                         [](ChannelRec& ch) { ch.Enable = kOn; }));
    }
    EXPECT_FALSE(ws.BusyFlag);
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_EQ(announced, 0);

    session.FieldEdited = true;
    session.Restart();
    EXPECT_FALSE(session.FieldEdited);
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_EQ(announced, 1);
}

void Toggle(ChannelRec& ch) {
    ch.Enable = ch.Enable != 0 ? kOff : kOn;
}

// A started data set with no edits, and a session over it.
class EditSessionUndoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        NewData(ws);
        ws.DataChanged = false;
        session = std::make_unique<EditSession>(ws);
    }

    void EditOn(const std::string& screen, PlanId plan, int index, FieldId field,
                const std::function<void(ChannelRec&)>& edit) {
        session->SetShownScreen(screen);
        session->SealStep();  // each edit in its own visit of the box
        ASSERT_TRUE(session->EditChannel(plan, index, field, edit));
    }

    void EditDirectory(const std::string& screen,
                       const std::function<void(DirectoryEntry*, int)>& edit) {
        session->SetShownScreen(screen);
        ASSERT_TRUE(session->Apply(
            {Change::Part::MemoryId, PlanId::Usa, 0, {}},
            [&edit](SettingsModel& m) { edit(m.MemoryIds.data(), kMemoryIdCount); }));
    }

    // A read from the radio as the window does it: a different image, decoded, clean.
    void ReadRadio() {
        session->ReplaceAll("Read from Radio", [this] {
            ws.Image[kReadMarkAddress] = 0x5A;
            ws.Model.Exp[0].ChTag = "FROMRADIO";
            ws.CurrentFileName.clear();
            ws.DataChanged = false;
        });
    }

    static constexpr int kReadMarkAddress = 7000;
    Workspace ws;
    std::unique_ptr<EditSession> session;
};

TEST_F(EditSessionUndoTest, UndoAndRedoWalkFieldEditsAcrossScreensAndNameThem) {
    const SettingsModel start = ws.Model;
    const RadioImage image = ws.Image;
    EditOn("U16", PlanId::Usa, 16, FieldId::ChEnable, Toggle);
    EditOn("E3", PlanId::Exp, 2, FieldId::ChName, [](ChannelRec& ch) { ch.ChTag = "HARBOUR"; });
    session->SetShownScreen("Common");
    ASSERT_TRUE(session->Apply({Change::Part::Common, PlanId::Usa, 0, FieldId::ResumeTime},
                               [](SettingsModel& m) { m.Common.ResumeTime = 77; }));
    const SettingsModel edited = ws.Model;

    EXPECT_EQ(session->UndoLabel(), "Resume Time");
    EXPECT_EQ(session->Undo(), "Common");
    EXPECT_EQ(session->UndoLabel(), "CH Name");
    EXPECT_EQ(session->RedoLabel(), "Resume Time");
    EXPECT_EQ(ws.Model.Common.ResumeTime, start.Common.ResumeTime);
    EXPECT_EQ(session->Undo(), "E3");
    EXPECT_EQ(ws.Model.Exp[2].ChTag, start.Exp[2].ChTag);
    EXPECT_EQ(session->UndoLabel(), "CH Enable");
    EXPECT_EQ(session->Undo(), "U16");
    EXPECT_EQ(ws.Model, start);
    EXPECT_EQ(session->Undo(), "");
    EXPECT_FALSE(session->CanUndo());
    EXPECT_FALSE(ws.DataChanged);  // back where nothing was edited
    EXPECT_EQ(ws.Image, image);    // field edits never touch the image

    EXPECT_EQ(session->Redo(), "U16");
    EXPECT_TRUE(ws.DataChanged);
    EXPECT_EQ(session->Redo(), "E3");
    EXPECT_EQ(session->Redo(), "Common");
    EXPECT_EQ(session->Redo(), "");
    EXPECT_EQ(ws.Model, edited);
}

TEST_F(EditSessionUndoTest, DirectoryAddAndDeleteAreStepsOfTheirOwn) {
    EditDirectory("SM1", [](DirectoryEntry* e, int) {
        e[0].Enable = kOn;
        e[0].TagName = "PILOT";
        e[0].Mmsid = "211234560";
    });
    EditDirectory("SM1", [](DirectoryEntry* e, int count) { DeleteEntry(e, count, 1); });
    EXPECT_EQ(ws.Model.MemoryIds[0].Enable, kOff);
    EXPECT_EQ(session->UndoLabel(), "Individual Directory");

    EXPECT_EQ(session->Undo(), "SM1");
    EXPECT_EQ(ws.Model.MemoryIds[0].Enable, kOn);
    EXPECT_EQ(ws.Model.MemoryIds[0].TagName, "PILOT");
    EXPECT_EQ(session->Undo(), "SM1");
    EXPECT_EQ(ws.Model.MemoryIds[0].Enable, kOff);
    EXPECT_EQ(ws.Model.MemoryIds[0].TagName, "");
}

TEST_F(EditSessionUndoTest, TypingIntoANameIsOneStepEachTimeTheBoxIsVisited) {
    const std::string before = ws.Model.Exp[0].ChTag;
    session->SetShownScreen("E1");
    for (const char* text : {"P", "PO", "POR", "PORT"}) {
        session->EditChannel(PlanId::Exp, 0, FieldId::ChName,
                             [text](ChannelRec& ch) { ch.ChTag = text; });
    }
    // Two clicks on the same check box are two steps.
    for (int click = 0; click < 2; ++click) {
        session->EditChannel(PlanId::Exp, 0, FieldId::ScanMemory, [](ChannelRec& ch) {
            ch.ScanMemory = ch.ScanMemory != 0 ? kOff : kOn;
        });
    }
    EXPECT_EQ(session->History().Size(), 3u);
    session->SealStep();
    session->EditChannel(PlanId::Exp, 0, FieldId::ChName,
                         [](ChannelRec& ch) { ch.ChTag = "PORTS"; });
    session->EditChannel(PlanId::Exp, 0, FieldId::ChName,
                         [](ChannelRec& ch) { ch.ChTag = "PORTSI"; });
    EXPECT_EQ(session->History().Size(), 4u);

    session->Undo();
    EXPECT_EQ(ws.Model.Exp[0].ChTag, "PORT");
    session->Undo();
    session->Undo();
    session->Undo();
    EXPECT_EQ(ws.Model.Exp[0].ChTag, before);
}

TEST_F(EditSessionUndoTest, EditsThatChangeNothingOrComeFromTheProgramAreNoSteps) {
    session->EditChannel(PlanId::Usa, 0, FieldId::ChEnable,
                         [](ChannelRec& ch) { ch.Enable = ch.Enable; });
    EXPECT_TRUE(ws.DataChanged);  // a stored value is an edit, even the same one
    EXPECT_FALSE(session->CanUndo());
    {
        const EditSession::BusyGuard busy(*session);
        session->EditChannel(PlanId::Usa, 0, FieldId::ChName,
                             [](ChannelRec& ch) { ch.ChTag = "X"; });
    }
    EXPECT_FALSE(session->CanUndo());
}

TEST_F(EditSessionUndoTest, AReplacementIsOneStepThatPutsBackModelImageAndFileName) {
    ws.CurrentFileName = "/data/harbour.dat";
    EditOn("E1", PlanId::Exp, 0, FieldId::ChName, [](ChannelRec& ch) { ch.ChTag = "MINE"; });
    const SettingsModel edited = ws.Model;
    const RadioImage imageBefore = ws.Image;

    ReadRadio();
    const RadioImage imageRead = ws.Image;
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_EQ(session->UndoLabel(), "Read from Radio");

    EXPECT_EQ(session->Undo(), "General");
    EXPECT_EQ(ws.Model, edited);
    EXPECT_EQ(ws.Image, imageBefore);
    EXPECT_EQ(ws.CurrentFileName, "/data/harbour.dat");
    EXPECT_TRUE(ws.DataChanged);  // not what was read

    EXPECT_EQ(session->Undo(), "E1");
    EXPECT_TRUE(ws.DataChanged);  // what was read is the clean point now, not the start
    EXPECT_EQ(ws.Image, imageBefore);

    session->Redo();
    EXPECT_EQ(session->Redo(), "General");
    EXPECT_EQ(ws.Image, imageRead);
    EXPECT_EQ(ws.Model.Exp[0].ChTag, "FROMRADIO");
    EXPECT_EQ(ws.CurrentFileName, "");
    EXPECT_FALSE(ws.DataChanged);
}

TEST_F(EditSessionUndoTest, AReplacementIsAnnouncedOnceAndIsAStepOnlyWhenSomethingChanged) {
    std::vector<Change::Part> heard;
    session->Subscribe([&heard](const Change& c) { heard.push_back(c.What); });
    session->FieldEdited = true;
    EXPECT_FALSE(session->ReplaceAll("Open", [] {}));  // an Open whose dialog was cancelled
    EXPECT_TRUE(heard.empty());
    EXPECT_FALSE(session->CanUndo());
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_TRUE(session->FieldEdited);  // nothing replaced: the box keeps its keystrokes

    // The image alone is a replacement too (a destination with the same settings).
    EXPECT_TRUE(session->ReplaceAll("Destination", [this] { ws.Image[100] ^= 0xFF; }));
    EXPECT_EQ(heard, (std::vector<Change::Part>{Change::Part::DataSet}));
    EXPECT_FALSE(session->FieldEdited);
    EXPECT_EQ(session->UndoLabel(), "Destination");
    session->Undo();
    EXPECT_EQ(heard.back(), Change::Part::Whole);  // undo shows the step's screen itself
}

TEST_F(EditSessionUndoTest, AnOpenKeepsDataChangedAndUndoingItSetsIt) {
    // Unchanged data: the opened file's data are the clean point.
    session->ReplaceAll("Open", [this] {
        ws.Model.Common.ResumeTime = 91;
        ws.CurrentFileName = "/data/a.dat";
    });
    EXPECT_FALSE(ws.DataChanged);
    session->Undo();
    EXPECT_TRUE(ws.DataChanged);
    EXPECT_EQ(ws.CurrentFileName, "");
    session->Redo();
    EXPECT_FALSE(ws.DataChanged);

    // Changed data stay changed through the open.
    EditOn("U1", PlanId::Usa, 1, FieldId::ChEnable, Toggle);
    session->ReplaceAll("Open", [this] { ws.Model.Common.ResumeTime = 92; });
    EXPECT_TRUE(ws.DataChanged);
    session->Undo();
    session->Undo();
    EXPECT_FALSE(ws.DataChanged);  // the first file as it was opened
}

TEST_F(EditSessionUndoTest, AfterASaveOrARadioClearNoUndoClearsDataChanged) {
    EditOn("U1", PlanId::Usa, 1, FieldId::ChEnable, Toggle);
    session->Saved();
    session->Undo();
    EXPECT_TRUE(ws.DataChanged);  // differs from what was saved
    session->Redo();
    EXPECT_TRUE(ws.DataChanged);  // a save leaves the flag as it was

    ReadRadio();
    session->Saved();  // nothing changed since the read: the read stays the clean point
    EditOn("U2", PlanId::Usa, 2, FieldId::ChEnable, Toggle);
    session->Undo();
    EXPECT_FALSE(ws.DataChanged);

    session->MarkDataChanged();
    EXPECT_TRUE(ws.DataChanged);
    session->Redo();
    session->Undo();
    EXPECT_TRUE(ws.DataChanged);
}

TEST_F(EditSessionUndoTest, AReplacementTheHistoryDidNotSeeStartsItAgain) {
    EditOn("U1", PlanId::Usa, 1, FieldId::ChEnable, Toggle);
    NewData(ws);  // a model change starts the data set again
    session->Restart();
    ws.DataChanged = false;
    EXPECT_FALSE(session->CanUndo());
    EditOn("U2", PlanId::Usa, 2, FieldId::ChEnable, Toggle);
    session->Undo();
    EXPECT_FALSE(ws.DataChanged);
}

}  // namespace
}  // namespace tq530
