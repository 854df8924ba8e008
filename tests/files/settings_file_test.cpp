#include "files/settings_file.h"
#include "app/data_set.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::ReadFile;
using testing::RecordingHost;
using testing::ScratchDir;

class ScriptedDialogs : public FileDialogs {
  public:
    std::string Answer;
    int Asked = 0;
    std::string AskOpenPath(const std::string&, const std::string&) override {
        ++Asked;
        return Answer;
    }
    std::string AskSavePath(const std::string&, const std::string&) override {
        ++Asked;
        return Answer;
    }
};

// A workspace of model 1 with its new-data defaults, in its own program folder.
class SettingsFileTest : public ::testing::Test {
  protected:
    SettingsFileTest() {
        ws.ProgramDir = dir.Path();
        ws.SetModelType(1);
        ws.AtisEnabled = true;
        NewData(ws);
    }
    Workspace FreshWorkspace() const {
        Workspace fresh;
        fresh.ProgramDir = dir.Path();
        fresh.SetModelType(ws.ModelType);
        fresh.AtisEnabled = ws.AtisEnabled;
        NewData(fresh);
        return fresh;
    }
    // Loads text as a settings file into a fresh workspace.
    Workspace Load(const std::string& text) {
        testing::WriteFile(dir.File("load.dat"), text);
        Workspace loaded = FreshWorkspace();
        LastLoad = ReadSettingsFile(loaded, host, dir.File("load.dat"));
        return loaded;
    }

    ScratchDir dir;
    Workspace ws;
    RecordingHost host;
    Outcome LastLoad = Outcome::Failed;
};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) {
        ++n;
    }
    return n;
}

// A model with every kind of value the writer handles: numbers written as they are or by
// magnitude, texts with and without their "#", every plan, directory and call sign.
void FillForWriter(SettingsModel& m) {
    m.UsableGroups[0] = {kOn, 16, "USA"};
    m.UsableGroups[1] = {kOff, -5, "INT"};
    m.UsableGroups[2] = {kOff, 0, ""};
    m.UsableGroups[3] = {1, 240, " EXP"};
    m.Common.TxPoDisplay = -2;
    m.Common.Scan = kOn;
    m.Common.ResumeTime = -3;
    m.Common.PttScanClear = kOff;
    m.Common.DualWatch = kOn;
    m.Common.OffsetTime = -11;
    m.Common.TimeDisplay = kOn;
    m.Common.Weather = 3;
    m.DscBasic.Group = {kOn, kOff, kOn, kOn};
    m.DscBasic.UserMmsi = "3669990010";
    m.DscBasic.PosRequest = {kOn, kOff, kOn, kOff};
    m.DscBasic.PosRequestTx = {kOff, kOn, kOff, kOn};
    m.DscBasic.BeepOut = {kOn, kOn, kOff, kOff, kOn, kOff, kOn, kOn};
    m.DscAdvanced.AllShipsCall = {kOn, kOff, kOff, kOff};
    m.DscAdvanced.AllShipsCallTx = {kOff, kOn, kOff, kOff};
    m.DscAdvanced.GroupCall = {kOff, kOff, kOn, kOff};
    m.DscAdvanced.GroupCallTx = {kOff, kOff, kOff, kOn};
    m.DscAdvanced.IndividualCall = {kOn, kOn, kOff, kOff};
    m.DscAdvanced.IndividualCallTx = {kOff, kOff, kOn, kOn};
    m.DscDisplay = {kOn, kOff, kOn};

    m.Atis.UsableAtisGroup = {kOn, kOff, kOff, kOn};
    m.Atis.AtisCode = "9123456789";
    m.Atis.UsableAtisKikkerGroup = {kOff, kOn, kOff, kOff};
    m.CallSigns[0] = {"244", "PH"};
    m.CallSigns[31] = {"#1", ""};
    ChannelRec& usa = m.Usa[5];
    usa.Position = 5;
    usa.Enable = kOn;
    usa.LowPower = kOff;
    usa.PowUp = kOn;
    usa.Duplex = kOff;
    usa.TxEnable = kOn;
    usa.DispayA = kOff;
    usa.ScanMemory = kOn;
    usa.ChTag = "PORT OPS";
    usa.Scramble = 3;
    ChannelRec& exp = m.Exp[0];
    exp.Enable = kOn;
    exp.CHDisplayL = "A1";
    exp.CHDisplayR = "B";
    exp.Rxfreq = 156.0125;
    exp.Txfreq = 0.0;
    exp.LowPower = kOff;
    exp.PowUp = kOff;
    exp.ScanMemory = kOn;
    exp.ChTag = "EXP ONE";
    m.Wx[9].Enable = kOff;
    m.Wx[9].ScanMemory = kOn;
    m.Wx[9].ChTag = "WX10";
    m.MemoryIds[0] = {};
    m.MemoryIds[0].Enable = kOn;
    m.MemoryIds[0].TagName = "HARBOUR";
    m.MemoryIds[0].Mmsid = "2441234560";
    m.GroupIds[7].TagName = "FLEET";
}

