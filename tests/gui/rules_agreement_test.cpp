// The entry and channel screens, driven as a person would, and CSV import of the same change
// must give the same answer: what one stores the other stores, and what one refuses (a box
// that stays disabled, a value silently not stored, a "Data Error!!") the other refuses.
#include <QCheckBox>

#include "app/csv_tables.h"
#include "core/csv_text.h"
#include "editor_fixture.h"
#include "window/screens/directory_screen.h"

namespace tq530::testing {
namespace {

constexpr size_t kCh15 = 28;  // USA 15: receive-only in the built-in plan
constexpr size_t kCh16 = 30;  // USA 16: set up without duplex
constexpr size_t kCh01 = 0;   // USA 01: set up with duplex

// A cell of the exported table changed: the row whose first cell is Key, the column by name.
struct CellEdit {
    std::string Key;
    std::string Column;
    std::string Text;
};

struct Case {
    const char* Name;
    CsvTable Table;
    std::function<void(SettingsModel&)> Setup;
    std::function<void()> Screen;  // what the operator does on the screen
    std::vector<CellEdit> Cells;   // the same change in the table
    const char* RefusedColumn;     // nullptr: both store it; "" the row as a whole
};

class RulesAgreementTest : public EditorFixture {
  protected:
    void Start(const std::function<void(SettingsModel&)>& setup) {
        panel.reset();
        window.reset();
        Make(true, [&setup](SettingsModel& m) {
            const char* const names[] = {"SHIP1", "SHIP2", "SHIP3"};
            for (size_t i = 0; i < 3; ++i) {
                m.MemoryIds[i] = {kOn, names[i], std::string(9, char('1' + i)) + "0", {}};
            }
            m.GroupIds[0] = {kOn, "FLEET", "0123456780", {}};
            for (size_t i : {kCh01, kCh16}) {
                m.Usa[i].Enable = kOn;
                m.Usa[i].TxEnable = kOn;
                m.Usa[i].LowPower = kOff;
                m.Usa[i].PowUp = kOff;
                m.Usa[i].Duplex = kOff;
                m.Usa[i].DuplexAllowed = ToFlag(i == kCh01);
            }
            m.Exp[0] = ChannelRec{};
            m.Exp[0].Enable = kOn;
            m.Exp[0].TxEnable = kOn;
            m.Exp[0].CHDisplayL = "12";
            m.Exp[0].Rxfreq = 150.0;
            m.Exp[0].Txfreq = 150.0;
            if (setup) {
                setup(m);
            }
        });
    }

    static std::string Edited(const std::string& csv, const std::vector<CellEdit>& edits) {
        CsvParse parsed = ParseCsv(csv);
        const CsvRecord& header = parsed.Records[0];
        for (const CellEdit& e : edits) {
            const size_t column =
                std::find(header.begin(), header.end(), e.Column) - header.begin();
            EXPECT_LT(column, header.size()) << e.Column;
            bool found = false;
            for (size_t r = 1; r < parsed.Records.size(); ++r) {
                if (parsed.Records[r][0] == e.Key && column < header.size()) {
                    parsed.Records[r][column] = e.Text;
                    found = true;
                }
            }
            EXPECT_TRUE(found) << e.Key;
        }
        std::string text;
        for (const CsvRecord& record : parsed.Records) {
            text += CsvLine(record);
        }
        return text;
    }

    void Check(const Case& c) {
        SCOPED_TRACE(c.Name);
        Start(c.Setup);
        const SettingsModel before = ws.Model;
        const std::string csv = Edited(ExportCsvText(before, c.Table), c.Cells);
        const CsvImport imported = ImportCsvText(before, c.Table, csv);
        c.Screen();
        panel->InputCheck();
        if (c.RefusedColumn == nullptr) {
            ASSERT_TRUE(imported.Ok()) << ProblemText(imported.Problems[0]);
            EXPECT_NE(ws.Model, before) << "the screen stored nothing";
            EXPECT_EQ(imported.Model, ws.Model);
            return;
        }
        EXPECT_EQ(ws.Model, before) << "the screen stored it";
        ASSERT_EQ(imported.Problems.size(), 1u);
        EXPECT_EQ(imported.Problems[0].Column, c.RefusedColumn)
            << ProblemText(imported.Problems[0]);
    }

