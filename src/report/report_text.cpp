#include "report/report_text.h"

#include "core/file_io.h"
#include "model/channel_number_table.h"
#include "model/display_texts.h"
#include "model/image_layout.h"
#include "model/setting_catalogue.h"
#include "report/report_labels.h"

namespace tq530 {

namespace {

constexpr int kLabelWidth = 35;
constexpr int kValueWidth = 18;
// Printed tables keep the text image's columns: a character of it is this wide on paper.
constexpr double kTableMmPerChar = 2.0;
// Where the printout puts the values of a setting line.
constexpr double kSettingValueMm[] = {62, 94, 126, 158};
constexpr double kDscBasicValueMm[] = {50, 80, 95, 110};

class Report {
  public:
    std::vector<ReportRow> Rows;

    void StartPageGroup(PageGroup group) { group_ = group; }
    void SetValuePositions(const double* mm) { valueMm_ = mm; }

    // table: the header opens a table whose title lines a new page repeats.
    void Section(const std::string& header, const std::string& printed = "", bool table = false) {
        Add({});
        Add({{header, 0, 0, printed}}, table);
        firstGroup_ = true;
    }
    void Group(const std::string& title, const std::string& printed = "") {
        if (!firstGroup_) {
            Add({});
        }
        firstGroup_ = false;
        Add({{title, 0, 0, printed}});
    }
    // A label and value cells of the usual widths.
    void Setting(const std::string& label, const std::vector<std::string>& values,
                 const std::string& printedLabel = "") {
        std::vector<ReportCell> cells{{label, kLabelWidth, 0, printedLabel}};
        for (const std::string& value : values) {
            cells.push_back({value, kValueWidth, valueMm_[cells.size() - 1], ""});
        }
        Add(std::move(cells));
    }
    // A label with one value cell of its own width.
    void Pair(const std::string& label, const std::string& value, int valueWidth) {
        Add({{label, kLabelWidth, 0, ""}, {value, valueWidth, valueMm_[0], ""}});
    }
    void Cells(std::vector<ReportCell> cells) { Add(std::move(cells)); }

    // A column title line, cut at the columns so that the printout lines it up with the data.
    void TableTitle(const std::string& line, const std::vector<int>& widths) {
        std::vector<ReportCell> cells;
        size_t offset = 0;
        size_t k = 0;
        for (int width : widths) {
            const bool last = ++k == widths.size();
            if (offset >= line.size()) {
                break;
            }
            const size_t n = last ? std::string::npos : static_cast<size_t>(width);
            cells.push_back({line.substr(offset, n), 0, offset * kTableMmPerChar, ""});
            offset += static_cast<size_t>(width);
        }
        Add(std::move(cells), true);
    }
    void TableRow(const std::vector<int>& widths, std::initializer_list<std::string> texts) {
        std::vector<ReportCell> cells;
        int offset = 0;
        auto text = texts.begin();
        for (int width : widths) {
            cells.push_back({*text++, width, offset * kTableMmPerChar, ""});
            offset += width;
        }
        Add(std::move(cells));
    }

  private:
    void Add(std::vector<ReportCell> cells, bool heading = false) {
        Rows.push_back({std::move(cells), group_, heading});
    }