// The lines of text, without their CR LF.
std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// Every section, key and value against the file the program made once and keeps as data
// (tests/data/golden/settings.dat); then what leaving out ATIS and adding Scramble change.
TEST_F(SettingsFileTest, WriterWritesTheGoldenFile) {
    FillForWriter(ws.Model);
    std::string text = BuildSettingsText(ws);
    const std::string golden = ReadFile(TQ530_TEST_DATA_DIR "/golden/settings.dat");
    const std::vector<std::string> lines = CrLfLines(text);
    const std::vector<std::string> expected = CrLfLines(golden);
    ASSERT_GT(expected.size(), 1000u);
    for (size_t i = 0; i < std::min(lines.size(), expected.size()); ++i) {
        ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
    EXPECT_EQ(text, golden);

    ws.AtisEnabled = false;
    const std::string plain = BuildSettingsText(ws);
    EXPECT_EQ(plain.find("ATIS"), std::string::npos);
    EXPECT_NE(plain.find("POS Request ACK Menu=1\r\n[CHUSA0]\r\n"), std::string::npos);
    EXPECT_EQ(Count(plain, "\r\n["), 429u);

    ws.ScrambleFeature = true;
    text = BuildSettingsText(ws);
    EXPECT_NE(text.find("ScanMemory=1\r\nScramble=3\r\nChTag=#PORT OPS\r\n"), std::string::npos);
    EXPECT_EQ(Count(text, "Scramble="), 3u * 114u + 40u);
}

TEST_F(SettingsFileTest, SavedFileLoadsBackIntoTheSameModel) {
    SettingsModel& m = ws.Model;
    m.UsableGroups[1] = {kOn, 37, "INTL"};
    m.Common.OffsetTime = -24;
    m.Common.ResumeTime = 2;
    m.DscBasic.UserMmsi = "2111234560";
    m.DscBasic.BeepOut[7] = kOn;
    m.DscAdvanced.GroupCallTx[2] = kOn;
    m.Atis.AtisCode = "9211234567";
    m.CallSigns[4] = {"211", "DL"};
    for (size_t i = 0; i < m.Usa.size(); i += 3) {
        m.Usa[i].Enable = kOn;
        m.Usa[i].ScanMemory = ToFlag(i % 2 == 0);
        m.Usa[i].ChTag = "U" + std::to_string(i);
        m.Usa[i].Duplex = m.Usa[i].DuplexAllowed;
    }
    m.Canada[113].LowPower = kOn;
    m.Wx[3].ScanMemory = kOn;
    m.GroupIds[2].Enable = kOn;
    m.GroupIds[2].TagName = "FLEET";
    m.GroupIds[2].Mmsid = "0211234500";
    m.Exp[39].Enable = kOn;
    m.Exp[39].Rxfreq = 161.6;
    m.Exp[39].Txfreq = 157.0125;
    m.Exp[39].CHDisplayL = "9";
    m.Exp[39].ChTag = "LAST";

    ASSERT_EQ(WriteSettingsFile(ws, host, dir.File("boat.dat")), Outcome::Ok);
    Workspace loaded = FreshWorkspace();
    ASSERT_EQ(ReadSettingsFile(loaded, host, dir.File("boat.dat")), Outcome::Ok);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_TRUE(loaded.Model == ws.Model);
    EXPECT_EQ(BuildSettingsText(loaded), BuildSettingsText(ws));
}

TEST_F(SettingsFileTest, ParserStructure) {
    const ParsedSettings parsed = ParseSettingsText(
        "junk before\r\n"
        "[ MixedCase ]trailing\r\n"
        " key = value \r\n"
        "hash=# kept \r\n"
        "\ttab\t=\t#x\t\r\n"
        "=no key\r\n"
        "free text\r\n"
        "[]\r\n"
        "[unclosed\r\n"
        "a=1\r\n"
        "  [INDENTED]\r\n"
        "b=2\r\n"
        "[second]\n"
        "c[x]=3\n"
        "[second]\r"
        "c=4\r");
    ASSERT_EQ(parsed.Sections.size(), 4u);
    EXPECT_EQ(parsed.LastSection(), 3);
    const SettingsSection& first = parsed.Sections[0];
    EXPECT_EQ(first.Name, "MIXEDCASE");
    ASSERT_EQ(first.Entries.size(), 3u);
    EXPECT_EQ(first.Entries[0].Key, "KEY");
    EXPECT_EQ(first.Entries[0].Value, "value");
    EXPECT_EQ(first.Entries[1].Value, " kept");
    // Tabs are blanks as much as spaces are, around the line, the key and the value.
    EXPECT_EQ(first.Entries[2].Key, "TAB");
    EXPECT_EQ(first.Entries[2].Value, "x");
    // "[]" ends the first section but opens none; so does the unclosed line, and the entry
    // after it belongs to no section. Blanks before a header do not hide it.
    EXPECT_EQ(parsed.Sections[1].Name, "INDENTED");
    EXPECT_EQ(GetSettingsValue(parsed, "indented", "b"), "2");
    EXPECT_EQ(parsed.Sections[2].Name, "SECOND");
    ASSERT_EQ(parsed.Sections[2].Entries.size(), 1u);
    EXPECT_EQ(parsed.Sections[2].Entries[0].Key, "C[X]");
    EXPECT_EQ(GetSettingsValue(parsed, "Second", "c[x]"), "3");
    EXPECT_EQ(GetSettingsValue(parsed, "second", "C"), "4");
    EXPECT_EQ(GetSettingsValue(parsed, "mixedcase", "Key"), "value");
    EXPECT_EQ(GetSettingsValue(parsed, "mixedcase", "a"), "");
    EXPECT_EQ(GetSettingsValue(parsed, "nowhere", "key"), "");
    EXPECT_EQ(ParseSettingsText("no sections at all\r\n").LastSection(), -1);
}

TEST_F(SettingsFileTest, SplitListTrimsEveryPiece) {
    EXPECT_EQ(SplitList("Group1, Group2, Group3, Exp CH"),
              (std::vector<std::string>{"Group1", "Group2", "Group3", "Exp CH"}));
    EXPECT_EQ(SplitList(" a ,,b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitList(""), (std::vector<std::string>{""}));
}

TEST_F(SettingsFileTest, ValueFormsAndMissingKeys) {
    const Workspace defaults = FreshWorkspace();
    const Workspace loaded = Load(
        "[MAIN]\r\nMODELTYPE=1\r\n"
        "[usable ch group setup]\r\ngroup1=TRUE\r\nGroup2=yes\r\nPRIORITY CH 0=2.5\r\n"
        "Priority CH 1=3.5\r\nPriority CH 2=abc\r\nStatus name 0=#HASH\r\n"
        "[Common Setup]\r\nResume Time=-0.5\r\nOffset Time=99999\r\nSCAN=0\r\n"
        "TX Po Display=1e1\r\n"
        "[DSC Setup (Basic Setup)]\r\nGroup1=-1\r\nGroup2=7\r\nUser MMSI=#  12 \r\n"
        "[CHEXP1]\r\nRxfreq=abc\r\nTxfreq=157.5\r\n"
        "[CHEXP2]\r\nRxfreq= 1.5e2 \r\n");
    const SettingsModel& m = loaded.Model;
    const SettingsModel& d = defaults.Model;
    EXPECT_EQ(m.UsableGroups[0].Usable, kOn);
    EXPECT_EQ(m.UsableGroups[1].Usable, d.UsableGroups[1].Usable);
    EXPECT_EQ(m.UsableGroups[0].PriorityCh, 2);
    EXPECT_EQ(m.UsableGroups[1].PriorityCh, 4);
    EXPECT_EQ(m.UsableGroups[2].PriorityCh, d.UsableGroups[2].PriorityCh);
    EXPECT_EQ(m.UsableGroups[0].StatusName, "HASH");
    EXPECT_EQ(m.UsableGroups[1].StatusName, "");  // a missing text key empties the text
    EXPECT_EQ(m.Common.ResumeTime, 0);
    EXPECT_EQ(m.Common.OffsetTime, d.Common.OffsetTime);
    EXPECT_EQ(m.Common.Scan, kOff);
    EXPECT_EQ(m.Common.TxPoDisplay, 10);
    EXPECT_EQ(m.Common.DualWatch, d.Common.DualWatch);
    EXPECT_EQ(m.DscBasic.Group[0], kOn);
    EXPECT_EQ(m.DscBasic.Group[1], kOn);
    EXPECT_EQ(m.DscBasic.UserMmsi, "  12");
    EXPECT_EQ(m.Exp[0].Rxfreq, d.Exp[0].Rxfreq);
    EXPECT_EQ(m.Exp[0].Txfreq, 157.5);
    EXPECT_EQ(m.Exp[1].Rxfreq, 150.0);
    EXPECT_EQ(m.Exp[1].ChTag, "");
}

TEST_F(SettingsFileTest, PresetSectionsAreCountedAndPlacedByPosition) {
    const Workspace defaults = FreshWorkspace();
    const Workspace loaded = Load(
        "[MAIN]\r\nMODELTYPE=1\r\n"
        "[chusa0]\r\nposition=7\r\nenable=1\r\nchtag=#SEVEN\r\n"
        "[CHUSA1]\r\nPosition=200\r\nEnable=1\r\n"
        "[CHUSA2]\r\nPosition=8.5\r\nEnable=0\r\nChTag=#EIGHT\r\n"
        "[CHUSA3]\r\nPosition=x\r\nChTag=#ZERO\r\n"
        "[CHUSA5]\r\nPosition=9\r\nChTag=#NINE\r\n"
        "[CHINT1]\r\nPosition=1\r\nChTag=#SKIPPED\r\n"
        "[CHCAN0]\r\nPosition=2abc\r\nChTag=#TWO\r\n"
        "[CHCAN0]\r\nPosition=3\r\nChTag=#DUPLICATE\r\n");
    const SettingsModel& m = loaded.Model;
    EXPECT_EQ(m.Usa[7].Enable, kOn);
    EXPECT_EQ(m.Usa[7].ChTag, "SEVEN");
    EXPECT_EQ(m.Usa[8].Enable, kOff);  // 8.5 rounds to 8
    EXPECT_EQ(m.Usa[8].ChTag, "EIGHT");
    EXPECT_EQ(m.Usa[0].ChTag, "ZERO");                         // no number at the start: channel 0
    EXPECT_EQ(m.Usa[9], defaults.Model.Usa[9]);                // after the gap at 4: not read
    EXPECT_EQ(m.International, defaults.Model.International);  // no section 0
    EXPECT_EQ(m.Canada[2].ChTag, "TWO");
    EXPECT_EQ(m.Canada[3], defaults.Model.Canada[3]);
}

TEST_F(SettingsFileTest, DuplexIsDroppedWhereNotAllowed) {
    const Workspace defaults = FreshWorkspace();
    int notAllowed = -1;
    int allowed = -1;
    for (size_t i = 0; i < defaults.Model.Usa.size(); ++i) {
        (defaults.Model.Usa[i].DuplexAllowed != 0 ? allowed : notAllowed) = static_cast<int>(i);
    }
    ASSERT_GE(notAllowed, 0);
    ASSERT_GE(allowed, 0);
    const Workspace loaded = Load(
        "[MAIN]\r\nMODELTYPE=1\r\n[CHUSA0]\r\nPosition=" + std::to_string(notAllowed) +
        "\r\nDuplex=1\r\n[CHUSA1]\r\nPosition=" + std::to_string(allowed) + "\r\nDuplex=1\r\n");
    EXPECT_EQ(loaded.Model.Usa[static_cast<size_t>(notAllowed)].Duplex, kOff);
    EXPECT_EQ(loaded.Model.Usa[static_cast<size_t>(allowed)].Duplex, kOn);
}

TEST_F(SettingsFileTest, AtisSectionsAreReadOnlyWithAtis) {
    const std::string file =
        "[MAIN]\r\nMODELTYPE=1\r\n[ATIS Setup (Common)]\r\nAtis Code=#9211234567\r\n"
        "[ATIS Setup (Call Sign)]\r\nMID1=211\r\n";
    Workspace with = Load(file);
    EXPECT_EQ(with.Model.Atis.AtisCode, "9211234567");
    EXPECT_EQ(with.Model.CallSigns[0].Mid, "211");

    ws.AtisEnabled = false;
    const Workspace defaults = FreshWorkspace();
    Workspace without = Load(file);
    EXPECT_EQ(without.Model.Atis, defaults.Model.Atis);
    EXPECT_EQ(without.Model.CallSigns[0].Mid, defaults.Model.CallSigns[0].Mid);
}

// Every way a file can fail the model check: one message, the defaults kept, no current file,
// and a reason line where the file holds something other than what was expected.
TEST_F(SettingsFileTest, ModelTypeErrorLeavesTheDefaultsAndSaysWhy) {
    const std::string good = "[MAIN]\r\nMODELTYPE=1\r\n[Common Setup]\r\nWeater=3\r\n";
    std::string utf16;
    for (const char c : good) {
        utf16 += c;
        utf16 += '\0';
    }
    const struct {
        std::string Text;
        std::string Reason;  // empty: the message says all there is
    } cases[] = {
        {"[MAIN]\r\nMODELTYPE=11\r\n[Common Setup]\r\nWeater=3\r\n", ""},
        {"[MAIN]\r\nMODELTYPE=one\r\n[Common Setup]\r\nWeater=3\r\n", ""},
        {"", "the file is empty"},
        {"\r\n \t\r\n", "the file holds only blank lines"},
        {"\xFF\xFE" + utf16, "the file is UTF-16 text, not 8-bit text"},
        {utf16, "the file is UTF-16 text, not 8-bit text"},
        {std::string("[MAIN]\0\0\x01MODELTYPE=1", 20), "the file holds NUL bytes: it is not text"},
        {"[OTHER]\r\nMODELTYPE=1\r\n", "no [MAIN] section with MODELTYPE"},
        {"MAIN\tMODELTYPE\t1\r\n", "no [MAIN] section with MODELTYPE"},
        {"[MAIN]\r\nMODEL=#NR6120\r\n[X]\r\nMODELTYPE=1\r\n", "no MODELTYPE in [MAIN]"},
        // Blanks around "=" do not count; a tab instead of "=" does.
        {"[MAIN]\r\nMODELTYPE\t1\r\n[Common Setup]\r\nSCAN\t1\r\n",
         "MODELTYPE in [MAIN] has no \"=\" before its value (tab-separated?)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Reason);
        RecordingHost failing;
        testing::WriteFile(dir.File("odd.dat"), c.Text);
        Workspace loaded = FreshWorkspace();
        loaded.Model.Common.Weather = 2;
        loaded.CurrentFileName = "/somewhere/old.dat";
        EXPECT_EQ(ReadSettingsFile(loaded, failing, dir.File("odd.dat")), Outcome::Failed);
        ASSERT_EQ(failing.MessageTexts(), (std::vector<std::string>{"ModelType Error !!"}));
        EXPECT_EQ(failing.Messages[0].Title, "PC Program for NR6120");
        EXPECT_EQ(failing.Messages[0].Icon, MsgIcon::Critical);
        EXPECT_EQ(failing.Reasons, c.Reason.empty() ? std::vector<std::string>{}
                                                    : std::vector<std::string>{dir.File("odd.dat") +
                                                                               ": " + c.Reason});
        EXPECT_EQ(loaded.CurrentFileName, "");
        EXPECT_TRUE(loaded.Model == FreshWorkspace().Model);
    }
}

TEST_F(SettingsFileTest, ModelTypeErrorOfAFileThatCannotBeReadSaysWhy) {
    // A folder or a FIFO named like a settings file: refused at once, never waited on.
    std::filesystem::create_directory(dir.File("folder.dat"));
    ASSERT_EQ(mkfifo(dir.File("fifo.dat").c_str(), 0644), 0);
    for (const char* name : {"missing.dat", "folder.dat", "fifo.dat"}) {
        EXPECT_EQ(ReadSettingsFile(ws, host, dir.File(name)), Outcome::Failed);
    }
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(3, "ModelType Error !!"));
    EXPECT_EQ(host.Reasons, (std::vector<std::string>{
                                dir.File("missing.dat") + ": the file is missing",
                                dir.File("folder.dat") + ": cannot read: Is a directory",
                                dir.File("fifo.dat") + ": cannot read: Not a regular file"}));
}

// What passes the model check: the number in any form, blanks and tabs around "=", a UTF-8 mark.
TEST_F(SettingsFileTest, ModelTypeCheckAcceptsEveryFormOfTheNumber) {
    for (const char* main : {"[main]\r\nmodeltype=#1.0\r\n", "[MAIN]\r\nMODELTYPE \t=\t 1\r\n",
                             "\xEF\xBB\xBF[MAIN]\r\nMODELTYPE=1\r\n"}) {
        const Workspace loaded = Load(std::string(main) + "[Common Setup]\r\nWeater\t=\t3\r\n");
        EXPECT_EQ(LastLoad, Outcome::Ok) << main;
        EXPECT_EQ(loaded.Model.Common.Weather, 3) << main;
    }
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(SettingsFileTest, AFileWithNoKnownSettingFailsAsAnUnreadableOne) {
    ws.DiagnosticMode = true;
    const std::string path = dir.File("tabs.dat");
    // The model type line is intact; every other line has a tab where "=" belongs.
    testing::WriteFile(path,
                       "[MAIN]\r\nMODELTYPE=1\r\n[Common Setup]\r\nSCAN\t0\r\nWeater \t3\r\n"
                       "[CHUSA0]\r\nPosition\t7\r\n[Unknown]\r\nKey=1\r\n");
    ws.CurrentFileName = "/somewhere/old.dat";
    EXPECT_EQ(ReadSettingsFile(ws, host, path), Outcome::Failed);
    ASSERT_EQ(host.MessageTexts(), (std::vector<std::string>{"FileRead Error!!"}));
    EXPECT_EQ(host.Messages[0].Title, "PC Program for NR6120");
    EXPECT_EQ(
        host.Reasons,
        (std::vector<std::string>{path + ": no known setting beyond [MAIN] (3 lines have a key and "
                                         "a value without \"=\" between them: tab-separated?)"}));
    EXPECT_TRUE(ws.Model == FreshWorkspace().Model);
    EXPECT_EQ(ws.CurrentFileName, "");
    EXPECT_NE(ReadFile(dir.File("err.log"))
                  .find("frmMain.FileRead2 -> " + std::to_string(EINVAL) +
                        "no known setting beyond [MAIN]\r\n"),
              std::string::npos);

    // Section headers alone are no settings either; one known key, even of a wrong form, is.
    RecordingHost second;
    testing::WriteFile(path, "[MAIN]\r\nMODELTYPE=1\r\n[Common Setup]\r\n[CHUSA0]\r\n");
    EXPECT_EQ(ReadSettingsFile(ws, second, path), Outcome::Failed);
    EXPECT_EQ(second.Reasons,
              (std::vector<std::string>{path + ": no known setting beyond [MAIN]"}));
    testing::WriteFile(path, "[MAIN]\r\nMODELTYPE=1\r\n[Common Setup]\r\nSCAN=yes\r\n");
    EXPECT_EQ(ReadSettingsFile(ws, second, path), Outcome::Ok);
}

TEST_F(SettingsFileTest, NumbersNoFieldCanHoldAreReadAsUnreadable) {
    const Workspace defaults = FreshWorkspace();
    const Workspace loaded = Load(
        "[MAIN]\r\nMODELTYPE=1\r\n"
        "[Usable CH Group Setup]\r\nPriority CH 0=99999999999999999999\r\n"
        "Priority CH 1=-1e400\r\nPriority CH 2=2147483647\r\n"
        "[Common Setup]\r\nResume Time=99999999999999999999\r\nOffset Time=1e308\r\n"
        "Weater=32767\r\n"
        "[CHUSA0]\r\nPosition=99999999999999999999\r\nChTag=#LOST\r\n"
        "[CHUSA1]\r\nPosition=3\r\nChTag=#THREE\r\n"
        "[CHEXP1]\r\nRxfreq=1e308\r\nTxfreq=1e999\r\n"
        "[CHEXP2]\r\nRxfreq=-150\r\nTxfreq=199.99995\r\n"
        "[CHEXP3]\r\nRxfreq=199.9999\r\nTxfreq=0\r\n");
    ASSERT_EQ(LastLoad, Outcome::Ok);
    const SettingsModel& m = loaded.Model;
    const SettingsModel& d = defaults.Model;
    EXPECT_EQ(m.UsableGroups[0].PriorityCh, d.UsableGroups[0].PriorityCh);
    EXPECT_EQ(m.UsableGroups[1].PriorityCh, d.UsableGroups[1].PriorityCh);
    EXPECT_EQ(m.UsableGroups[2].PriorityCh, 2147483647);
    EXPECT_EQ(m.Common.ResumeTime, d.Common.ResumeTime);
    EXPECT_EQ(m.Common.OffsetTime, d.Common.OffsetTime);
    EXPECT_EQ(m.Common.Weather, 32767);
    EXPECT_EQ(m.Usa[3].ChTag, "THREE");  // the section with no channel is skipped
    for (const ChannelRec& ch : m.Usa) {
        EXPECT_NE(ch.ChTag, "LOST");
    }
    EXPECT_EQ(m.Exp[0].Rxfreq, d.Exp[0].Rxfreq);
    EXPECT_EQ(m.Exp[0].Txfreq, d.Exp[0].Txfreq);
    EXPECT_EQ(m.Exp[1].Rxfreq, d.Exp[1].Rxfreq);
    EXPECT_EQ(m.Exp[1].Txfreq, d.Exp[1].Txfreq);  // would be written as 100.0000 above 100
    EXPECT_EQ(m.Exp[2].Rxfreq, 199.9999);
    EXPECT_EQ(m.Exp[2].Txfreq, 0.0);
    // What was read is what the file shows again.
    EXPECT_EQ(BuildSettingsText(loaded).find("inf"), std::string::npos);
}

TEST_F(SettingsFileTest, ReadFailureSaysFileReadErrorAndLogs) {
    ws.DiagnosticMode = true;
    testing::WriteFile(dir.File("gone.dat"), "[MAIN]\r\nMODELTYPE=1\r\n");
    const FileReader failingRead = [](const std::string&, std::string&, FileError& error) {
        error = {57, "Device I/O error"};
        return false;
    };
    EXPECT_EQ(ReadSettingsFile(ws, host, dir.File("gone.dat"), failingRead), Outcome::Failed);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"FileRead Error!!"}));
    EXPECT_EQ(host.Messages[0].Title, "PC Program for NR6120");
    EXPECT_NE(ReadFile(dir.File("err.log")).find("frmMain.FileRead2 -> 57Device I/O error\r\n"),
              std::string::npos);
}

TEST_F(SettingsFileTest, OpenSetsTheCurrentFileOnlyAfterALoad) {
    ScriptedDialogs dialogs;
    MemorySettingsStore store;
    DestinationMenu menu;
    EXPECT_EQ(OpenSettings(ws, host, dialogs, store, menu), Outcome::Cancelled);
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_TRUE(host.Messages.empty());

    testing::WriteFile(dir.File("good.dat"),
                       "[MAIN]\r\nMODELTYPE=1\r\n[Common Setup]\r\nSCAN=1\r\n");
    dialogs.Answer = dir.File("good.dat");
    ws.DataChanged = true;
    EXPECT_EQ(OpenSettings(ws, host, dialogs, store, menu), Outcome::Ok);
    EXPECT_EQ(ws.CurrentFileName, dir.File("good.dat"));
    EXPECT_FALSE(ws.CancelRequested);
    EXPECT_FALSE(ws.CommError);
    EXPECT_TRUE(ws.DataChanged);  // a load leaves it as it was

    testing::WriteFile(dir.File("bad.dat"), "[MAIN]\r\nMODELTYPE=11\r\n");
    dialogs.Answer = dir.File("bad.dat");
    EXPECT_EQ(OpenSettings(ws, host, dialogs, store, menu), Outcome::Failed);
    EXPECT_EQ(ws.CurrentFileName, "");
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_TRUE(ws.CommError);
}

TEST_F(SettingsFileTest, SaveToCurrentAsksOnlyWithoutACurrentFile) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(SaveSettings(ws, host, dialogs, true), Outcome::Cancelled);  // asked
    EXPECT_EQ(dialogs.Asked, 1);
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_TRUE(host.Messages.empty());

    dialogs.Answer = dir.File("first.dat");
    ws.DataChanged = true;
    EXPECT_EQ(SaveSettings(ws, host, dialogs, true), Outcome::Ok);
    EXPECT_EQ(ws.CurrentFileName, dir.File("first.dat"));
    EXPECT_TRUE(ws.DataChanged);  // saving does not clear it
    EXPECT_EQ(ReadFile(dir.File("first.dat")), BuildSettingsText(ws));

    ws.Model.Common.Weather = 1;
    EXPECT_EQ(SaveSettings(ws, host, dialogs, true), Outcome::Ok);
    EXPECT_EQ(dialogs.Asked, 2);
    EXPECT_NE(ReadFile(dir.File("first.dat")).find("Weater=1\r\n"), std::string::npos);

    dialogs.Answer = dir.File("second.dat");
    EXPECT_EQ(SaveSettings(ws, host, dialogs, false), Outcome::Ok);
    EXPECT_EQ(dialogs.Asked, 3);
    EXPECT_EQ(ws.CurrentFileName, dir.File("second.dat"));
}

