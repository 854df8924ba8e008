#include "editor/qt/editor_panel.h"

#include <QStackedWidget>
#include <QStatusBar>
#include <QTreeWidget>

#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

struct EditorPanel::Impl {
    Impl(Workspace& ws, UiHost& host) : Ws(ws), Host(host) {}
    Workspace& Ws;
    UiHost& Host;
    QTreeWidget* TreeView = nullptr;
    QStackedWidget* Screens = nullptr;
    QStatusBar* Bar = nullptr;
    std::string Shown;
};

EditorPanel::EditorPanel(Workspace& ws, UiHost& host, QWidget* parent)
    : QObject(parent), impl_(std::make_unique<Impl>(ws, host)) {
    impl_->TreeView = new QTreeWidget(parent);
    impl_->TreeView->setHeaderHidden(true);
    impl_->Screens = new QStackedWidget(parent);
    impl_->Screens->addWidget(new QWidget(impl_->Screens));
    RebuildTree();
}

EditorPanel::~EditorPanel() = default;

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
    impl_->TreeView->clear();
    auto* general = new QTreeWidgetItem(impl_->TreeView, QStringList{QStringLiteral("General")});
    impl_->TreeView->setCurrentItem(general);
    impl_->Shown = "General";
}

void EditorPanel::SelectNode(const std::string& key) {
    impl_->Shown = key;
}
void EditorPanel::RefreshCurrentScreen() {}
bool EditorPanel::InputCheck() {
    return true;
}
std::string EditorPanel::ShownKey() const {
    return impl_->Shown;
}

}  // namespace tq530
