#include "window/screens/editor_panel.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPointer>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <array>
#include <unordered_map>
#include <vector>

#include "core/ui_host.h"
#include "core/workspace.h"
#include "editor/channel_grids.h"
#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "window/screens/atis_screen.h"
#include "window/screens/channel_grid.h"
#include "window/screens/channel_screen.h"
#include "window/screens/common_screen.h"
#include "window/screens/directory_screen.h"
#include "window/screens/dsc_screen.h"
#include "window/screens/field_edit.h"
#include "window/screens/simple_screens.h"
#include "window/screens/usable_screen.h"
#include "window/screens/weather_screen.h"

namespace tq530 {

namespace {

constexpr int kKeyRole = Qt::UserRole;

std::string KeyOfItem(const QTreeWidgetItem* item) {
    return item == nullptr ? std::string() : ToModel(item->data(0, kKeyRole).toString());
}

// Switching a group on or off changes which nodes the tree has.
bool IsUsableSwitch(const std::optional<FieldId>& field) {
    for (const FieldId id : {FieldId::Group1Usable, FieldId::Group2Usable, FieldId::Group3Usable,
                             FieldId::ExpUsable}) {
        if (field == id) {
            return true;
        }
    }
    return false;
}

// A node text that the narrow tree cuts off shows whole as a tip; one that fits shows none.
class CutTextTips : public QObject {
  public:
    explicit CutTextTips(QTreeWidget* tree) : QObject(tree), tree_(tree) {
        tree->viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || watched != tree_->viewport()) {
            return QObject::eventFilter(watched, event);
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        const QTreeWidgetItem* item = tree_->itemAt(help->pos());
        if (item != nullptr && CutOff(*item)) {
            QToolTip::showText(help->globalPos(), item->text(0), tree_->viewport(),
                               tree_->visualItemRect(item));
        } else {
            QToolTip::hideText();
        }
        return true;
    }

  private:
    bool CutOff(const QTreeWidgetItem& item) const {
        const QRect rect = tree_->visualItemRect(&item);
        // The text starts behind the cell's margin, on both sides the focus frame's width.
        const int margin = 2 * (tree_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        const int right =
            rect.left() + margin + tree_->fontMetrics().horizontalAdvance(item.text(0));
        return rect.left() < 0 || right > tree_->viewport()->width();
    }

    QTreeWidget* tree_;
};

}  // namespace

struct EditorPanel::Impl {
    Impl(Workspace& ws, UiHost& host) : Ws(ws), Host(host), Session(ws) {}

    Workspace& Ws;
    UiHost& Host;
    EditSession Session;
    // Guarded: the main window may delete them before the panel.
    QPointer<QTreeWidget> TreeView;
    QPointer<QStackedWidget> Screens;
    // The screen each kind of node shows, and every screen once in the order they were made.
    std::array<Screen*, kScreenKindCount> ByKind{};
    std::vector<Screen*> All;
    QStatusBar* Bar = nullptr;

    std::unordered_map<std::string, QTreeWidgetItem*> Items;
    QTreeWidgetItem* Shown = nullptr;
    ScreenTarget ShownTarget;
    bool Rebuilding = false;
    bool Reverting = false;

    void ShowHint(const QString& text) {
        if (Bar != nullptr) {
            // A refusal's note can be longer than a narrow window: the tip holds all of it.
            Bar->setToolTip(text);
            Bar->showMessage(text);
        }
    }

    // What the status bar says while w has the focus: a refused box's note, else its hint;
    // nothing for a control outside the panel or without a hint.
    QVariant HintOf(const QWidget* w) const {
        const bool inPanel = w != nullptr && (TreeView == w || TreeView->isAncestorOf(w) ||
                                              Screens->isAncestorOf(w));
        if (!inPanel) {
            return {};
        }
        const QVariant note = w->property(kRefusalProperty);
        return note.isValid() ? note : w->property(kHintProperty);
    }

    // A shown screen or a refusal may have moved the focus into a field: the field's hint is
    // the one that tells the operator which keys work now.
    void ShowFocusHint() {
        // The window's own focus widget: it is the one that has the focus once the window is
        // active again after a message box.
        const QVariant text = HintOf(TreeView->window()->focusWidget());
        ShowHint(text.isValid() ? text.toString() : QString::fromLatin1(hint::kTree));
    }

    ScreenTarget TargetOf(const QTreeWidgetItem* item) const {
        return ScreenOf(KeyOfItem(item), KeyOfItem(item->parent()), Ws.Model);
    }

