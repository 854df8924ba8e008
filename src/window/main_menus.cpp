// The main window's menu bar and toolbar as tables: a menu row is a command, a separator or
// one of the lists the data fill (models, ports, destinations, CSV tables); a toolbar place
// runs the command of the same meaning. RefreshMenus shows the lists as the data have them.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "app/destinations.h"
#include "app/recent_files.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "window/csv_menu.h"
#include "window/main_window.h"
#include "window/port_menu.h"
#include "window/screens/editor_panel.h"

namespace tq530 {

namespace {

// The menu bar: a row is a command, a separator, or one of the lists the data fill.
enum class RowKind {
    Command,
    Separator,
    ModelList,
    PortList,
    DestinationList,
    CsvLists,
    RecentList
};
struct MenuRow {
    RowKind Kind;
    Command Id = Command::New;
};
struct MenuColumn {
    const char* Title;
    std::vector<MenuRow> Rows;
};

const std::vector<MenuColumn>& MenuBarTable() {
    static const std::vector<MenuColumn> table = {
        {"&File",
         {{RowKind::Command, Command::New},
          {RowKind::Command, Command::Open},
          {RowKind::Command, Command::Save},
          {RowKind::Command, Command::SaveAs},
          {RowKind::Command, Command::SaveAsDefault},
          {RowKind::Separator},
          {RowKind::Command, Command::OpenBackup},
          {RowKind::CsvLists},
          {RowKind::Command, Command::CompareWith},
          {RowKind::Separator},
          {RowKind::Command, Command::Print},
          {RowKind::Command, Command::PrintToFile},
          {RowKind::Separator},
          {RowKind::RecentList},
          {RowKind::Command, Command::Exit}}},
        {"&Edit",
         {{RowKind::Command, Command::Undo},
          {RowKind::Command, Command::Redo},
          {RowKind::Separator},
          {RowKind::ModelList}}},
        {"&Transfer",
         {{RowKind::Command, Command::ProgramToRadio}, {RowKind::Command, Command::ReadFromRadio}}},
        {"&Destination", {{RowKind::DestinationList}}},
        {"&Options",
         {{RowKind::PortList},
          {RowKind::Command, Command::VerifyAfterProgram},
          {RowKind::Command, Command::Hexdump}}},
        {"&Help", {{RowKind::Command, Command::HelpContents}, {RowKind::Command, Command::About}}},
    };
    return table;
}

// The toolbar's twelve places: the keyed buttons run the command of the same meaning;
// "Program2" and "Read2" are hidden.
struct ToolRow {
    const char* Key;  // nullptr: a separator
    Command Id;
    QStyle::StandardPixmap Icon;
    bool Visible;
};

constexpr ToolRow kToolBar[] = {
    {"New", Command::New, QStyle::SP_FileIcon, true},
    {"Open", Command::Open, QStyle::SP_DialogOpenButton, true},
    {"Save", Command::Save, QStyle::SP_DialogSaveButton, true},
    {nullptr, Command::New, QStyle::SP_CustomBase, true},
    {"Print", Command::Print, QStyle::SP_FileDialogContentsView, true},
    {nullptr, Command::New, QStyle::SP_CustomBase, true},
    {"Program", Command::ProgramToRadio, QStyle::SP_ArrowUp, true},
    {nullptr, Command::New, QStyle::SP_CustomBase, true},
    {"Program2", Command::ProgramToRadio, QStyle::SP_ArrowUp, false},
    {"Read", Command::ReadFromRadio, QStyle::SP_ArrowDown, true},
    {nullptr, Command::New, QStyle::SP_CustomBase, true},
    {"Read2", Command::ReadFromRadio, QStyle::SP_ArrowDown, false},
};

QString Text(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

}  // namespace

void MainWindow::BuildMenus() {
    for (const MenuColumn& column : MenuBarTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(column.Title));
        for (const MenuRow& row : column.Rows) {
            switch (row.Kind) {
                case RowKind::Command:
                    menu->addAction(actions_.at(row.Id));
                    break;
                case RowKind::Separator:
                    menu->addSeparator();
                    break;
                case RowKind::ModelList:
                    editMenu_ = menu;
                    modelMenu_ = menu->addMenu(QStringLiteral("&Model"));
                    for (int i = 0; i < kModelMenuEntries; ++i) {
                        QAction* action = modelMenu_->addAction(QString());
                        action->setCheckable(true);
                        connect(action, &QAction::triggered, this, [this, i] { ChooseModel(i); });
                        modelActions_[static_cast<size_t>(i)] = action;
                    }
                    break;
                case RowKind::PortList:
                    portMenu_ = menu->addMenu(QStringLiteral("&SerialPort"));
                    for (int i = 0; i < kPortMenuEntries; ++i) {
                        QAction* action = portMenu_->addAction(QStringLiteral("COM&%1").arg(i + 1));
                        action->setCheckable(true);
                        action->setEnabled(false);
                        portActions_[static_cast<size_t>(i)] = action;
                    }
                    break;
                case RowKind::CsvLists:
                    csvMenus_ = new CsvMenus(
                        ws_, host_, dialogs_, [this] { return editor_; },
                        [this](const char* label, const std::function<void()>& command) {
                            editor_->Session().ReplaceAll(label, command);
                            RefreshUndoActions();
                        },
                        this);
                    connect(csvMenus_, &CsvMenus::Imported, this, &MainWindow::AfterDataReplaced);
                    csvMenus_->AddTo(menu);
                    break;
                case RowKind::RecentList:
                    fileMenu_ = menu;
                    menu->setToolTipsVisible(true);  // the whole path of a recent file
                    for (int i = 0; i < kRecentFileEntries; ++i) {
                        QAction* action = menu->addAction(QString());
                        action->setVisible(false);
                        connect(action, &QAction::triggered, this, [this, action] {
                            OpenDataSet(action->data().toString().toLocal8Bit().toStdString());
                        });
                        recentActions_.push_back(action);
                    }
                    recentSeparator_ = menu->addSeparator();
                    // Files deleted meanwhile leave the list when the menu opens.
                    connect(menu, &QMenu::aboutToShow, this, &MainWindow::RefreshRecentFiles);
                    break;
                case RowKind::DestinationList:
                    destinationMenu_ = menu;
                    for (int i = 0; i < kDestinationMenuEntries; ++i) {
                        QAction* action = menu->addAction(QString());
                        action->setCheckable(true);
                        action->setEnabled(false);
                        connect(action, &QAction::triggered, this,
                                [this, i] { ChooseDestinationEntry(i); });
                        destinationActions_.push_back(action);
                    }
                    break;
            }
        }
    }
    // Undo and Redo are always there; the model list only when there is a choice.
    modelMenu_->menuAction()->setVisible(ShowEditMenu(models_));
}

void MainWindow::BuildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolRow& row : kToolBar) {
        if (row.Key == nullptr) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* menuAction = actions_.at(row.Id);
        QAction* button = new QAction(style()->standardIcon(row.Icon),
                                      QString::fromLatin1(row.Key).remove(QLatin1Char('2')), this);
        button->setObjectName(QString::fromLatin1(row.Key));
        button->setToolTip(menuAction->text().remove(QLatin1Char('&')));
        button->setVisible(row.Visible);
        // A button does what its menu item does, and only while the item may be used.
        button->setEnabled(menuAction->isEnabled());
        connect(menuAction, &QAction::enabledChanged, button, &QAction::setEnabled);
        connect(button, &QAction::triggered, this, [this, menuAction, id = row.Id] {
            if (menuAction->isEnabled()) {
                Run(id);
            }
        });
        toolBar_->addAction(button);
    }
}

void MainWindow::RefreshMenus() {
    const auto models = BuildModelMenu(models_, ws_.ModelType);
    for (size_t i = 0; i < models.size(); ++i) {
        modelActions_[i]->setText(Text(models[i].Caption));
        modelActions_[i]->setVisible(models[i].Visible);
        modelActions_[i]->setEnabled(models[i].Enabled);
        modelActions_[i]->setChecked(models[i].Checked);
    }
    RefreshUndoActions();
    const auto ports = PortMenuChecks(ws_.ComNum);
    for (size_t i = 0; i < ports.size(); ++i) {
        portActions_[i]->setChecked(ports[i]);
    }
    destinationMenu_->setEnabled(destinations_.Enabled);
    for (size_t i = 0; i < destinationActions_.size(); ++i) {
        const MenuEntry& entry = destinations_.Entries[i];
        destinationActions_[i]->setText(Text(entry.Caption));
        destinationActions_[i]->setVisible(entry.Visible);
        destinationActions_[i]->setEnabled(entry.Enabled);
        destinationActions_[i]->setChecked(entry.Checked);
    }
}

}  // namespace tq530