    DirectoryScreen* Entry() const { return Screen<DirectoryScreen>(); }
    void TypeMmsi(const std::string& node, const QString& digits) {
        ClickNode(node);
        TypeInto(Entry()->Mmsi(), digits);
        if (digits.isEmpty()) {
            QTest::keyClick(Entry()->Mmsi(), Qt::Key_Backspace);
        }
        EXPECT_EQ(Entry()->Mmsi()->text(), digits);
        TabAway(Entry()->Mmsi());
    }
    void TypeName(const std::string& node, const QString& name) {
        ClickNode(node);
        TypeInto(Entry()->Name(), name);
        if (name.isEmpty()) {
            QTest::keyClick(Entry()->Name(), Qt::Key_Backspace);
        }
        EXPECT_EQ(Entry()->Name()->text(), name);
        TabAway(Entry()->Name());
    }
    void ClickBox(const std::string& node, QCheckBox* (ChannelScreen::*box)() const) {
        ClickNode(node);
        Click((Channel()->*box)());
    }
    void TypeRx(const QString& text) {
        ClickNode("E 1");
        TypeInto(Channel()->RxFrequency(), text);
        QTest::keyClick(Channel()->RxFrequency(), Qt::Key_Tab);
        Settle();
    }
};

TEST_F(RulesAgreementTest, DirectoryEntriesTakeTheSameEditsOnTheScreenAndFromCsv) {
    const CsvTable ids = CsvTable::MemoryId;
    const auto noMmsi3 = [](SettingsModel& m) { m.MemoryIds[2].Mmsid.clear(); };
    const std::vector<Case> cases = {
        {"an MMSI of 9 digits",
         ids,
         {},
         [this] { TypeMmsi("SM 2", "366123456"); },
         {{"2", "MMSI", "366123456"}},
         nullptr},
        {"an MMSI of 8 digits",
         ids,
         {},
         [this] { TypeMmsi("SM 2", "36612345"); },
         {{"2", "MMSI", "36612345"}},
         "MMSI"},
        {"an MMSI of 1 digit",
         ids,
         {},
         [this] { TypeMmsi("SM 3", "3"); },
         {{"3", "MMSI", "3"}},
         "MMSI"},
        {"an emptied MMSI deletes the entry and packs",
         ids,
         {},
         [this] { TypeMmsi("SM 1", ""); },
         {{"1", "MMSI", ""}},
         nullptr},
        {"an emptied MMSI of the last entry in use",
         ids,
         {},
         [this] { TypeMmsi("SM 3", ""); },
         {{"3", "MMSI", "---------"}},
         nullptr},
        {"an emptied name and MMSI",
         ids,
         {},
         [this] {
             TypeName("SM 2", "");
             TypeMmsi("SM 2", "");
         },
         {{"2", "STATION NAME", ""}, {"2", "MMSI", ""}},
         nullptr},
        {"added at the first free place",
         ids,
         {},
         [this] {
             ClickNode("SM 4");
             Click(Entry()->Add());
             TypeName("SM 4", "TUG");
             TypeMmsi("SM 4", "211000004");
         },
         {{"4", "STATION NAME", "TUG"}, {"4", "MMSI", "211000004"}},
         nullptr},
        {"added behind an entry without an MMSI",
         ids,
         noMmsi3,
         [this] {
             ClickNode("SM 4");
             Click(Entry()->Add());
         },
         {{"4", "STATION NAME", "TUG"}, {"4", "MMSI", "211000004"}},
         ""},
        {"a group MMSI of 8 digits",
         CsvTable::GroupId,
         {},
         [this] { TypeMmsi("SG 1", "87654321"); },
         {{"1", "MMSI", "87654321"}},
         nullptr},
        {"a group MMSI of 7 digits",
         CsvTable::GroupId,
         {},
         [this] { TypeMmsi("SG 1", "8765432"); },
         {{"1", "MMSI", "8765432"}},
         "MMSI"},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

TEST_F(RulesAgreementTest, DirectoryNamesTakeTheSameEditsOnTheScreenAndFromCsv) {
    const CsvTable ids = CsvTable::MemoryId;
    const std::vector<Case> cases = {
        {"a new name",
         ids,
         {},
         [this] { TypeName("SM 2", "PILOT (2)"); },
         {{"2", "STATION NAME", "PILOT (2)"}},
         nullptr},
        {"an emptied name",
         ids,
         {},
         [this] { TypeName("SM 2", "   "); },
         {{"2", "STATION NAME", "   "}},
         "STATION NAME"},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

TEST_F(RulesAgreementTest, ChannelFlagsAndExpFrequenciesTakeTheSameEdits) {
    const CsvTable usa = CsvTable::Usa;
    const auto tx = &ChannelScreen::TxEnable;
    const auto low = &ChannelScreen::LowPower;
    const auto up = &ChannelScreen::PowerUp;
    const auto dup = &ChannelScreen::Duplex;
    const auto txOff = [](SettingsModel& m) { m.Usa[kCh16].TxEnable = kOff; };
    const auto lowOn = [](SettingsModel& m) { m.Usa[kCh16].LowPower = kOn; };
    const std::vector<Case> cases = {
        {"TX on a receive-only channel",
         usa,
         {},
         [=] { ClickBox("PU 28", tx); },
         {{"15", "TX", "TX"}},
         "TX"},
        {"TX off", usa, {}, [=] { ClickBox("PU 30", tx); }, {{"16", "TX", "--"}}, nullptr},
        {"LOW on a channel that transmits",
         usa,
         {},
         [=] { ClickBox("PU 30", low); },
         {{"16", "LOW", "LOW"}},
         nullptr},
        {"LOW without TX",
         usa,
         txOff,
         [=] { ClickBox("PU 30", low); },
         {{"16", "LOW", "LOW"}},
         "LOW"},
        {"UP with LOW", usa, lowOn, [=] { ClickBox("PU 30", up); }, {{"16", "UP", "UP"}}, nullptr},
        {"UP without LOW", usa, {}, [=] { ClickBox("PU 30", up); }, {{"16", "UP", "UP"}}, "UP"},
        {"DUP where the channel has duplex",
         usa,
         {},
         [=] { ClickBox("PU 0", dup); },
         {{"01", "DUP", "DUP"}},
         nullptr},
        {"DUP where it has none",
         usa,
         {},
         [=] { ClickBox("PU 30", dup); },
         {{"16", "DUP", "DUP"}},
         "DUP"},
        {"EXP 137 MHz",
         CsvTable::Exp,
         {},
         [this] { TypeRx("137"); },
         {{"1", "RX[MHz]", "137"}},
         nullptr},
        {"EXP 173.975 MHz",
         CsvTable::Exp,
         {},
         [this] { TypeRx("173.975"); },
         {{"1", "RX[MHz]", "173.975"}},
         nullptr},
        {"EXP off the raster",
         CsvTable::Exp,
         {},
         [this] { TypeRx("156.0125"); },
         {{"1", "RX[MHz]", "156.0125"}},
         "RX[MHz]"},
        {"EXP above the band",
         CsvTable::Exp,
         {},
         [this] { TypeRx("174.025"); },
         {{"1", "RX[MHz]", "174.025"}},
         "RX[MHz]"},
        {"EXP below the band",
         CsvTable::Exp,
         {},
         [this] { TypeRx("136.975"); },
         {{"1", "RX[MHz]", "136.975"}},
         "RX[MHz]"},
    };
    for (const Case& c : cases) {
        Check(c);
    }
    // The tests above must have met the screen's refusals where they expect them.
    EXPECT_FALSE(host.Messages.empty());
}

}  // namespace
}  // namespace tq530::testing
