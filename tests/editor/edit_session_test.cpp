// The edit session: edits mark DataChanged and are announced; the program's own fills are
// not edits.
#include <gtest/gtest.h>

#include "core/workspace.h"
#include "editor/edit_session.h"

namespace tq530 {
namespace {

TEST(EditSessionTest, AnEditIsAppliedMarkedAndAnnounced) {
    Workspace ws;
    NewData(ws, false);
    ws.DataChanged = false;
    EditSession session(ws);
    std::vector<std::string> heard;
    const int id = session.Subscribe([&heard, &ws](const Change& c) {
        // Listeners see the model as it is after the edit.
        heard.push_back(c.Field + "=" + ws.Model.Exp[4].ChTag);
    });

    EXPECT_TRUE(
        session.EditChannel(PlanId::Exp, 4, "ChTag", [](ChannelRec& ch) { ch.ChTag = "HARBOUR"; }));
    EXPECT_TRUE(ws.DataChanged);
    EXPECT_EQ(heard, (std::vector<std::string>{"ChTag=HARBOUR"}));

    EXPECT_FALSE(session.EditChannel(PlanId::Exp, 40, "ChTag", [](ChannelRec&) {}));
    session.Unsubscribe(id);
    session.EditChannel(PlanId::Exp, 4, "ChTag", [](ChannelRec& ch) { ch.ChTag = "X"; });
    EXPECT_EQ(heard.size(), 1u);
}

TEST(EditSessionTest, NothingIsEditedWhileTheProgramFillsItsScreens) {
    Workspace ws;
    NewData(ws, false);
    ws.DataChanged = false;
    EditSession session(ws);
    int announced = 0;
    session.Subscribe([&announced](const Change&) { ++announced; });
    {
        const EditSession::BusyGuard busy(session);
        { const EditSession::BusyGuard nested(session); }
        EXPECT_TRUE(ws.BusyFlag);  // the inner guard gives back what it found
        EXPECT_FALSE(
            session.EditChannel(PlanId::Usa, 0, "Enable", [](ChannelRec& ch) { ch.Enable = kOn; }));
    }
    EXPECT_FALSE(ws.BusyFlag);
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_EQ(announced, 0);

    session.FieldEdited = true;
    session.ModelReplaced();
    EXPECT_FALSE(session.FieldEdited);
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_EQ(announced, 1);
}

}  // namespace
}  // namespace tq530