    bool firstGroup_ = true;
    PageGroup group_ = PageGroup::Settings;
    const double* valueMm_ = kSettingValueMm;
};

// A setting line: the first row's report label and the value text of each row, one a column.
void Line(Report& r, const SettingsModel& m, std::initializer_list<FieldId> ids,
          const std::string& printedLabel = "") {
    std::vector<std::string> values;
    for (const FieldId id : ids) {
        values.push_back(ValueText(RowOf(id), m));
    }
    r.Setting(RowOf(*ids.begin()).ReportLabel, values, printedLabel);
}

void UsableGroupSection(Report& r, const SettingsModel& m) {
    using I = FieldId;
    r.Section("##### Usable CH Group Setup #####");
    const auto& titles = report_label::kGroups;
    r.Setting("", {titles[0], titles[1], titles[2], titles[3]});
    Line(r, m, {I::Group1Usable, I::Group2Usable, I::Group3Usable, I::ExpUsable});
    Line(r, m, {I::Group1PriorityCh, I::Group2PriorityCh, I::Group3PriorityCh});
    Line(r, m, {I::Group1StatusName, I::Group2StatusName, I::Group3StatusName, I::ExpStatusName},
         "Status name");
}

void CommonSection(Report& r, const SettingsModel& m) {
    using I = FieldId;
    r.Section("##### Common Setup #####");
    r.Group("[Starting TX Mode]");
    const SettingRow& txPo = RowOf(I::TxPoDisplay);
    r.Pair(txPo.ReportLabel, ValueText(txPo, m), kLabelWidth);
    r.Group("[Scanning Function]");
    for (const I id : {I::Scan, I::ResumeTime, I::PttScanClear, I::DualWatch}) {
        Line(r, m, {id});
    }
    r.Group("[Time Setup]", "[TIme Setup]");
    Line(r, m, {I::TimeDisplay});
    Line(r, m, {I::OffsetTime});
    r.Group("[Weather CH Function]");
    Line(r, m, {I::Weather});
}

void DscBasicSection(Report& r, const SettingsModel& m, const RadioImage& image) {
    using I = FieldId;
    r.SetValuePositions(kDscBasicValueMm);
    r.Section("##### DSC Setup (Basic Setup) #####");
    r.Group("[Usable DSC CH Group]");
    const I groups[] = {I::DscGroup1, I::DscGroup2, I::DscGroup3};
    for (size_t g = 0; g < 3; ++g) {
        r.Pair(m.UsableGroups[g].StatusName + ":", ValueText(RowOf(groups[g]), m), 20);
    }
    const SettingRow& mmsi = RowOf(I::UserMmsi);
    r.Cells({{mmsi.ReportLabel, kLabelWidth, 0, ""},
             {ValueText(mmsi, m), 12, kDscBasicValueMm[0], ""},
             {"----- ", 0, kDscBasicValueMm[1], ""},
             {LabelText("Count", 7), 0, kDscBasicValueMm[2], ""},
             {std::to_string(image[kUserMmsiCountAddress]), 0, kDscBasicValueMm[3], ""}});
    Line(r, m, {I::DistressCancelCall});
    Line(r, m, {I::PosRequest, I::PosRequestTx});
    Line(r, m, {I::PosReporting, I::PosReportingTx});
    r.Group("[DSC Beep Output]");
    for (const I id : {I::BeepSendDistress, I::BeepAllShips, I::BeepIndividual, I::BeepGroup,
                       I::BeepGeographic, I::BeepPosRequest, I::BeepPosReporting}) {
        Line(r, m, {id}, id == I::BeepGeographic ? "Received Geographic:" : "");
    }
    r.SetValuePositions(kSettingValueMm);
}

void DscAdvancedSection(Report& r, const SettingsModel& m) {
    using I = FieldId;
    // Each call type's four categories, a flag and its TX flag a line.
    const I lines[3][4][2] = {{{I::AllShipsDistress, I::AllShipsDistressTx},
                               {I::AllShipsUrgency, I::AllShipsUrgencyTx},
                               {I::AllShipsSafety, I::AllShipsSafetyTx},
                               {I::AllShipsRoutine, I::AllShipsRoutineTx}},
                              {{I::GroupCallDistress, I::GroupCallDistressTx},
                               {I::GroupCallUrgency, I::GroupCallUrgencyTx},
                               {I::GroupCallSafety, I::GroupCallSafetyTx},
                               {I::GroupCallRoutine, I::GroupCallRoutineTx}},
                              {{I::IndividualDistress, I::IndividualDistressTx},
                               {I::IndividualUrgency, I::IndividualUrgencyTx},
                               {I::IndividualSafety, I::IndividualSafetyTx},
                               {I::IndividualRoutine, I::IndividualRoutineTx}}};
    r.Section("##### DSC Setup (Advanced Setup) #####");
    for (size_t t = 0; t < 3; ++t) {
        r.Group(report_label::kCallTypes[t]);
        for (const auto& pair : lines[t]) {
            Line(r, m, {pair[0], pair[1]});
        }
    }
}

void DscDisplaySection(Report& r, const SettingsModel& m) {
    r.Section("##### DSC Setup (Display Setup) #####");
    for (const FieldId id : {FieldId::IndividualAckMenu, FieldId::IndividualAckMessageMenu,
                             FieldId::PosRequestAckMenu}) {
        Line(r, m, {id});
    }
}

void AtisSection(Report& r, const SettingsModel& m) {
    using I = FieldId;
    const auto& g = m.UsableGroups;
    r.Section("##### ATIS Setup (Common) #####");
    r.Setting("", {g[0].StatusName, g[1].StatusName, g[2].StatusName, g[3].StatusName});
    Line(r, m, {I::AtisGroup1, I::AtisGroup2, I::AtisGroup3, I::AtisExp});
    Line(r, m, {I::AtisCode});
}

// The widths of each table's columns, in characters: its titles and its rows are cut alike,
// so that the printout lines them up.
const std::vector<int> kPresetColumns = {5, 9, 9, 4, 5, 4, 5, 5, 12};
const std::vector<int> kWxColumns = {4, 8, 5, 12};
const std::vector<int> kDirectoryColumns = {5, 14, 9};
const std::vector<int> kExpColumns = {4, 5, 8, 10, 10, 5, 4, 5, 12};

void PresetPlanSection(Report& r, const ChannelPlan& plan, const std::string& name,
                       PageGroup group) {
    const ChannelNumberTable& table = Channels();
    r.StartPageGroup(group);
    r.Section("##### Programable " + name + " Channel #####", "", true);
    r.TableTitle("CH   RX(MHz)  TX(MHz)  TX  LOW  UP  DUP  MEM  CH Name", kPresetColumns);
    r.TableTitle("---  -------  -------  --  ---  --  ---  ---  ------------", kPresetColumns);
    for (size_t i = 0; i < plan.size() && i < table.size(); ++i) {
        const ChannelRec& ch = plan[i];
        if (ch.Enable == 0) {
            continue;
        }
        const ChannelNumberEntry& entry = table[i];
        const double rx = ch.Duplex != 0 ? entry.DuplexRxFreq : entry.RxFreq;
        r.TableRow(kPresetColumns,
                   {entry.Name, FreqText(rx), FreqTextIf(entry.TxFreq, ch.RxOnly != 0),
                    TxText(ch.TxEnable != 0), LowText(ch.LowPower != 0), UpText(ch.PowUp != 0),
                    DupText(ch.Duplex != 0), MemText(ch.ScanMemory != 0), ch.ChTag});
    }
}

void WxSection(Report& r, const ChannelPlan& wx) {
    r.StartPageGroup(PageGroup::Wx);
    r.Section("##### Programable Wx Channel #####", "##### Programable WX Channel #####", true);
    r.TableTitle("CH  ENABLE  MEM  CH Name", kWxColumns);
    r.TableTitle("--  ------  ---  ------------", kWxColumns);
    for (size_t i = 0; i < wx.size(); ++i) {
        r.TableRow(kWxColumns, {std::to_string(i + 1), EnableText(wx[i].Enable != 0),
                                MemText(wx[i].ScanMemory != 0), wx[i].ChTag});
    }
}

struct DirectoryTexts {
    PageGroup Group;
    const char* Header;
    const char* Printed;
    const char* Columns;
};

void DirectorySection(Report& r, const DirectoryEntry* entries, size_t count,
                      const DirectoryTexts& texts) {
    r.StartPageGroup(texts.Group);
    r.Section(texts.Header, texts.Printed, true);
    r.TableTitle(texts.Columns, kDirectoryColumns);
    r.TableTitle("---  ------------  ---------", kDirectoryColumns);
    for (size_t i = 0; i < count; ++i) {
        r.TableRow(kDirectoryColumns, {std::to_string(i + 1), EntryName12(entries[i].TagName),
                                       EntryNumber9(entries[i].Mmsid)});
    }
}

void ExpSection(Report& r, const ChannelPlan& exp) {
    r.StartPageGroup(PageGroup::Exp);
    r.Section("##### Programable Exp Channel #####", "##### Programable EXP Channel #####", true);
    r.TableTitle("CH  CHD  ENABLE  RX(MHz)   TX(MHz)   LOW  UP  MEM  CH Name", kExpColumns);
    r.TableTitle("--  ---  ------  --------  --------  ---  --  ---  ------------", kExpColumns);
    for (size_t i = 0; i < exp.size(); ++i) {
        const ChannelRec& ch = exp[i];
        r.TableRow(kExpColumns,
                   {std::to_string(i + 1), ExpDisplayText(ch.CHDisplayL, ch.CHDisplayR),
                    EnableText(ch.Enable != 0), FreqText4(ch.Rxfreq), FreqText4(ch.Txfreq),
                    LowText(ch.LowPower != 0), UpText(ch.PowUp != 0), MemText(ch.ScanMemory != 0),
                    NameOr12(ch.ChTag)});
    }
}

}  // namespace

std::vector<ReportRow> BuildReportRows(const Workspace& ws) {
    const SettingsModel& m = ws.Model;
    Report r;
    UsableGroupSection(r, m);
    CommonSection(r, m);
    DscBasicSection(r, m, ws.Image);
    DscAdvancedSection(r, m);
    DscDisplaySection(r, m);
    if (ws.AtisEnabled) {
        AtisSection(r, m);
    }
    PresetPlanSection(r, m.Usa, "USA", PageGroup::Usa);
    PresetPlanSection(r, m.International, "International", PageGroup::International);
    PresetPlanSection(r, m.Canada, "Canada", PageGroup::Canada);
    WxSection(r, m.Wx);
    DirectorySection(r, m.MemoryIds.data(), m.MemoryIds.size(),
                     {PageGroup::MemoryIds, "##### Memory ID Setting #####",
                      "##### Memory ID #####", "No.  Station Name  MMSI"});
    DirectorySection(r, m.GroupIds.data(), m.GroupIds.size(),
                     {PageGroup::GroupIds, "##### Group ID Setting #####", "##### Group ID #####",
                      "No.  Group Name    MMSI"});
    ExpSection(r, m.Exp);
    return r.Rows;
}

std::vector<std::string> BuildReportLines(const Workspace& ws) {
    std::vector<std::string> lines;
    for (const ReportRow& row : BuildReportRows(ws)) {
        std::string line;
        for (const ReportCell& cell : row.Cells) {
            line += cell.Width > 0 ? PadText(cell.Text, cell.Width) : cell.Text;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string BuildReportText(const Workspace& ws) {
    const std::vector<std::string> lines = BuildReportLines(ws);
    std::string text;
    text.reserve(lines.size() * 72);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines[i];
    }
    return text;
}

bool SaveReportText(Workspace& ws, UiHost& host, const std::string& text, const std::string& path) {
    FileError error;
    if (!WriteFileReplacing(path, text + "\r\n", error)) {
        host.ShowMessage(error.Text, ws.TitleText, MsgIcon::Exclamation);
        host.ShowReason(path + ": " + error.Text);
        ws.CommError = true;
        ws.CancelRequested = true;
        return false;
    }
    host.PacingPause(500);
    return true;
}

}  // namespace tq530