    // Adds screen to the stack as the screen of kinds.
    template <typename S>
    S* Register(S* screen, std::initializer_list<ScreenKind> kinds) {
        for (const ScreenKind kind : kinds) {
            ByKind[static_cast<size_t>(kind)] = screen;
        }
        All.push_back(screen);
        Screens->addWidget(screen->Widget());
        return screen;
    }

    Screen* ScreenFor(ScreenKind kind) const { return ByKind[static_cast<size_t>(kind)]; }

    void ShowScreen(QTreeWidgetItem* item) {
        const ScreenTarget target = TargetOf(item);
        Screen* screen = ScreenFor(target.Kind);
        if (screen == nullptr) {
            return;
        }
        screen->ShowTarget(target);
        Shown = item;
        ShownTarget = target;
        Session.SetShownScreen(KeyOfItem(item));
        Screens->setCurrentWidget(screen->Widget());
        ShowFocusHint();
    }

    // The tree's selection moved to item: the input check guards the move.
    void OnSelected(QTreeWidgetItem* item) {
        if (Rebuilding || Reverting || item == nullptr || item == Shown) {
            return;
        }
        if (!InputCheck()) {
            ShowFocusHint();
            RevertSelection();
            // A mouse press goes on to select the clicked row after this handler: put the
            // selection back once more when the press is over.
            QTimer::singleShot(0, TreeView, [this] { RevertSelection(); });
            return;
        }
        ShowScreen(item);
    }

    void RevertSelection() {
        if (Shown == nullptr) {
            return;
        }
        Reverting = true;
        TreeView->setCurrentItem(Shown);
        Reverting = false;
    }

    // The shown screen checks what was typed into it and not yet checked.
    bool InputCheck() {
        Screen* screen = Shown == nullptr ? nullptr : ScreenFor(ShownTarget.Kind);
        return screen == nullptr || screen->InputCheck();
    }

    // Refused boxes' notes reach the status bar, and the shown node keeps its highlight.
    void ConnectNotesAndHighlight(QObject* context) {
        // A box refused while it keeps the focus gets no focus change to show its note by.
        for (FieldEdit* box : Screens->findChildren<FieldEdit*>()) {
            QObject::connect(box, &FieldEdit::Refused, context, [this, box](const QString& note) {
                if (box->window()->focusWidget() == box) {
                    ShowHint(note);
                }
            });
        }
        // Clicking the empty space below the last node, or Ctrl+clicking the selected one, would
        // leave no node highlighted while its screen is still shown.
        QObject::connect(TreeView, &QTreeWidget::itemSelectionChanged, context, [this] {
            if (Shown != nullptr && !Rebuilding && TreeView->selectedItems().isEmpty()) {
                Shown->setSelected(true);
            }
        });
    }

    void RefreshMarks(bool group) {
        Change marks;
        marks.What = group ? Change::Part::GroupId : Change::Part::MemoryId;
        OnChange(marks);
    }

    // Switching a group on or off changes which plans the tree holds; the usable-group
    // screen stays shown.
    void RebuildKeepingShown() {
        const std::string key = KeyOfItem(Shown);
        Build();
        const auto it = Items.find(key);
        if (it == Items.end()) {
            return;
        }
        Rebuilding = true;
        TreeView->setCurrentItem(it->second);
        Rebuilding = false;
        Shown = it->second;
        ShownTarget = TargetOf(Shown);
    }

    void SetNodeText(const std::string& key, const std::string& text) {
        const auto it = Items.find(key);
        if (it != Items.end()) {
            it->second->setText(0, FromModel(text));
        }
    }

    // Node texts follow the edits that change them.
    void OnChange(const Change& change) {
        const SettingsModel& model = Ws.Model;
        switch (change.What) {
            case Change::Part::Channel: {
                if (change.Field != FieldId::ChEnable || change.Plan == PlanId::Wx) {
                    return;
                }
                const ChannelRec* rec = ChannelAt(model, change.Plan, change.Index);
                if (rec == nullptr) {
                    return;
                }
                if (change.Plan == PlanId::Exp) {
                    SetNodeText(ChannelKey(PlanId::Exp, change.Index + 1),
                                ExpNodeText(change.Index + 1, *rec));
                } else {
                    SetNodeText(ChannelKey(change.Plan, change.Index), ChannelNodeText(*rec));
                }
                return;
            }
            case Change::Part::MemoryId:
            case Change::Part::GroupId: {
                const bool group = change.What == Change::Part::GroupId;
                const int count = group ? kGroupIdCount : kMemoryIdCount;
                const DirectoryEntry* entries =
                    group ? model.GroupIds.data() : model.MemoryIds.data();
                for (int n = 1; n <= count; ++n) {
                    SetNodeText(DirectoryKey(group, n),
                                DirectoryNodeText(group, n, entries[n - 1]));
                }
                return;
            }
            case Change::Part::UsableGroup: {
                if (IsUsableSwitch(change.Field)) {
                    RebuildKeepingShown();
                    return;
                }
                const size_t g = static_cast<size_t>(change.Index);
                if (g < kGroupCount) {
                    SetNodeText(GroupNodeKey(change.Index),
                                GroupNodeText(change.Index, model.UsableGroups[g].StatusName));
                }
                return;
            }
            default:
                return;
        }
    }

