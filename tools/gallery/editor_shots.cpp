// Every screen kind and grid of the editor inside the main window, at its smallest size and
// larger, over a data set where each screen has something to show.
#include <QApplication>
#include <QTabWidget>

#include "gallery.h"
#include "window/screens/dsc_screen.h"
#include "window/screens/editor_panel.h"

namespace tq530::gallery {
namespace {

void FillTheScreens(SettingsModel& m) {
    for (UsableGroup& g : m.UsableGroups) {
        g.Usable = kOn;
    }
    m.UsableGroups[0].StatusName = "USA";
    m.DscBasic.UserMmsi = "2111234560";
    m.Atis.AtisCode = "9211123456";
    m.Common.Weather = 3;
    PollingEntry& poll = m.AutoPos.Polling[1];
    poll.Enable = kOn;
    poll.SelectCall = 0;
    poll.LastAddress = 0;
    poll.Channel = 30;
    poll.Interval = 3;
    m.Usa[30].ChTag = "DISTRESS";
    m.Usa[30].ScanMemory = kOn;
    ChannelRec& e = m.Exp[0];
    e.Enable = kOn;
    e.CHDisplayL = "12";
    e.CHDisplayR = "A";
    e.Rxfreq = 156.025;
    e.Txfreq = 160.625;
    e.ChTag = "MARINA";
    m.MemoryIds[0].Enable = kOn;
    m.MemoryIds[0].TagName = "HARBOUR";
    m.MemoryIds[0].Mmsid = "2111234560";
    m.GroupIds[0].Enable = kOn;
    m.GroupIds[0].TagName = "FLEET";
    m.GroupIds[0].Mmsid = "0211123450";
}

struct ScreenShot {
    const char* Key;
    const char* Name;
    int Tab = -1;  // the DSC screen's tab
};

const ScreenShot kScreens[] = {
    {"General", "general"},      {"Usable", "usable"},
    {"Common", "common"},        {"DSC", "dsc_basic", 0},
    {"DSC", "dsc_advanced", 1},  {"DSC", "dsc_display", 2},
    {"DSC", "dsc_auto_pos", 3},  {"ATIS", "atis"},
    {"Program", "program"},      {"PU", "grid_usa"},
    {"PU 30", "channel_usa16"},  {"PU 31", "channel_usa16a"},
    {"PW", "weather"},           {"SM", "grid_memory_id"},
    {"SM 1", "entry_memory_id"}, {"SM 2", "entry_memory_id_free"},
    {"SG", "grid_group_id"},     {"SG 1", "entry_group_id"},
    {"ExpChannel", "grid_exp"},  {"E 1", "channel_exp1"},
    {"DSCSetting", "dsc_node"},
};

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

}  // namespace

void EditorShots(Gallery& gallery) {
    Stage stage(kOneModel);
    if (!gallery.Check(stage.Start(), "editor: not started")) {
        return;
    }
    MainWindow& window = stage.Window();
    EditorPanel& panel = *window.Editor();
    FillTheScreens(stage.Ws().Model);
    panel.RebuildTree();
    for (const QSize size : {QSize(607, 444), QSize(1000, 700)}) {
        window.resize(size);
        Settle();
        for (const ScreenShot& shot : kScreens) {
            panel.SelectNode(shot.Key);
            Settle();
            if (!gallery.Check(panel.ShownKey() == shot.Key,
                               QStringLiteral("editor: %1 not shown").arg(shot.Key))) {
                continue;
            }
            if (shot.Tab >= 0) {
                auto* dsc = panel.ScreenArea()->findChild<DscScreen*>();
                if (!gallery.Check(dsc != nullptr, "editor: no DSC screen")) {
                    continue;
                }
                dsc->Tabs()->setCurrentIndex(shot.Tab);
                Settle();
            }
            gallery.Save(window, QStringLiteral("editor_%1_%2x%3")
                                     .arg(QString::fromLatin1(shot.Name))
                                     .arg(size.width())
                                     .arg(size.height()));
        }
    }
}

}  // namespace tq530::gallery
