#include "app/startup.h"

#include <gtest/gtest.h>

#include "model/model_traits.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::RecordingHost;
using testing::ScratchDir;

TEST(SwitchesTest, WholeLineIsOneWord) {
    struct Case {
        const char* Line;
        bool Diagnostic;
        bool LowSpeed;
    };
    const Case cases[] = {
        {"/D", true, false},     {"/E", false, true},     {"/DE", true, true},
        {"/ED", true, true},     {"  /de  ", true, true}, {"/d", true, false},
        {"/D /E", false, false}, {"", false, false},      {"-D", false, false},
        {"/DEX", false, false},
    };
    for (const Case& c : cases) {
        const SwitchFlags flags = ParseCommandLine(c.Line);
        EXPECT_EQ(flags.DiagnosticMode, c.Diagnostic) << '"' << c.Line << '"';
        EXPECT_EQ(flags.LowSpeedLink, c.LowSpeed) << '"' << c.Line << '"';
    }
}

TEST(ModelScanTest, OnlyUseOfOneOffersAModel) {
    ScratchDir dir;
    testing::WriteFile(GlobalIniPath(dir.Path()),
                       "[model1]\r\nuse=1\r\natis=true\r\n[model2]\r\nuse=0\r\n"
                       "[model3]\r\nuse=1.0\r\n[model4]\r\nuse=2\r\n");
    const ModelScan scan = ScanModels(GlobalIniPath(dir.Path()));
    EXPECT_EQ(scan.Count, 2);
    EXPECT_TRUE(scan.Offered[0]);
    EXPECT_FALSE(scan.Offered[1]);
    EXPECT_TRUE(scan.Offered[2]);
    EXPECT_FALSE(scan.Offered[3]);
    EXPECT_EQ(scan.LastCounted, 3);
    EXPECT_TRUE(ShowEditMenu(scan));
}

TEST(ModelScanTest, MissingUseEndsTheScan) {
    ScratchDir dir;
    testing::WriteFile(GlobalIniPath(dir.Path()),
                       "[model1]\r\nuse=1\r\n[model2]\r\natis=1\r\n[model3]\r\nuse=1\r\n");
    const ModelScan scan = ScanModels(GlobalIniPath(dir.Path()));
    EXPECT_EQ(scan.Count, 1);
    EXPECT_FALSE(scan.Offered[2]);
    EXPECT_FALSE(ShowEditMenu(scan));

    const auto menu = BuildModelMenu(scan, 1);
    EXPECT_EQ(menu[0].Caption, "NR6120");
    EXPECT_TRUE(menu[0].Visible);
    EXPECT_TRUE(menu[0].Checked);
    for (size_t i = 1; i < menu.size(); ++i) {
        EXPECT_FALSE(menu[i].Visible) << i;
    }
}

TEST(ModelScanTest, NoGlobalIniOffersNothing) {
    ScratchDir dir;
    const ModelScan scan = ScanModels(GlobalIniPath(dir.Path()));
    EXPECT_EQ(scan.Count, 0);
    EXPECT_EQ(scan.LastCounted, 0);
}

TEST(ModelScanTest, AtisOptionReadsBooleanText) {
    ScratchDir dir;
    testing::WriteFile(GlobalIniPath(dir.Path()),
                       "[model1]\nuse=1\natis=TRUE\n[model2]\nuse=1\natis=0\n[model3]\nuse=1\n"
                       "atis=yes\n[model4]\nuse=1\natis=-1\n[model5]\nuse=1\n");
    const std::string ini = GlobalIniPath(dir.Path());
    EXPECT_TRUE(ModelHasAtis(ini, 1));
    EXPECT_FALSE(ModelHasAtis(ini, 2));
    EXPECT_FALSE(ModelHasAtis(ini, 3));
    EXPECT_TRUE(ModelHasAtis(ini, 4));
    EXPECT_FALSE(ModelHasAtis(ini, 5));
}

