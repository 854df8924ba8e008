// CSV export and import of the plans and directories: round trips, how cells map to the
// model, how problems are named and listed, and imports refused as a whole. Which values the
// rules refuse is the rules' tests' business.
#include "app/csv_tables.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/csv_text.h"
#include "rules/channel_rules.h"
#include "rules/directory_rules.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

constexpr size_t kCh16 = 30;  // USA channel 16
constexpr size_t kCh15 = 28;  // receive-only in the built-in plan

class CsvTablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        NewData(ws);
        fresh = ws.Model;
    }

    // A model with something set in every table, as an operator would have set it.
    void Edit() {
        SettingsModel& m = ws.Model;
        m.Usa[kCh16].ChTag = "HARBOUR";
        m.Usa[kCh16].LowPower = kOn;
        m.Usa[kCh16].PowUp = kOn;
        m.Usa[0].Enable = kOff;
        m.Canada[2].Enable = kOn;
        m.Canada[2].ScanMemory = kOn;
        m.International[kCh16].ChTag = "CALL,16";  // the cell is quoted
        m.Wx[3].Enable = kOff;
        m.Wx[4].ChTag = "NOAA 5";
        ChannelRec& e = m.Exp[2];
        e.Enable = kOn;
        e.CHDisplayL = "9b";
        e.CHDisplayR = "A";
        e.Rxfreq = 161.625;
        e.Txfreq = 157.025;
        e.TxEnable = kOn;
        e.ScanMemory = kOn;
        e.ChTag = "MARINA";
        const char* const names[] = {"COAST GUARD", "HOME", "BOAT 3"};
        for (size_t i = 0; i < 3; ++i) {
            m.MemoryIds[i] = {kOn, names[i], "21112345" + std::to_string(i) + "0", {}};
        }
        m.GroupIds[0] = {kOn, "FLEET", "0123456780", {}};
    }

    Workspace ws;
    SettingsModel fresh;
};

TEST_F(CsvTablesTest, ExportHasTheGridsHeaderAndRows) {
    Edit();
    const CsvParse usa = ParseCsv(ExportCsvText(ws.Model, CsvTable::Usa));
    ASSERT_TRUE(usa.Error.empty());
    EXPECT_EQ(usa.Records[0],
              (CsvRecord{"CH", "RX[MHz]", "TX[MHz]", "TX", "LOW", "UP", "DUP", "MEM", "CH Name"}));
    size_t enabled = 0;
    for (const ChannelRec& ch : ws.Model.Usa) {
        enabled += ch.Enable != 0;
    }
    EXPECT_EQ(usa.Records.size(), enabled + 1);
    const std::string text = ExportCsvText(ws.Model, CsvTable::Usa);
    EXPECT_NE(text.find("\r\n16,156.800,156.800,TX,LOW,UP,---,"), std::string::npos) << text;

    const CsvParse memory = ParseCsv(ExportCsvText(ws.Model, CsvTable::MemoryId));
    ASSERT_EQ(memory.Records.size(), 25u);
    EXPECT_EQ(memory.Records[0], (CsvRecord{"No.", "STATION NAME", "MMSI"}));
    EXPECT_EQ(memory.Records[1], (CsvRecord{"1", "COAST GUARD", "211123450"}));
    EXPECT_EQ(memory.Records[4], (CsvRecord{"4", "", "---------"}));
    EXPECT_EQ(ParseCsv(ExportCsvText(ws.Model, CsvTable::GroupId)).Records[0][1], "GROUP NAME");
    EXPECT_EQ(ParseCsv(ExportCsvText(ws.Model, CsvTable::Weather)).Records.size(), 11u);
    EXPECT_EQ(ParseCsv(ExportCsvText(ws.Model, CsvTable::Exp)).Records.size(), 41u);

    ws.Model.MemoryIds[0].TagName = "K\xF8GE";  // Latin-1 in the model, UTF-8 in the file
    EXPECT_NE(ExportCsvText(ws.Model, CsvTable::MemoryId).find("K\xC3\xB8GE"), std::string::npos);
}

