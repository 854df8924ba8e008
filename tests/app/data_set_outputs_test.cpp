// The saves of the window and the command line (data set, report, CSV export) given a FIFO
// or a device for their file: each is refused with its own message, the reason names the
// file, and nothing waits, in diagnostic mode with an err.log that is a FIFO too.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/csv_tables.h"
#include "app/data_set.h"
#include "report/report_text.h"
#include "support/fifo_deadline.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using Save = std::function<Outcome(Workspace&, UiHost&, const std::string&)>;

struct OutputCase {
    const char* Name;  // File → Save As, Print to File's Save As, Export CSV
    const char* File;
    Save Run;
    const char* Message;  // "" for the system's text of the refusal
    const char* Title;    // "" for the program's title
};

Outcome SaveReport(Workspace& ws, UiHost& host, const std::string& path) {
    return SaveReportText(ws, host, BuildReportText(ws), path) ? Outcome::Ok : Outcome::Failed;
}

Outcome ExportUsa(Workspace& ws, UiHost& host, const std::string& path) {
    return ExportCsv(ws, host, CsvTable::Usa, path);
}

const std::vector<OutputCase> kCases = {
    {"image file", "out.hex", SaveDataSet, "FileSave Error!!", ""},
    {"settings file", "out.dat", SaveDataSet, "FileSave Error!!", ""},
    {"report", "out.txt", SaveReport, "", ""},
    {"CSV export", "out.csv", ExportUsa, "", kExportCsvTitle},
};

TEST(DataSetOutputsTest, FifosAndDevicesAreRefusedWithTheFileNamedAndNothingWaits) {
    for (const OutputCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        testing::ScratchDir dir;
        ASSERT_EQ(mkfifo(dir.File("err.log").c_str(), 0644), 0);
        ASSERT_EQ(mkfifo(dir.File(c.File).c_str(), 0644), 0);
        const std::string device = dir.File(std::string("null-") + c.File);
        std::filesystem::create_symlink("/dev/null", device);
        Workspace ws;
        NewData(ws);
        ws.ProgramDir = dir.Path();
        ws.DiagnosticMode = true;
        for (const std::string& path : {dir.File(c.File), device}) {
            testing::RecordingHost host;
            Outcome outcome = Outcome::Ok;
            EXPECT_TRUE(testing::FinishesWithoutReader({dir.File(c.File), dir.File("err.log")},
                                                       [&] { outcome = c.Run(ws, host, path); }));
            EXPECT_EQ(outcome, Outcome::Failed);
            const std::string refusal = path + ": Not a regular file";
            if (*c.Title != '\0') {
                // The export's own message names the file.
                EXPECT_EQ(host.Last(), refusal + "|" + c.Title);
                continue;
            }
            EXPECT_EQ(host.Last(),
                      std::string(*c.Message != '\0' ? c.Message : "Not a regular file") + "|" +
                          ws.TitleText);
            EXPECT_EQ(host.Reasons, std::vector<std::string>{refusal});
        }
        EXPECT_TRUE(std::filesystem::is_fifo(dir.File(c.File)));
        EXPECT_TRUE(std::filesystem::is_fifo(dir.File("err.log")));
    }
}

TEST(DataSetOutputsTest, AnExportWritesOnlyAFileEndingInCsv) {
    testing::ScratchDir dir;
    Workspace ws;
    NewData(ws);
    testing::RecordingHost host;
    testing::WriteFile(dir.File("boat.dat"), "settings");
    EXPECT_EQ(ExportUsa(ws, host, dir.File("boat.dat")), Outcome::Failed);
    EXPECT_EQ(host.Last(), dir.File("boat.dat") +
                               ": a CSV export is written to a file ending in "
                               "\".csv\"|Export CSV");
    EXPECT_EQ(testing::ReadFile(dir.File("boat.dat")), "settings");
    EXPECT_EQ(ExportUsa(ws, host, dir.File("usa.CSV")), Outcome::Ok);
    EXPECT_EQ(testing::ReadFile(dir.File("usa.CSV")), ExportCsvText(ws.Model, CsvTable::Usa));
}

}  // namespace
}  // namespace tq530
