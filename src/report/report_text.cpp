#include "report/report_text.h"

#include "core/file_io.h"
#include "model/channel_number_table.h"
#include "model/display_texts.h"
#include "report/report_labels.h"

namespace tq530 {

namespace {

constexpr int kLabelWidth = 35;
constexpr int kValueWidth = 18;

class Report {
  public:
    std::vector<std::string> Lines;

    void Section(const std::string& header) {
        Lines.emplace_back();
        Lines.push_back(header);
        firstGroup_ = true;
    }
    void Group(const std::string& title) {
        if (!firstGroup_) {
            Lines.emplace_back();
        }
        firstGroup_ = false;
        Lines.push_back(title);
    }
    // A label and value cells of the usual widths.
    void Setting(const std::string& label, std::initializer_list<std::string> values) {
        std::string line = PadText(label, kLabelWidth);
        for (const std::string& value : values) {
            line += PadText(value, kValueWidth);
        }
        Lines.push_back(line);
    }
    void Line(std::string line) { Lines.push_back(std::move(line)); }

  private:
    bool firstGroup_ = true;
};

void UsableGroupSection(Report& r, const SettingsModel& m) {
    const auto& g = m.UsableGroups;
    r.Section("##### Usable CH Group Setup #####");
    const auto& titles = report_label::kGroups;
    r.Setting("", {titles[0], titles[1], titles[2], titles[3]});
    r.Setting("Enable", {OnOffText(g[0].Usable != 0), OnOffText(g[1].Usable != 0),
                         OnOffText(g[2].Usable != 0), OnOffText(g[3].Usable != 0)});
    r.Setting("Priority CH", {PriorityChText(g[0].PriorityCh), PriorityChText(g[1].PriorityCh),
                              PriorityChText(g[2].PriorityCh)});
    r.Setting("Status Name", {StatusNameText(g[0].StatusName), StatusNameText(g[1].StatusName),
                              StatusNameText(g[2].StatusName), StatusNameText(g[3].StatusName)});
}

void CommonSection(Report& r, const CommonSetup& c) {
    r.Section("##### Common Setup #####");
    r.Group("[Starting TX Mode]");
    r.Line(PadText("TX Po Display:", kLabelWidth) +
           PadText(TxPoDisplayText(c.TxPoDisplay), kLabelWidth));
    r.Group("[Scanning Function]");
    r.Setting("SCAN:", {OnOffText(c.Scan != 0)});
    r.Setting("Resume Time:", {ResumeTimeText(c.ResumeTime)});
    r.Setting("PTT SCAN Clear:", {OnOffText(c.PttScanClear != 0)});
    r.Setting("Dual Watch:", {OnOffText(c.DualWatch != 0)});
    r.Group("[Time Setup]");
    r.Setting("Time Display:", {TimeDisplayText(c.TimeDisplay)});
    r.Setting("Offset Time:", {OffsetTimeText(c.OffsetTime)});
    r.Group("[Weather CH Function]");
    r.Setting("Weather Alert:", {WeatherAlertText(c.Weather)});
}

void DscBasicSection(Report& r, const SettingsModel& m, const RadioImage& image) {
    const DscBasicSetup& b = m.DscBasic;
    r.Section("##### DSC Setup (Basic Setup) #####");
    r.Group("[Usable DSC CH Group]");
    for (size_t g = 0; g < 3; ++g) {
        r.Line(PadText(m.UsableGroups[g].StatusName + ":", kLabelWidth) +
               PadText(OnOffText(b.Group[g] != 0), 20));
    }
    r.Line(PadText("User MMSI:", kLabelWidth) + PadText(b.UserMmsi, 12) + "----- " +
           LabelText("Count", 7) + std::to_string(image[327]));
    r.Setting("Distress Cancel Call:", {OnOffText(b.PosRequest[0] != 0)});
    r.Setting("POS Request:", {OnOffText(b.PosRequest[2] != 0), HiLowText(b.PosRequestTx[2] != 0)});
    r.Setting("POS Reporting:",
              {OnOffText(b.PosRequest[3] != 0), HiLowText(b.PosRequestTx[3] != 0)});
    r.Group("[DSC Beep Output]");
    for (size_t i = 0; i < 7; ++i) {
        r.Setting(report_label::kBeepOut[i], {OnOffText(b.BeepOut[i] != 0)});
    }
}

void DscAdvancedSection(Report& r, const DscAdvancedSetup& a) {
    struct CallType {
        const char* Title;
        const Flags4* Call;
        const Flags4* Tx;
    };
    const auto& titles = report_label::kCallTypes;
    const CallType types[] = {{titles[0], &a.AllShipsCall, &a.AllShipsCallTx},
                              {titles[1], &a.GroupCall, &a.GroupCallTx},
                              {titles[2], &a.IndividualCall, &a.IndividualCallTx}};
    r.Section("##### DSC Setup (Advanced Setup) #####");
    for (const CallType& type : types) {
        r.Group(type.Title);
        for (size_t i = 0; i < 4; ++i) {
            r.Setting(report_label::kCallCategories[i],
                      {OnOffText((*type.Call)[i] != 0), HiLowText((*type.Tx)[i] != 0)});
        }
    }
}

void DscDisplaySection(Report& r, const DscDisplaySetup& d) {
    r.Section("##### DSC Setup (Display Setup) #####");
    r.Setting("Individual ACK Menu:", {OnOffText(d.IndividualAckMenu != 0)});
    r.Setting("Individual ACK Message Menu:", {OnOffText(d.IndividualAckMessageMenu != 0)});
    r.Setting("POS Request ACK Menu:", {OnOffText(d.PosRequestAckMenu != 0)});
}

void AtisSection(Report& r, const SettingsModel& m) {
    const auto& g = m.UsableGroups;
    const Flags4& usable = m.Atis.UsableAtisGroup;
    r.Section("##### ATIS Setup (Common) #####");
    r.Setting("", {g[0].StatusName, g[1].StatusName, g[2].StatusName, g[3].StatusName});
    r.Setting("Usable ATIS CH Group:", {OnOffText(usable[0] != 0), OnOffText(usable[1] != 0),
                                        OnOffText(usable[2] != 0), OnOffText(usable[3] != 0)});
    r.Setting("ATIS Code:", {m.Atis.AtisCode});
}

void PresetPlanSection(Report& r, const ChannelPlan& plan, const std::string& name) {
    const ChannelNumberTable& table = Channels();
    r.Section("##### Programable " + name + " Channel #####");
    r.Line("CH   RX(MHz)  TX(MHz)  TX  LOW  UP  DUP  MEM  CH Name");
    r.Line("---  -------  -------  --  ---  --  ---  ---  ------------");
    for (size_t i = 0; i < plan.size() && i < table.size(); ++i) {
        const ChannelRec& ch = plan[i];
        if (ch.Enable == 0) {
            continue;
        }
        const ChannelNumberEntry& entry = table[i];
        const double rx = ch.Duplex != 0 ? entry.DuplexRxFreq : entry.RxFreq;
        r.Line(PadText(entry.Name, 5) + PadText(FreqText(rx), 9) +
               PadText(FreqTextIf(entry.TxFreq, ch.RxOnly != 0), 9) +
               PadText(TxText(ch.TxEnable != 0), 4) + PadText(LowText(ch.LowPower != 0), 5) +
               PadText(UpText(ch.PowUp != 0), 4) + PadText(DupText(ch.Duplex != 0), 5) +
               PadText(MemText(ch.ScanMemory != 0), 5) + PadText(ch.ChTag, 12));
    }
}

void WxSection(Report& r, const ChannelPlan& wx) {
    r.Section("##### Programable Wx Channel #####");
    r.Line("CH  ENABLE  MEM  CH Name");
    r.Line("--  ------  ---  ------------");
    for (size_t i = 0; i < wx.size(); ++i) {
        r.Line(PadText(std::to_string(i + 1), 4) + PadText(EnableText(wx[i].Enable != 0), 8) +
               PadText(MemText(wx[i].ScanMemory != 0), 5) + PadText(wx[i].ChTag, 12));
    }
}

void DirectorySection(Report& r, const DirectoryEntry* entries, size_t count,
                      const std::string& header, const std::string& columns) {
    r.Section(header);
    r.Line(columns);
    r.Line("---  ------------  ---------");
    for (size_t i = 0; i < count; ++i) {
        r.Line(PadText(std::to_string(i + 1), 5) + PadText(EntryName12(entries[i].TagName), 14) +
               PadText(EntryNumber9(entries[i].Mmsid), 9));
    }
}

void ExpSection(Report& r, const ChannelPlan& exp) {
    r.Section("##### Programable Exp Channel #####");
    r.Line("CH  CHD  ENABLE  RX(MHz)   TX(MHz)   LOW  UP  MEM  CH Name");
    r.Line("--  ---  ------  --------  --------  ---  --  ---  ------------");
    for (size_t i = 0; i < exp.size(); ++i) {
        const ChannelRec& ch = exp[i];
        r.Line(PadText(std::to_string(i + 1), 4) +
               PadText(ExpDisplayText(ch.CHDisplayL, ch.CHDisplayR), 5) +
               PadText(EnableText(ch.Enable != 0), 8) + PadText(FreqText4(ch.Rxfreq), 10) +
               PadText(FreqText4(ch.Txfreq), 10) + PadText(LowText(ch.LowPower != 0), 5) +
               PadText(UpText(ch.PowUp != 0), 4) + PadText(MemText(ch.ScanMemory != 0), 5) +
               PadText(NameOr12(ch.ChTag), 12));
    }
}

}  // namespace

std::vector<std::string> BuildReportLines(const Workspace& ws) {
    const SettingsModel& m = ws.Model;
    Report r;
    UsableGroupSection(r, m);
    CommonSection(r, m.Common);
    DscBasicSection(r, m, ws.Image);
    DscAdvancedSection(r, m.DscAdvanced);
    DscDisplaySection(r, m.DscDisplay);
    if (ws.AtisEnabled) {
        AtisSection(r, m);
    }
    PresetPlanSection(r, m.Usa, "USA");
    PresetPlanSection(r, m.International, "International");
    PresetPlanSection(r, m.Canada, "Canada");
    WxSection(r, m.Wx);
    DirectorySection(r, m.MemoryIds.data(), m.MemoryIds.size(), "##### Memory ID Setting #####",
                     "No.  Station Name  MMSI");
    DirectorySection(r, m.GroupIds.data(), m.GroupIds.size(), "##### Group ID Setting #####",
                     "No.  Group Name    MMSI");
    ExpSection(r, m.Exp);
    return r.Lines;
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
        ws.CommError = true;
        ws.CancelRequested = true;
        return false;
    }
    host.PacingPause(500);
    return true;
}

}  // namespace tq530