TEST_F(CsvTablesTest, EveryTableRoundTripsIntoAFreshDataSet) {
    Edit();
    for (const CsvTableInfo& info : CsvTables()) {
        const std::string text = ExportCsvText(ws.Model, info.Table);
        const CsvImport back = ImportCsvText(fresh, info.Table, text);
        ASSERT_TRUE(back.Ok()) << info.Name << ": " << ProblemText(back.Problems[0]);
        EXPECT_EQ(ExportCsvText(back.Model, info.Table), text) << info.Name;
    }
    // The fields the files carry arrive in the model itself.
    const CsvImport usa =
        ImportCsvText(fresh, CsvTable::Usa, ExportCsvText(ws.Model, CsvTable::Usa));
    EXPECT_EQ(usa.Model.Usa, ws.Model.Usa);
    const CsvImport exp =
        ImportCsvText(fresh, CsvTable::Exp, ExportCsvText(ws.Model, CsvTable::Exp));
    EXPECT_EQ(exp.Model.Exp[2].CHDisplayL, "9b");
    EXPECT_EQ(exp.Model.Exp[2].CHDisplayR, "A");
    EXPECT_DOUBLE_EQ(exp.Model.Exp[2].Rxfreq, 161.625);
    EXPECT_DOUBLE_EQ(exp.Model.Exp[2].Txfreq, 157.025);
    const CsvImport memory =
        ImportCsvText(fresh, CsvTable::MemoryId, ExportCsvText(ws.Model, CsvTable::MemoryId));
    EXPECT_EQ(memory.Model.MemoryIds, ws.Model.MemoryIds);
    const CsvImport group =
        ImportCsvText(fresh, CsvTable::GroupId, ExportCsvText(ws.Model, CsvTable::GroupId));
    EXPECT_EQ(group.Model.GroupIds[0].Mmsid, "0123456780");
    // Only the named table changes.
    SettingsModel expected = fresh;
    expected.MemoryIds = ws.Model.MemoryIds;
    EXPECT_EQ(memory.Model, expected);
}

TEST_F(CsvTablesTest, ReimportingTheExportChangesNothingEvenOffTheScreensRules) {
    // Values a decoded radio can hold but no screen would accept pass untouched.
    ws.Model.Exp[0].Enable = kOn;
    ws.Model.Exp[0].Rxfreq = 156.0125;  // off the 25 kHz raster
    ws.Model.Exp[0].CHDisplayL = "X";
    ws.Model.Usa[kCh15].TxEnable = kOn;                      // receive-only
    ws.Model.MemoryIds[1] = {kOn, "GAP", "2110000000", {}};  // in use behind a free entry
    for (const CsvTableInfo& info : CsvTables()) {
        const CsvImport back =
            ImportCsvText(ws.Model, info.Table, ExportCsvText(ws.Model, info.Table));
        ASSERT_TRUE(back.Ok()) << info.Name << ": " << ProblemText(back.Problems[0]);
        EXPECT_EQ(back.Model, ws.Model) << info.Name;
    }
}

TEST_F(CsvTablesTest, OneBadRowRefusesTheWholeImportAndNamesRowAndColumn) {
    const std::string csv =
        "No.,STATION NAME,MMSI\r\n"
        "1,HOME,211000001\r\n"
        "2,BOAT,21100000\r\n"  // eight digits
        "3,CLUB,211000003\r\n";
    const CsvImport result = ImportCsvText(ws.Model, CsvTable::MemoryId, csv);
    ASSERT_EQ(result.Problems.size(), 1u);
    EXPECT_EQ(result.Problems[0].Row, 3);
    EXPECT_EQ(result.Problems[0].Column, "MMSI");
    EXPECT_EQ(result.Model, ws.Model);
    EXPECT_EQ(ProblemText(result.Problems[0]),
              "row 3, column \"MMSI\": \"21100000\" is not an MMSI of 9 digits");

    // Through the menu command's core: a message lists it and the model stays.
    testing::ScratchDir dir;
    const std::string path = dir.File("memory.csv");
    testing::WriteFile(path, csv);
    testing::RecordingHost host;
    EXPECT_EQ(ImportCsv(ws, host, CsvTable::MemoryId, path), Outcome::Failed);
    EXPECT_EQ(ws.Model, fresh);
    EXPECT_FALSE(ws.DataChanged);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Title, kImportCsvTitle);
    EXPECT_EQ(host.Messages[0].Text,
              "Nothing was imported (1 problem):\nrow 3, column \"MMSI\": \"21100000\" is not "
              "an MMSI of 9 digits");

    // Corrected, it goes in and marks the data changed.
    testing::WriteFile(path, "No.,STATION NAME,MMSI\n1,HOME,211000001\n");
    EXPECT_EQ(ImportCsv(ws, host, CsvTable::MemoryId, path), Outcome::Ok);
    EXPECT_TRUE(ws.DataChanged);
    EXPECT_EQ(ws.Model.MemoryIds[0].Mmsid, "2110000010");
    EXPECT_EQ(ws.Model.MemoryIds[0].Enable, kOn);
}

