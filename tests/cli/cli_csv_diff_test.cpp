// tq530-cli export-csv, import-csv and diff as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

#include "core/csv_text.h"
#include "support/cli_run.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using Result = testing::CliResult;

class CliCsvDiffTest : public ::testing::Test {
  protected:
    Result Run(const std::string& args) const {
        return testing::RunProgramIn(dir.Path(), "tq530-cli", args);
    }
    std::string Path(const std::string& name) const { return dir.File(name); }

    // The exported table with the cell of column in the row whose first cell is key replaced.
    static std::string Edited(const std::string& csv, const std::vector<std::string>& edits) {
        CsvParse parsed = ParseCsv(csv);
        for (size_t e = 0; e + 2 < edits.size(); e += 3) {
            for (CsvRecord& record : parsed.Records) {
                if (record[0] == edits[e]) {
                    record[std::stoul(edits[e + 1])] = edits[e + 2];
                }
            }
        }
        std::string text;
        for (const CsvRecord& record : parsed.Records) {
            text += CsvLine(record);
        }
        return text;
    }

    testing::ScratchDir dir;
};

TEST_F(CliCsvDiffTest, AnEditedPlanComesBackAndTheDiffShowsItsThreeChanges) {
    ASSERT_EQ(Run("new " + Path("a.hex")).Status, 0);
    Result r = Run("export-csv " + Path("a.hex") + " " + Path("usa.csv") + " --table usa");
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string csv = testing::ReadFile(Path("usa.csv"));
    const std::string header = "CH,RX[MHz],TX[MHz],TX,LOW,UP,DUP,MEM,CH Name\r\n";
    ASSERT_EQ(csv.compare(0, header.size(), header), 0) << csv;

    testing::WriteFile(Path("usa-edited.csv"),
                       Edited(csv, {"16", "8", "HARBOUR", "09", "8", "MARINA", "72", "7", "MEM"}));
    r = Run("import-csv " + Path("a.hex") + " " + Path("usa-edited.csv") + " " + Path("b.dat") +
            " --table usa");
    ASSERT_EQ(r.Status, 0) << r.Err;

    r = Run("diff " + Path("a.hex") + " " + Path("b.dat"));
    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_EQ(r.Out,
              "USA CH 09 Name: CALLING -> MARINA\n"
              "USA CH 16 Name: DISTRESS -> HARBOUR\n"
              "USA CH 72 MEM: --- -> MEM\n");
    EXPECT_EQ(r.Err, "");

    r = Run("diff " + Path("b.dat") + " " + Path("b.dat"));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    // The image and the settings file of one data set are equal.
    ASSERT_EQ(Run("convert " + Path("b.dat") + " " + Path("b.hex")).Status, 0);
    EXPECT_EQ(Run("diff " + Path("b.hex") + " " + Path("b.dat")).Status, 0);
}

TEST_F(CliCsvDiffTest, TheMemoryIdDirectoryRoundTripsAndABadRowSavesNothing) {
    ASSERT_EQ(Run("new " + Path("a.dat")).Status, 0);
    ASSERT_EQ(
        Run("export-csv " + Path("a.dat") + " " + Path("ids.csv") + " --table memory-id").Status,
        0);
    const std::string csv = testing::ReadFile(Path("ids.csv"));
    testing::WriteFile(Path("ids2.csv"),
                       Edited(csv, {"1", "1", "COAST GUARD", "1", "2", "003669999", "2", "1",
                                    "HOME", "2", "2", "211234567"}));
    Result r = Run("import-csv " + Path("a.dat") + " " + Path("ids2.csv") + " " + Path("b.hex") +
                   " --table memory-id");
    ASSERT_EQ(r.Status, 0) << r.Err;
    r = Run("export-csv " + Path("b.hex") + " " + Path("back.csv") + " --table memory-id");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(testing::ReadFile(Path("back.csv")), testing::ReadFile(Path("ids2.csv")));

    testing::WriteFile(Path("bad.csv"),
                       Edited(csv, {"1", "1", "COAST GUARD", "1", "2", "003669999", "2", "1",
                                    "H\xC3\x96ME", "2", "2", "21123456"}));
    r = Run("import-csv " + Path("a.dat") + " " + Path("bad.csv") + " " + Path("c.hex") +
            " --table memory-id");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err,
              "Import CSV: Nothing was imported (2 problems):\n"
              "row 3, column \"STATION NAME\": the radio cannot show \"\xC3\x96\"\n"
              "row 3, column \"MMSI\": \"21123456\" is not an MMSI of 9 digits\n");
    EXPECT_FALSE(std::filesystem::exists(Path("c.hex")));
}

TEST_F(CliCsvDiffTest, AnEmptiedMmsiDeletesItsEntryAndTheLaterOnesMoveUp) {
    ASSERT_EQ(Run("new " + Path("a.dat")).Status, 0);
    testing::WriteFile(Path("three.csv"),
                       "No.,STATION NAME,MMSI\r\n1,ONE,211000001\r\n2,TWO,211000002\r\n"
                       "3,THREE,211000003\r\n");
    Result r = Run("import-csv " + Path("a.dat") + " " + Path("three.csv") + " " + Path("b.dat") +
                   " --table memory-id");
    ASSERT_EQ(r.Status, 0) << r.Err;
    ASSERT_EQ(
        Run("export-csv " + Path("b.dat") + " " + Path("b.csv") + " --table memory-id").Status, 0);
    // Entry 2 loses its MMSI, as the entry screen's emptied MMSI box.
    testing::WriteFile(Path("emptied.csv"),
                       Edited(testing::ReadFile(Path("b.csv")), {"2", "2", ""}));
    r = Run("import-csv " + Path("b.dat") + " " + Path("emptied.csv") + " " + Path("c.dat") +
            " --table memory-id");
    ASSERT_EQ(r.Status, 0) << r.Err;
    ASSERT_EQ(
        Run("export-csv " + Path("c.dat") + " " + Path("c.csv") + " --table memory-id").Status, 0);
    const CsvParse back = ParseCsv(testing::ReadFile(Path("c.csv")));
    ASSERT_GE(back.Records.size(), 4u);
    EXPECT_EQ(back.Records[1], (CsvRecord{"1", "ONE", "211000001"}));
    EXPECT_EQ(back.Records[2], (CsvRecord{"2", "THREE", "211000003"}));
    EXPECT_EQ(back.Records[3], (CsvRecord{"3", "", "---------"}));
}

TEST_F(CliCsvDiffTest, UsageErrorsExitWithTwo) {
    ASSERT_EQ(Run("new " + Path("a.hex")).Status, 0);
    Result r = Run("export-csv " + Path("a.hex") + " " + Path("x.csv") + " --table nosuch");
    EXPECT_EQ(r.Status, 2);
    r = Run("export-csv " + Path("a.hex") + " " + Path("x.csv"));
    EXPECT_EQ(r.Status, 2);
    r = Run("diff " + Path("a.hex") + " " + Path("a.csv"));
    EXPECT_EQ(r.Status, 2);
    r = Run("diff " + Path("a.hex") + " " + Path("missing.hex"));
    EXPECT_EQ(r.Status, 1);
    r = Run("import-csv --help");
    EXPECT_EQ(r.Status, 0);
    EXPECT_NE(r.Out.find("memory-id"), std::string::npos);
    EXPECT_NE(r.Out.find("international"), std::string::npos);
}

}  // namespace
}  // namespace tq530