    // The model changed as a whole: every screen is prepared again, the tree rebuilt, and the
    // node with this key (or "General" when the tree no longer has it) selected and shown.
    void Reload(const std::string& key) {
        {
            const EditSession::BusyGuard busy(Session);
            for (Screen* screen : All) {
                screen->Prepare();
            }
        }
        Build();
        auto it = Items.find(key);
        if (it == Items.end()) {
            it = Items.find(key::kGeneral);
        }
        if (it == Items.end()) {
            return;
        }
        for (QTreeWidgetItem* p = it->second->parent(); p != nullptr; p = p->parent()) {
            p->setExpanded(true);
        }
        Rebuilding = true;
        TreeView->setCurrentItem(it->second);
        Rebuilding = false;
        TreeView->scrollToItem(it->second);
        ShowScreen(it->second);
    }

    void Build() {
        Rebuilding = true;
        TreeView->setUpdatesEnabled(false);
        TreeView->clear();
        Items.clear();
        Shown = nullptr;
        ShownTarget = {};
        std::vector<QTreeWidgetItem*> made;
        const std::vector<TreeNode> nodes = BuildScreenTree(Ws.Model, Ws.AtisEnabled);
        made.reserve(nodes.size());
        QList<QTreeWidgetItem*> top;
        for (const TreeNode& node : nodes) {
            auto* item = new QTreeWidgetItem(QStringList{FromModel(node.Text)});
            item->setData(0, kKeyRole, FromModel(node.Key));
            if (node.Parent < 0) {
                top.append(item);
            } else {
                made[static_cast<size_t>(node.Parent)]->addChild(item);
            }
            made.push_back(item);
            Items.emplace(node.Key, item);
        }
        TreeView->addTopLevelItems(top);
        for (QTreeWidgetItem* item : top) {
            if (KeyOfItem(item) == key::kGeneral) {
                item->setExpanded(true);
            }
        }
        TreeView->setUpdatesEnabled(true);
        Rebuilding = false;
    }
};

EditorPanel::EditorPanel(Workspace& ws, UiHost& host, QWidget* parent)
    : QObject(parent), impl_(std::make_unique<Impl>(ws, host)) {
    Impl& d = *impl_;
    d.TreeView = new QTreeWidget(parent);
    d.TreeView->setHeaderHidden(true);
    d.TreeView->setUniformRowHeights(true);
    // Long node texts scroll sideways rather than lose their "[Enable]" mark to an ellipsis.
    d.TreeView->setTextElideMode(Qt::ElideNone);
    d.TreeView->header()->setStretchLastSection(false);
    d.TreeView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    d.TreeView->setMinimumWidth(120);
    new CutTextTips(d.TreeView);
    SetHint(d.TreeView, hint::kTree);

    d.Screens = new QStackedWidget(parent);
    using K = ScreenKind;
    QWidget* stack = d.Screens;
    d.Register(new LogoScreen(stack), {K::General});
    d.Register(new UsableScreen(d.Session, stack), {K::Usable});
    d.Register(new CommonScreen(d.Session, stack), {K::Common});
    DscScreen* dsc = d.Register(new DscScreen(d.Session, host, stack), {K::Dsc});
    d.Register(new AtisScreen(d.Session, host, stack), {K::Atis});
    d.Register(new DirectoryScreen(d.Session, host, stack), {K::MemoryIdEntry, K::GroupIdEntry});
    d.Register(new EmptyPanel(stack), {K::EmptyPanel});
    d.Register(new ChannelScreen(d.Session, host, stack), {K::ChannelScreen});
    d.Register(new WeatherScreen(d.Session, stack), {K::WeatherScreen});
    ChannelGrid* grid = d.Register(new ChannelGrid(stack, &ws.Model),
                                   {K::PlanGrid, K::ExpGrid, K::MemoryIdGrid, K::GroupIdGrid});

    connect(d.TreeView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { impl_->OnSelected(current); });
    // A click on the selected node after a refused move shows it once the check passes.
    connect(d.TreeView, &QTreeWidget::itemClicked, this, [this] {
        QTreeWidgetItem* current = impl_->TreeView->currentItem();
        if (current != nullptr && current != impl_->Shown) {
            impl_->ShowScreen(current);
        }
    });
    // Opening a directory brings its "[Enable]" marks up to date.
    connect(d.TreeView, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        const std::string key = KeyOfItem(item);
        if (key == key::kMemoryIds || key == key::kGroupIds) {
            impl_->RefreshMarks(key == key::kGroupIds);
        }
    });
    // The clear buttons leave the screen's data to the radio: what was typed is checked first.
    connect(dsc, &DscScreen::ClearRequested, this, [this](int mode) {
        if (impl_->InputCheck()) {
            emit TransferRequested(mode);
        }
    });
    connect(grid, &ChannelGrid::JumpRequested, this,
            [this](const std::string& key) { SelectNode(key); });
    // Every focused field of the panel puts its hint into the status bar.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        // Typing into another box, or into the same box again later, is a step of its own.
        impl_->Session.SealStep();
        if (now == nullptr) {
            return;
        }
        const QVariant text = impl_->HintOf(now);
        if (text.isValid()) {
            impl_->ShowHint(text.toString());
        }
    });
    d.ConnectNotesAndHighlight(this);
    d.Session.Subscribe([this](const Change& change) {
        impl_->OnChange(change);
        if (change.What == Change::Part::DataSet) {
            impl_->Reload(key::kGeneral);
        } else if (change.What != Change::Part::Whole) {
            emit DataEdited();
        }
        emit HistoryChanged();
    });
    RebuildTree();
}