TEST_F(CsvTablesTest, TheWindowProgramAppliesTheResultItself) {
    testing::ScratchDir dir;
    const std::string path = dir.File("wx.csv");
    testing::WriteFile(path, ExportCsvText(ws.Model, CsvTable::Weather));
    testing::RecordingHost host;
    int applied = 0;
    auto apply = [&](const SettingsModel&) { ++applied; };
    // The file as exported changes nothing: nothing to apply, nothing changed.
    EXPECT_EQ(ImportCsv(ws, host, CsvTable::Weather, path, apply), Outcome::Ok);
    EXPECT_EQ(applied, 0);
    EXPECT_FALSE(ws.DataChanged);

    SettingsModel edited = ws.Model;
    edited.Wx[0].ChTag = "HOME WX";
    testing::WriteFile(path, ExportCsvText(edited, CsvTable::Weather));
    SettingsModel received;
    EXPECT_EQ(ImportCsv(ws, host, CsvTable::Weather, path,
                        [&](const SettingsModel& m) {
                            ++applied;
                            received = m;
                        }),
              Outcome::Ok);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(received, edited);
    EXPECT_EQ(ws.Model, fresh);  // the caller's door, not ours, changes the model
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(CsvTablesTest, EveryFailingCellIsListed) {
    const std::string csv =
        "CH,RX[MHz],TX[MHz],TX,LOW,UP,DUP,MEM,CH Name\n"
        "16,156.800,156.800,TX,---,--,---,MEM,OK NAME\n"
        "15,156.750,---.---,TX,---,--,---,---,\n"     // receive-only
        "01A,,,TX,---,--,DUP,---,\n"                  // no duplex on 01A
        "18,,,yes,---,--,---,---,\n"                  // neither TX nor --
        "19,,,TX,---,--,---,---,A#B\n"                // not in the character set
        "20,,,TX,---,--,---,---,\xC3\xA9t\xC3\xA9\n"  // Latin-1, still not the radio's
        "21,,,TX,---,--,---,---,THIRTEEN CHAR\n"      // too long
        "22,157.000,,TX,---,--,---,---,\n"            // the frequency is the channel's
        "99,,,TX,---,--,---,---,\n"                   // no such channel
        "16,,,TX,---,--,---,---,\n";                  // twice
    const CsvImport result = ImportCsvText(ws.Model, CsvTable::Usa, csv);
    std::vector<std::string> seen;
    for (const CsvProblem& p : result.Problems) {
        seen.push_back(std::to_string(p.Row) + " " + p.Column);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"3 TX", "4 DUP", "5 TX", "6 CH Name", "7 CH Name",
                                              "8 CH Name", "9 RX[MHz]", "10 CH", "11 CH"}));
    EXPECT_EQ(result.Model, ws.Model);
    EXPECT_NE(ProblemText(result.Problems[4]).find("\"\xC3\xA9\""), std::string::npos)
        << ProblemText(result.Problems[4]);
}

TEST_F(CsvTablesTest, PresetImportFollowsTheChannelScreen) {
    const std::string csv =
        "ch name,CH,MEM,TX,LOW,UP,DUP,RX[MHz],TX[MHz]\n"  // any order, any case
        "CALL,16,MEM,TX,LOW,UP,---,,\n"
        "PHONE,24,---,TX,---,--,DUP,161.800,\n"
        "A,01a,---,--,---,--,---,,\n";
    const CsvImport result = ImportCsvText(ws.Model, CsvTable::Usa, csv);
    ASSERT_TRUE(result.Ok()) << ProblemText(result.Problems[0]);
    const ChannelPlan& usa = result.Model.Usa;
    EXPECT_EQ(usa[kCh16].ChTag, "CALL");
    EXPECT_NE(usa[kCh16].LowPower, 0);
    EXPECT_NE(usa[kCh16].PowUp, 0);
    EXPECT_NE(usa[46].Duplex, 0);   // channel 24
    EXPECT_EQ(usa[1].TxEnable, 0);  // 01A
    size_t enabled = 0;
    for (const ChannelRec& ch : usa) {
        enabled += ch.Enable != 0;
    }
    EXPECT_EQ(enabled, 3u);  // what the file leaves out is disabled
}

