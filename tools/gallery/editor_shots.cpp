// Every screen kind and grid of the editor inside the main window, at its smallest size and
// larger, over a data set where each screen has something to show.
#include <QApplication>
#include <QHelpEvent>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

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
    m.Exp[1].Enable = kOn;  // no frequency yet: cannot be left
    m.Exp[1].CHDisplayL = "14";
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

// Answers every message box that opens while it lives, as an operator reading it would.
class BoxCloser {
  public:
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->accept();
            }
        });
        timer_.start(20);
    }

  private:
    QTimer timer_;
};

QTreeWidgetItem* FindNode(QTreeWidget* tree, const QString& key) {
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            return *it;
        }
    }
    return nullptr;
}

// The tree at the smallest window with its longest texts open, the tip of one that it cuts
// off, and a long notice in the status bar.
void NarrowTreeShots(Gallery& gallery, MainWindow& window, EditorPanel& panel) {
    auto* tree = qobject_cast<QTreeWidget*>(panel.Tree());
    QTreeWidgetItem* entry = FindNode(tree, QStringLiteral("SM 1"));
    if (!gallery.Check(entry != nullptr, "editor: no Memory ID1 node")) {
        return;
    }
    for (QTreeWidgetItem* p = entry->parent(); p != nullptr; p = p->parent()) {
        p->setExpanded(true);
    }
    panel.SelectNode("Usable");
    window.SetNotice(
        QStringLiteral("The backup of this read could not be kept: "
                       "/home/operator/.local/share/TQ530/backups/NR6120.hex"));
    Settle();
    gallery.Save(window, QStringLiteral("editor_tree_long_texts_607x444"));
    tree->scrollToItem(entry);
    Settle();
    const QPoint pos = tree->visualItemRect(entry).center();
    QHelpEvent help(QEvent::ToolTip, pos, tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(tree->viewport(), &help);
    Settle();
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible()) {
            tip = w;
        }
    }
    if (gallery.Check(tip != nullptr, "editor: no tip on a cut-off node")) {
        gallery.Save(*tip, QStringLiteral("editor_tree_tip_607x444"));
    }
    QToolTip::hideText();
    window.SetNotice(QString());
}

// An enabled EXP channel without an RX frequency cannot be left: the box at fault has the
// focus and the status bar says why.
void RefusedExpShot(Gallery& gallery, MainWindow& window, EditorPanel& panel) {
    panel.SelectNode("E 2");
    Settle();
    {
        const BoxCloser closer;
        panel.SelectNode("Common");
        Settle();
    }
    if (gallery.Check(panel.ShownKey() == "E 2", "editor: incomplete EXP 2 was left")) {
        gallery.Save(window, QStringLiteral("editor_channel_exp_refused_607x444"));
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
    window.resize(607, 444);
    Settle();
    NarrowTreeShots(gallery, window, panel);
    RefusedExpShot(gallery, window, panel);
}

}  // namespace tq530::gallery