EditorPanel::~EditorPanel() {
    // The screens work on the panel's edit session: they go with it, wherever the main
    // window put them.
    delete impl_->TreeView.data();
    delete impl_->Screens.data();
}

QWidget* EditorPanel::Tree() const {
    return impl_->TreeView;
}

QWidget* EditorPanel::ScreenArea() const {
    return impl_->Screens;
}

void EditorPanel::SetStatusBar(QStatusBar* bar) {
    impl_->Bar = bar;
}

void EditorPanel::RebuildTree() {
    impl_->Session.Restart();
}

EditSession& EditorPanel::Session() {
    return impl_->Session;
}

bool EditorPanel::Undo() {
    // While the program fills the model (a transfer pumping events) the data are not the user's.
    if (impl_->Session.Busy() || !impl_->Session.CanUndo() || !InputCheck()) {
        return false;
    }
    // The check may have stored what was typed: a new step, which ends what could be redone.
    const std::string key = impl_->Session.Undo();
    if (key.empty()) {
        return false;
    }
    impl_->Reload(key);
    return true;
}

bool EditorPanel::Redo() {
    // While the program fills the model (a transfer pumping events) the data are not the user's.
    if (impl_->Session.Busy() || !impl_->Session.CanRedo() || !InputCheck()) {
        return false;
    }
    // The check may have stored what was typed: a new step, which ends what could be redone.
    const std::string key = impl_->Session.Redo();
    if (key.empty()) {
        return false;
    }
    impl_->Reload(key);
    return true;
}

void EditorPanel::SelectNode(const std::string& key) {
    Impl& d = *impl_;
    const auto it = d.Items.find(key);
    if (it == d.Items.end()) {
        return;
    }
    if (it->second == d.Shown) {
        return;
    }
    d.TreeView->setCurrentItem(it->second);
}

void EditorPanel::RefreshCurrentScreen() {
    Impl& d = *impl_;
    if (d.Shown == nullptr) {
        return;
    }
    const EditSession::BusyGuard busy(d.Session);
    d.ShowScreen(d.Shown);
}

void EditorPanel::ClearTransferFinished(bool succeeded) {
    if (!succeeded) {
        return;
    }
    RefreshCurrentScreen();
    impl_->Session.MarkDataChanged();
    emit DataEdited();
}

bool EditorPanel::InputCheck() {
    if (impl_->InputCheck()) {
        return true;
    }
    impl_->ShowFocusHint();
    return false;
}

std::string EditorPanel::ShownKey() const {
    return KeyOfItem(impl_->Shown);
}

}  // namespace tq530
