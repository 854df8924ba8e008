#include "app/help_file.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::ReadFile;

TEST(HelpFileTest, TheModelsAtisOptionChoosesTheFileAndAMissingOneGivesNone) {
    testing::ScratchDir dir;
    Workspace ws;
    ws.ProgramDir = dir.Path();
    ws.AtisEnabled = true;
    EXPECT_EQ(HelpFilePath(ws), dir.File("TQ530.html"));
    EXPECT_EQ(ChooseHelpFile(ws), "");
    testing::WriteFile(dir.File("TQ530.html"), "<html></html>");
    EXPECT_EQ(ChooseHelpFile(ws), dir.File("TQ530.html"));
    ws.AtisEnabled = false;
    EXPECT_EQ(HelpFilePath(ws), dir.File("TQ530_NA.html"));
    EXPECT_EQ(ChooseHelpFile(ws), "");
}

// The pages beside the executables answer every topic the program opens them at.
TEST(HelpFileTest, TheInstalledPagesHoldEveryTopic) {
    const int topics[] = {kHelpContents, kHelpTransfer, 1028, 1029, 1030, 1031, 1032, 1033,
                          1034,          1049,          1050, 1051, 1054, 1064, 1077};
    for (const char* name : {"TQ530.html", "TQ530_NA.html"}) {
        const std::string page = ReadFile(std::string(TQ530_BIN_DIR) + "/" + name);
        ASSERT_FALSE(page.empty()) << name;
        for (int topic : topics) {
            EXPECT_NE(page.find("<a name=\"" + std::to_string(topic) + "\">"), std::string::npos)
                << name << " " << topic;
        }
    }
    // Only the page of the models with ATIS speaks of it.
    EXPECT_NE(ReadFile(std::string(TQ530_BIN_DIR) + "/TQ530.html").find("ATIS Code"),
              std::string::npos);
    EXPECT_EQ(ReadFile(std::string(TQ530_BIN_DIR) + "/TQ530_NA.html").find("ATIS"),
              std::string::npos);
}

}  // namespace
}  // namespace tq530