TEST(LastModelTest, RestoredOnlyWhenStillOffered) {
    ModelScan all;
    all.Offered.fill(true);
    all.Count = 10;
    all.LastCounted = 10;
    MemorySettingsStore store;
    EXPECT_EQ(ChooseModelType(all, store), 1);  // nothing stored: "1"
    store.SetText("Settings", "lastmodel", "10");
    EXPECT_EQ(ChooseModelType(all, store), 10);

    ModelScan some;
    some.Offered[0] = some.Offered[2] = true;
    some.Count = 2;
    some.LastCounted = 3;
    store.SetText("Settings", "lastmodel", "2");
    EXPECT_EQ(ChooseModelType(some, store), 3);
    store.SetText("Settings", "lastmodel", "11");
    EXPECT_EQ(ChooseModelType(some, store), 3);
    store.SetText("Settings", "lastmodel", "garbage");
    EXPECT_EQ(ChooseModelType(some, store), 1);
}

TEST(PortTest, StoredPortIsUsedAsItIs) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadComNum(store), 1);
    store.SetText("ComPath", "ComNum", "3");
    EXPECT_EQ(ReadComNum(store), 3);
    store.SetText("ComPath", "ComNum", "7");
    EXPECT_EQ(ReadComNum(store), 7);
    EXPECT_EQ(PortMenuChecks(7), (std::array<bool, 4>{false, false, false, false}));
    EXPECT_EQ(PortMenuChecks(2), (std::array<bool, 4>{false, true, false, false}));
    store.SetText("ComPath", "ComNum", "COM2");
    EXPECT_EQ(ReadComNum(store), 1);
}

TEST(PortTest, OnlyTheUsersChoiceIsStored) {
    MemorySettingsStore store;
    Workspace ws;
    auto checks = SelectSerialPort(ws, store, 2, false);
    EXPECT_EQ(ws.ComNum, 3);
    EXPECT_TRUE(checks[2]);
    EXPECT_FALSE(store.Has("ComPath", "ComNum"));
    checks = SelectSerialPort(ws, store, 3, true);
    EXPECT_EQ(ws.ComNum, 4);
    EXPECT_EQ(store.GetText("ComPath", "ComNum", ""), "4");
}

TEST(StartUpTest, NoModelSaysUnknownModelAndStops) {
    ScratchDir dir;
    Workspace ws;
    ws.ProgramDir = dir.Path();
    ws.CurrentFileName = "kept";  // a new data set would forget it
    MemorySettingsStore store;
    RecordingHost host;
    DestinationMenu destinations;
    const StartUpResult result = StartUp(ws, store, host, "/D", destinations);
    EXPECT_FALSE(result.ModelFound);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "Unknown model!!");
    EXPECT_EQ(host.Messages[0].Title, "TQ530");
    EXPECT_EQ(host.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_EQ(ws.CurrentFileName, "kept");
    const std::string ini = GlobalIniPath(dir.Path());
    EXPECT_EQ(host.Reasons, (std::vector<std::string>{ini + ": the file is missing"}));
}

TEST(StartUpTest, UnknownModelNamesTheGlobalIniAndWhyItOffersNone) {
    ScratchDir dir;
    const std::string ini = GlobalIniPath(dir.Path());
    const auto reasonFor = [&](const std::string& text) {
        testing::WriteFile(ini, text);
        return NoModelReason(ini);
    };
    EXPECT_EQ(reasonFor(""), ini + ": the file is empty");
    EXPECT_EQ(reasonFor(std::string("\xFF\xFE[\0m\0o\0d\0e\0l\0001\0]\0", 18)),
              ini + ": the file is UTF-16 text, not 8-bit text");
    EXPECT_EQ(reasonFor("[settings]\r\nuse=1\r\n"),
              ini + ": no [model1] with a \"use\" key, where the list of models begins");
    EXPECT_EQ(reasonFor("[model1]\r\nuse=0\r\n[model2]\r\nuse=2\r\n[model4]\r\nuse=1\r\n"),
              ini +
                  ": none of [model1] to [model2] has use=1 (the list ends at [model3], which "
                  "has no \"use\")");
    std::string ten;
    for (int n = 1; n <= 10; ++n) {
        ten += "[model" + std::to_string(n) + "]\r\nuse=0\r\n";
    }
    EXPECT_EQ(reasonFor(ten), ini + ": none of [model1] to [model10] has use=1");

    // What the reason says is what start-up sees, and a mark before [model1] is no obstacle.
    testing::WriteFile(ini, "\xEF\xBB\xBF[model1]\r\nuse=1\r\n");
    EXPECT_EQ(ScanModels(ini).Count, 1);
}