TEST_F(SettingsFileTest, FailedSaveInReadOnlyFolderKeepsTheEarlierFile) {
    ScriptedDialogs dialogs;
    dialogs.Answer = dir.File("kept.dat");
    testing::WriteFile(dialogs.Answer, "earlier contents\r\n");
    ws.CurrentFileName = dir.File("previous.dat");
    chmod(dir.Path().c_str(), 0555);
    Outcome saved = Outcome::Ok;
    {
        testing::AsUnprivileged nobody;
        saved = SaveSettings(ws, host, dialogs, false);
    }
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(saved, Outcome::Failed);
    EXPECT_EQ(ReadFile(dialogs.Answer), "earlier contents\r\n");
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"FileSave Error!!"}));
    EXPECT_EQ(host.Messages[0].Icon, MsgIcon::Exclamation);
    EXPECT_TRUE(ws.CommError);
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_EQ(ws.CurrentFileName, dir.File("previous.dat"));
}

TEST_F(SettingsFileTest, FullDiskSaysFileSaveErrorAndLogs) {
    ws.DiagnosticMode = true;
    ws.CurrentFileName = dir.File("previous.dat");
    EXPECT_EQ(WriteSettingsFile(ws, host, "/dev/full"), Outcome::Failed);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"FileSave Error!!"}));
    EXPECT_EQ(host.Reasons, (std::vector<std::string>{"/dev/full: Not a regular file"}));
    EXPECT_EQ(host.Messages[0].Title, "PC Program for NR6120");
    EXPECT_FALSE(ws.BusyFlag);
    EXPECT_EQ(ws.CurrentFileName, dir.File("previous.dat"));
    const std::string log = ReadFile(dir.File("err.log"));
    EXPECT_NE(log.find(":frmMain.SaveFileAs -> " + std::to_string(EINVAL)), std::string::npos)
        << log;
}

}  // namespace
}  // namespace tq530