TEST_F(CsvTablesTest, ExpImportChecksFrequenciesAndDisplay) {
    const std::string header = "CH,ENABLE,DISP,RX[MHz],TX[MHz],LOW,UP,MEM,CH Name\n";
    CsvImport r = ImportCsvText(
        ws.Model, CsvTable::Exp,
        header + "1,[Enable],12,137.0000,174,---,--,MEM,LOW END\n" + "2,,,,---.----,---,--,---,\n");
    ASSERT_TRUE(r.Ok()) << ProblemText(r.Problems[0]);
    EXPECT_DOUBLE_EQ(r.Model.Exp[0].Rxfreq, 137.0);
    EXPECT_DOUBLE_EQ(r.Model.Exp[0].Txfreq, 174.0);
    EXPECT_EQ(r.Model.Exp[0].CHDisplayL, "12");
    EXPECT_EQ(r.Model.Exp[0].CHDisplayR, "");
    EXPECT_EQ(r.Model.Exp[39].Enable, 0);

    r = ImportCsvText(ws.Model, CsvTable::Exp,
                      header + "1,[Enable],12,156.0125,,---,--,---,\n" +  // off the raster
                          "2,[Enable],1,174.025,,---,--,---,\n" +         // too high, one char
                          "3,[Enable],1a,156.050,,---,--,---,\n" +        // "a" is not shown
                          "4,[Enable],12,,,---,--,---,\n" +               // no RX frequency
                          "5,,1,,,---,--,---,\n");                        // disabled: fine
    std::vector<std::string> seen;
    for (const CsvProblem& p : r.Problems) {
        seen.push_back(std::to_string(p.Row) + " " + p.Column);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"2 RX[MHz]", "3 RX[MHz]", "3 DISP", "4 DISP",
                                              "5 RX[MHz]"}));
}

TEST_F(CsvTablesTest, DirectoryImportKeepsTheEntriesPacked) {
    const std::string header = "No.,STATION NAME,MMSI\n";
    CsvImport r = ImportCsvText(ws.Model, CsvTable::MemoryId,
                                header + "1,A,211000001\n2,,---------\n3,C,211000003\n");
    ASSERT_EQ(r.Problems.size(), 1u);
    EXPECT_EQ(ProblemText(r.Problems[0]),
              "row 4: entry 3 is behind the free entry 2: entries in use follow each other from 1");

    // Added behind an entry without a name, as "Add" refuses it.
    r = ImportCsvText(ws.Model, CsvTable::MemoryId, header + "1,,211000001\n2,B,211000002\n");
    ASSERT_EQ(r.Problems.size(), 1u);
    EXPECT_EQ(ProblemText(r.Problems[0]),
              "row 3: entry 1 needs a name and an MMSI before entry 2 is added");

    // "Add" and a name, no MMSI typed yet: the entry screen lets it be.
    r = ImportCsvText(ws.Model, CsvTable::MemoryId, header + "1,A,\n");
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Model.MemoryIds[0], (DirectoryEntry{kOn, "A", "", {}}));

    // Group MMSIs: eight digits behind the fixed 0, typed with or without it.
    r = ImportCsvText(ws.Model, CsvTable::GroupId,
                      "No.,GROUP NAME,MMSI\n1,ONE,12345678\n2,TWO,087654321\n3,BAD,123456789\n");
    ASSERT_EQ(r.Problems.size(), 1u);
    EXPECT_EQ(r.Problems[0].Row, 4);
    r = ImportCsvText(ws.Model, CsvTable::GroupId,
                      "No.,GROUP NAME,MMSI\n1,ONE,12345678\n2,TWO,087654321\n");
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Model.GroupIds[0].Mmsid, "0123456780");
    EXPECT_EQ(r.Model.GroupIds[1].Mmsid, "0876543210");
}

// A name cell takes exactly the characters the screens' name boxes let through, for the
// channel names and the directory names alike.
TEST_F(CsvTablesTest, NamesTakeTheCharactersTheNameBoxesTake) {
    for (int code = 32; code < 256; ++code) {
        const char c = static_cast<char>(code);
        if (c == '"' || c == ',' || c == ' ') {
            continue;  // quoting and trimming are the file's, not the name's
        }
        const std::string name = Latin1ToUtf8(std::string("A") + c);
        const bool entry = ImportCsvText(ws.Model, CsvTable::MemoryId,
                                         "No.,STATION NAME,MMSI\n1," + name + ",211000001\n")
                               .Ok();
        EXPECT_EQ(entry, DirectoryNameKey(c)) << code;
        const bool channel = ImportCsvText(ws.Model, CsvTable::Weather,
                                           "CH,ENABLE,MEM,CH Name\n1,ENABLE,,\"" + name + "\"\n")
                                 .Ok();
        EXPECT_EQ(channel, ChannelNameKey(c)) << code;
    }
}