TEST(StartUpTest, ChoosesModelPortAndBuildsTheDataSet) {
    ScratchDir dir;
    testing::WriteFile(GlobalIniPath(dir.Path()), "[model1]\nuse=1\natis=true\n");
    Workspace ws;
    ws.ProgramDir = dir.Path();
    testing::WriteFile(dir.Path() + "/usa_17E8.ini", "");  // listed, though it cannot load
    ws.CurrentFileName = "old.dat";
    ws.DataChanged = true;
    MemorySettingsStore store;
    store.SetText("ComPath", "ComNum", "2");
    store.SetText("Settings", "hexvisible", "True");
    RecordingHost host;
    DestinationMenu destinations;
    const StartUpResult result = StartUp(ws, store, host, " /e ", destinations);
    ASSERT_TRUE(result.ModelFound);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(ws.ModelType, 1);
    EXPECT_EQ(ws.ModelName, "NR6120");
    EXPECT_EQ(ws.TitleText, "PC Program for NR6120");
    EXPECT_TRUE(ws.AtisEnabled);
    EXPECT_EQ(ws.ComNum, 2);
    EXPECT_FALSE(ws.DiagnosticMode);
    EXPECT_TRUE(ws.LowSpeedLink);
    EXPECT_TRUE(result.HexVisible);
    EXPECT_TRUE(destinations.Enabled);
    EXPECT_EQ(destinations.Entries[0].Caption, "USA");
    EXPECT_EQ(ws.CurrentFileName, "");
    EXPECT_FALSE(ws.DataChanged);
}

