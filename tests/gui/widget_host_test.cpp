#include "window/widget_host.h"
#include "gui/shell_fixture.h"
#include "window/qt_file_dialogs.h"

namespace tq530::guitest {
namespace {

TEST(WidgetHostTest, EnterPressesTheQuestionsDefaultButton) {
    WidgetHost host;
    BoxAnswerer boxes;
    // "Radio is busy!!" must not retry on a careless Enter.
    boxes.Next(QMessageBox::NoButton);
    EXPECT_EQ(host.Ask("Radio is busy!!", "Read from Radio", MsgIcon::Exclamation,
                       Buttons::RetryCancel, Answer::Cancel),
              Answer::Cancel);
    boxes.Next(QMessageBox::NoButton);
    EXPECT_EQ(host.Ask("Are you sure ?", "TQ530", MsgIcon::Critical, Buttons::YesNo, Answer::Yes),
              Answer::Yes);
    ASSERT_TRUE(boxes.Done());
    EXPECT_EQ(boxes.Seen[0].Buttons, QMessageBox::Retry | QMessageBox::Cancel);
    EXPECT_EQ(boxes.Seen[0].Icon, QMessageBox::Warning);
    EXPECT_EQ(boxes.Seen[0].Title, "Read from Radio");
    EXPECT_EQ(boxes.Seen[1].Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(boxes.Seen[1].Icon, QMessageBox::Critical);
}

TEST(WidgetHostTest, EscapeOnAYesNoQuestionAnswersNo) {
    WidgetHost host;
    BoxAnswerer boxes;
    boxes.Next(QMessageBox::Escape);
    EXPECT_EQ(host.Ask("Are you sure ?", "TQ530", MsgIcon::Critical, Buttons::YesNo, Answer::Yes),
              Answer::No);
    boxes.Next(QMessageBox::Escape);
    EXPECT_EQ(host.Ask("KCP data has changed.", "T", MsgIcon::Exclamation, Buttons::YesNoCancel,
                       Answer::Yes),
              Answer::Cancel);
}

TEST(WidgetHostTest, ClickedButtonsGiveTheirAnswers) {
    WidgetHost host;
    BoxAnswerer boxes;
    boxes.Next(QMessageBox::Retry);
    EXPECT_EQ(host.Ask("Radio is busy!!", "T", MsgIcon::Exclamation, Buttons::RetryCancel,
                       Answer::Cancel),
              Answer::Retry);
    boxes.Next(QMessageBox::No);
    EXPECT_EQ(host.Ask("q", "T", MsgIcon::Exclamation, Buttons::YesNoCancel, Answer::Yes),
              Answer::No);
    boxes.Next(QMessageBox::Ok);
    host.ShowMessage("Data Error!!\nPlease input correct data.", "Rx frequency",
                     MsgIcon::Exclamation);
    ASSERT_TRUE(boxes.Done());
    EXPECT_EQ(boxes.Seen[2].Text, "Data Error!!\nPlease input correct data.");
    EXPECT_EQ(boxes.Seen[2].Buttons, QMessageBox::Ok);
}

TEST(QtFileDialogsTest, FilterPairsBecomeNameFilters) {
    EXPECT_EQ(NameFiltersOf("dat files(*.dat)|*.dat|All files(*.*)|*.*"),
              (QStringList{"dat files(*.dat)", "All files(*.*)"}));
    EXPECT_EQ(NameFiltersOf("Text|*.txt;*.log"), (QStringList{"Text (*.txt *.log)"}));
}

}  // namespace
}  // namespace tq530::guitest