TEST_F(CsvTablesTest, AFileWrongThroughoutListsFiftyAndCountsTheRest) {
    // A megabyte of empty header cells: 1048577 empty names and the nine columns missing.
    const CsvImport r = ImportCsvText(ws.Model, CsvTable::Usa, std::string(1024 * 1024, ','));
    ASSERT_EQ(r.Problems.size(), kListedProblems);
    EXPECT_EQ(r.Unlisted, 1048586u - kListedProblems);
    EXPECT_EQ(ProblemText(r.Problems.back()), "row 1: \"\" is not a column of this table");
    const std::string text = RefusalText(r);
    EXPECT_EQ(text.rfind("Nothing was imported (1048586 problems):\n", 0), 0u)
        << text.substr(0, 80);
    EXPECT_EQ(text.substr(text.rfind('\n')), "\nand 1048536 more");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(kListedProblems) + 1);

    // Up to fifty, every problem is listed and nothing more is said.
    std::string rows = "CH,ENABLE,MEM,CH Name\n";
    for (int i = 0; i < 50; ++i) {
        rows += "1,ENABLE\n";
    }
    const CsvImport fifty = ImportCsvText(ws.Model, CsvTable::Weather, rows);
    EXPECT_EQ(fifty.Problems.size(), 50u);
    EXPECT_EQ(fifty.Unlisted, 0u);
    EXPECT_EQ(RefusalText(fifty).find("more"), std::string::npos);
    EXPECT_EQ(ImportCsvText(ws.Model, CsvTable::Weather, rows + "1,ENABLE\n").Unlisted, 1u);
}

// A file refused as a whole, for its header, its shape or its encoding, before any cell.
TEST_F(CsvTablesTest, TheFileItselfCanBeRefused) {
    const std::string csv = ExportCsvText(ws.Model, CsvTable::Weather);
    std::string utf16;
    for (const char c : csv) {
        utf16 += c;
        utf16 += '\0';
    }
    const std::string wide = "the file is UTF-16; save it as UTF-8";
    const struct {
        std::string Text;
        std::vector<std::string> Problems;
    } cases[] = {
        {"", {"the file has no header row"}},
        {"CH,ENABLE,MEM,NAME\n",
         {"row 1: \"NAME\" is not a column of this table",
          "row 1, column \"CH Name\": the column is missing"}},
        {"CH,ENABLE,MEM,CH Name\n1,ENABLE\n", {"row 2: has 2 cells, the header row 4 columns"}},
        {"CH,ENABLE,MEM,CH Name\n11,ENABLE,MEM,X\n",
         {"row 2, column \"CH\": \"11\" is not a number from 1 to 10"}},
        {"\xFF\xFE" + utf16, {wide}},
        {utf16, {wide}},
        {csv + std::string("4,ENABLE,MEM,A\0B\n", 15),
         {"row 12: holds a NUL byte: the file is not text"}},
        {csv + "4,ENABLE,MEM,K\xF8GE\n",
         {"row 12: the byte F8 is not UTF-8: the file is in another encoding (Latin-1 or a "
          "Windows code page?); save it as UTF-8"}},
        {"\xEF\xBB\xBF" + csv, {}},  // a mark before the header is UTF-8's own
    };
    for (const auto& c : cases) {
        std::vector<std::string> seen;
        for (const CsvProblem& p : ImportCsvText(ws.Model, CsvTable::Weather, c.Text).Problems) {
            seen.push_back(ProblemText(p));
        }
        EXPECT_EQ(seen, c.Problems) << c.Text.substr(0, 40);
    }

    // Through the menu command: the file is named, and no NUL reaches the message.
    testing::ScratchDir dir;
    const std::string path = dir.File("wide.csv");
    testing::WriteFile(path, "\xFF\xFE" + utf16);
    testing::RecordingHost host;
    EXPECT_EQ(ImportCsv(ws, host, CsvTable::Weather, path), Outcome::Failed);
    EXPECT_EQ(ImportCsv(ws, host, CsvTable::Weather, "/nonexistent/dir/wx.csv"), Outcome::Failed);
    ASSERT_EQ(host.Messages.size(), 2u);
    EXPECT_EQ(host.Messages[0].Text, "Nothing was imported (1 problem):\n" + wide);
    EXPECT_NE(host.Messages[1].Text.find("/nonexistent/dir/wx.csv"), std::string::npos);
}

}  // namespace
}  // namespace tq530