TEST(StartUpTest, OverridesWinOverGlobalIniAndTheLastModel) {
    struct Case {
        const char* Name;
        const char* GlobalIni;
        StartUpOverrides Overrides;
        StartUpFailure Failure;
        int ModelType;  // when it starts
        bool Atis;
    };
    const char* const twoModels = "[model1]\nuse=1\natis=1\n[model2]\nuse=1\natis=0\n";
    const char* const noneOffered = "[model1]\nuse=0\n";
    const Case cases[] = {
        {"none: the last model", twoModels, {}, StartUpFailure::None, 1, true},
        {"model type", twoModels, {11, std::nullopt, true}, StartUpFailure::None, 11, false},
        {"ATIS off", twoModels, {std::nullopt, false, true}, StartUpFailure::None, 1, false},
        {"ATIS on", twoModels, {2, true, false}, StartUpFailure::None, 2, true},
        {"no model offered", noneOffered, {}, StartUpFailure::NoModel, 0, false},
        {"no model offered, one given",
         noneOffered,
         {1, std::nullopt, true},
         StartUpFailure::None,
         1,
         false},
        {"a model without its own codec",
         twoModels,
         {2, std::nullopt, true},
         StartUpFailure::UnsupportedModel,
         0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScratchDir dir;
        testing::WriteFile(GlobalIniPath(dir.Path()), c.GlobalIni);
        Workspace ws;
        ws.DataChanged = true;
        MemorySettingsStore store;
        store.SetText("Settings", "lastmodel", "1");
        store.SetText("ComPath", "ComNum", "7");
        RecordingHost host;
        DestinationMenu destinations;
        const StartUpResult result =
            PrepareStartUp(ws, dir.Path(), store, c.Overrides, host, destinations);
        EXPECT_EQ(result.Failure, c.Failure);
        EXPECT_EQ(result.ModelFound, c.Failure == StartUpFailure::None);
        EXPECT_EQ(ws.ProgramDir, dir.Path());
        if (c.Failure != StartUpFailure::None) {
            EXPECT_TRUE(ws.Model.Usa.empty());  // no data set was built
            EXPECT_TRUE(ws.DataChanged);
            continue;
        }
        EXPECT_EQ(result.Reason, "");
        EXPECT_EQ(ws.ModelType, c.ModelType);
        EXPECT_EQ(ws.ModelName, TraitsOf(c.ModelType).Name);
        EXPECT_EQ(ws.AtisEnabled, c.Atis);
        EXPECT_EQ(ws.ComNum, 7);
        EXPECT_EQ(ws.RetryCount, 3);
        EXPECT_EQ(ws.Model.Usa.size(), static_cast<size_t>(kPresetChannelCount));
        EXPECT_FALSE(ws.DataChanged);
    }
}

TEST(StartUpTest, FailuresSayWhy) {
    ScratchDir dir;
    Workspace ws;
    MemorySettingsStore store;
    RecordingHost host;
    DestinationMenu destinations;
    const StartUpResult missing = PrepareStartUp(ws, dir.Path(), store, {}, host, destinations);
    EXPECT_EQ(missing.Reason, GlobalIniPath(dir.Path()) + ": the file is missing");
    StartUpOverrides nine;
    nine.ModelType = 9;
    nine.SupportedModelsOnly = true;
    EXPECT_EQ(PrepareStartUp(ws, dir.Path(), store, nine, host, destinations).Reason,
              "model type 9: only the model types 1 and 11 are supported");
}

TEST(CaptionTest, FileNameInLowerCaseWithoutFolders) {
    Workspace ws;
    ws.SetModelType(1);
    EXPECT_EQ(CaptionText(ws), "TQ530  PC Program for NR6120");
    ws.CurrentFileName = "/home/me/Boats/MyBoat.DAT";
    EXPECT_EQ(CaptionText(ws), "TQ530  PC Program for NR6120 - myboat.dat");
}

TEST(SelectModelTest, AsksThenSetsAndSavesTheModel) {
    ScratchDir dir;
    testing::WriteFile(GlobalIniPath(dir.Path()),
                       "[model1]\nuse=1\natis=true\n[model2]\nuse=1\natis=false\n");
    Workspace ws;
    ws.ProgramDir = dir.Path();
    ws.SetModelType(1);
    ws.CurrentFileName = "kept";
    MemorySettingsStore store;
    RecordingHost host;

    EXPECT_FALSE(SelectModel(ws, store, host, 0));  // already the model: no question
    EXPECT_TRUE(host.Questions.empty());

    EXPECT_FALSE(SelectModel(ws, store, host, 1));  // cancelled
    ASSERT_EQ(host.Questions.size(), 1u);
    EXPECT_EQ(host.Questions[0], "Do you want to program the Unknown model series?");
    EXPECT_EQ(ws.ModelType, 1);
    EXPECT_EQ(ws.CurrentFileName, "kept");

    host.Answers.push_back(Answer::Ok);
    ws.DataChanged = true;
    EXPECT_TRUE(SelectModel(ws, store, host, 1));
    EXPECT_EQ(ws.ModelType, 2);
    EXPECT_EQ(ws.TitleText, "PC Program for Unknown model");
    EXPECT_FALSE(ws.AtisEnabled);
    EXPECT_EQ(store.GetText("Settings", "lastmodel", ""), "2");
    EXPECT_TRUE(ws.DataChanged);  // the data set is File New's to throw away
}

TEST(ConfirmCloseTest, DecisionsOfTheSaveQuestion) {
    RecordingHost host;
    Workspace ws;
    int saves = 0;
    bool saveFails = false;
    const auto save = [&] {
        ++saves;
        return saveFails ? Outcome::Failed : Outcome::Ok;
    };
    const auto passes = [] { return true; };

    EXPECT_TRUE(ConfirmClose(ws, host, passes, save));  // unchanged data: no question
    EXPECT_TRUE(host.Questions.empty());

    ws.DataChanged = true;
    host.Answers = {Answer::Cancel, Answer::No, Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_FALSE(ConfirmClose(ws, host, passes, save));
    EXPECT_EQ(host.Questions[0], "KCP data has changed.\nDo you want to save changes?");
    EXPECT_EQ(host.QuestionButtons[0], Buttons::YesNoCancel);
    EXPECT_EQ(host.DefaultButtons[0], Answer::Yes);
    EXPECT_TRUE(ConfirmClose(ws, host, passes, save));
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(ConfirmClose(
        ws, host, [] { return false; }, save));
    EXPECT_EQ(saves, 0);
    saveFails = true;
    EXPECT_FALSE(ConfirmClose(ws, host, passes, save));
    saveFails = false;
    EXPECT_TRUE(ConfirmClose(ws, host, passes, save));
    EXPECT_EQ(saves, 2);
    EXPECT_FALSE(StoreGeometryOnClose(true));
    EXPECT_TRUE(StoreGeometryOnClose(false));
}

}  // namespace
}  // namespace tq530
