#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <cmath>
#include <utility>

#include "app/backups.h"
#include "app/compare_data_sets.h"
#include "app/destinations.h"
#include "app/help_file.h"
#include "app/verify_choice.h"
#include "core/file_dialogs.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/help_contexts.h"
#include "files/image_file.h"
#include "files/settings_file.h"
#include "window/about_box.h"
#include "window/backup_dialog.h"
#include "window/compare_window.h"
#include "window/csv_menu.h"
#include "window/help_window.h"
#include "window/port_menu.h"
#include "window/print_report.h"
#include "window/report_window.h"
#include "window/screens/editor_panel.h"
#include "window/screens/help_context.h"
#include "window/screens/simple_screens.h"
#include "window/widget_host.h"

namespace tq530 {

namespace {

constexpr int kMinWidth = 607;  // 9105 x 6660 twips at 15 twips a pixel
constexpr int kMinHeight = 444;
constexpr int kTwipsPerPixel = 15;
constexpr double kTreeShare = 0.30;
constexpr int kFileNewDelayMs = 100;
constexpr const char* kImageFileFilter = "hex files(*.hex)|*.hex|All files(*.*)|*.*";
constexpr const char* kDataSetFilter =
    "dat files(*.dat)|*.dat|hex files(*.hex)|*.hex|All files(*.*)|*.*";
constexpr const char* kLogoFile = "NB Logo.gif";

// A command of the menus: its caption with the access key, and whether it does its work in
// this version (the others are shown disabled until their windows exist).
struct CommandRow {
    Command Id;
    const char* Caption;
    bool Ready;
};

constexpr CommandRow kCommands[] = {
    {Command::New, "&New", true},
    {Command::Open, "&Open", true},
    {Command::Save, "&Save", true},
    {Command::SaveAs, "Save &As...", true},
    {Command::SaveAsDefault, "Save As &Default", true},
    {Command::Print, "&Print", true},
    {Command::PrintToFile, "P&rint to File", true},
    {Command::Exit, "E&xit", true},
    {Command::ProgramToRadio, "&Program to Radio", true},
    {Command::ReadFromRadio, "&Read from Radio", true},
    {Command::VerifyAfterProgram, "&Verify after Program", true},
    {Command::Hexdump, "Hexdump", true},
    {Command::HelpContents, "&Contents", true},
    {Command::About, "&About KCP Version", true},
    {Command::LoadImage, "Load Image File", true},
    {Command::SaveImage, "Save Image File", true},
    {Command::Undo, "&Undo", false},
    {Command::Redo, "&Redo", false},
    {Command::OpenBackup, "Open &Backup...", true},
    {Command::CompareWith, "&Compare with...", true},
};

// The menu bar: a row is a command, a separator, or one of the lists the data fill.
enum class RowKind { Command, Separator, ModelList, PortList, DestinationList, CsvLists };
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

MainWindow::MainWindow(Workspace& ws, SettingsStore& store, UiHost& host, FileDialogs& dialogs,
                       DestinationMenu& destinations, const StartUpResult& startUp, QWidget* parent)
    : QMainWindow(parent),
      ws_(ws),
      store_(store),
      host_(host),
      dialogs_(dialogs),
      destinations_(destinations),
      models_(startUp.Models) {
    setObjectName(QStringLiteral("MainWindow"));
    for (const CommandRow& row : kCommands) {
        auto* action = new QAction(QString::fromLatin1(row.Caption), this);
        action->setEnabled(row.Ready);
        connect(action, &QAction::triggered, this, [this, id = row.Id] { Run(id); });
        actions_[row.Id] = action;
    }
    actions_[Command::VerifyAfterProgram]->setCheckable(true);
    actions_[Command::VerifyAfterProgram]->setChecked(ReadVerifyAfterProgram(store_));
    actions_[Command::Hexdump]->setCheckable(true);
    actions_[Command::Hexdump]->setChecked(startUp.HexVisible);
    actions_[Command::Hexdump]->setVisible(ws_.DiagnosticMode);
    // The image-file keys belong to the window, not to a menu.
    actions_[Command::LoadImage]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F2));
    actions_[Command::SaveImage]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F3));
    addAction(actions_[Command::LoadImage]);
    addAction(actions_[Command::SaveImage]);
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpKey, &QAction::triggered, this, &MainWindow::HelpOnFocus);
    addAction(helpKey);
    actions_[Command::Undo]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actions_[Command::Redo]->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    BuildMenus();
    BuildToolBar();
    InstallPortMenu(portMenu_, portActions_, ws_, store_, this);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("MainSplitter"));
    splitter_->setChildrenCollapsible(false);
    editor_ = new EditorPanel(ws_, host_, splitter_);
    splitter_->addWidget(editor_->Tree());
    rightPane_ = new QSplitter(Qt::Vertical, splitter_);
    rightPane_->setChildrenCollapsible(false);
    rightPane_->addWidget(editor_->ScreenArea());
    hexDump_ = new QListWidget(rightPane_);
    hexDump_->setObjectName(QStringLiteral("HexDump"));
    hexDump_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    hexDump_->setSelectionMode(QAbstractItemView::NoSelection);
    hexDump_->setUniformItemSizes(true);
    rightPane_->addWidget(hexDump_);
    splitter_->addWidget(rightPane_);
    setCentralWidget(splitter_);

    statusBar()->setSizeGripEnabled(true);
    notice_ = new QLabel(statusBar());
    notice_->setObjectName(QStringLiteral("Notice"));
    statusBar()->addPermanentWidget(notice_);
    editor_->SetStatusBar(statusBar());
    reasonRoute_ =
        std::make_unique<ReasonRoute>(host_, [this](const QString& text) { ShowReason(text); });
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text != statusBar()->toolTip()) {
            statusBar()->setToolTip(QString());  // a hint replaced the reason
        }
    });

    // Every new data set rebuilds the tree; the window follows with menus and caption.
    ws_.RebuildScreenTree = [this](Workspace&) { editor_->RebuildTree(); };
    destinations_.SelectGeneralNode = [this] { editor_->SelectNode("General"); };
    destinations_.RefreshScreen = [this] { editor_->RefreshCurrentScreen(); };
    SetHelpContext(editor_->Tree(), kHelpScreenTree);

    helpFile_ = ChooseHelpFile(ws_);
    actions_[Command::HelpContents]->setEnabled(!helpFile_.empty());
    connect(editor_, &EditorPanel::HistoryChanged, this, [this] {
        RefreshUndoActions();
        UpdateCaption();  // an undone Open takes its file name back
    });
    // The DSC screen's clear buttons ran the input check before they asked.
    connect(editor_, &EditorPanel::TransferRequested, this, [this](int mode) {
        const bool done = OpenTransfer(static_cast<TransferMode>(mode));
        editor_->ClearTransferFinished(done);
        BuildHexDump();
    });

    setMinimumSize(kMinWidth, kMinHeight);
    resize(kMinWidth, kMinHeight);
    hexDump_->setVisible(ws_.DiagnosticMode && actions_[Command::Hexdump]->isChecked());
    BuildHexDump();
    RefreshMenus();
    UpdateCaption();
    startedUp_ = true;
}

MainWindow::~MainWindow() {
    ws_.RebuildScreenTree = nullptr;
    destinations_.SelectGeneralNode = nullptr;
    destinations_.RefreshScreen = nullptr;
}

QAction* MainWindow::ActionOf(Command command) const {
    return actions_.at(command);
}

CompareWindow* MainWindow::Comparison() const {
    return compareWindow_;
}

void MainWindow::SetNotice(const QString& text) {
    notice_->setText(text);
}

void MainWindow::ShowReason(const QString& text) {
    statusBar()->showMessage(text);
    // A long path does not fit a narrow window: the tip shows the whole line.
    statusBar()->setToolTip(text);
    reasonShown_ = true;
}

void MainWindow::UpdateCaption() {
    setWindowTitle(QString::fromLocal8Bit(CaptionText(ws_).c_str()));
}

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
                            AsOneStep(label, command);
                        },
                        this);
                    connect(csvMenus_, &CsvMenus::Imported, this, &MainWindow::AfterDataReplaced);
                    csvMenus_->AddTo(menu);
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

void MainWindow::Run(Command command) {
    reasonShown_ = false;
    switch (command) {
        case Command::New:
            FileNew();
            break;
        case Command::Open:
            OpenFile();
            break;
        case Command::Save:
            SaveFile(true);
            break;
        case Command::SaveAs:
            SaveFile(false);
            break;
        case Command::Exit:
            close();
            break;
        case Command::VerifyAfterProgram:
            StoreVerifyAfterProgram(store_, actions_[Command::VerifyAfterProgram]->isChecked());
            break;
        case Command::Hexdump:
            ToggleHexDump();
            break;
        case Command::LoadImage:
            LoadImage();
            break;
        case Command::SaveImage:
            SaveImage();
            break;
        case Command::Undo:
            editor_->Undo();
            break;
        case Command::Redo:
            editor_->Redo();
            break;
        case Command::ProgramToRadio:
            RunTransfer(TransferMode::Program);
            break;
        case Command::ReadFromRadio:
            RunTransfer(TransferMode::Read);
            break;
        case Command::Print:
            PrintReport();
            break;
        case Command::PrintToFile:
            ShowReportWindow();
            break;
        case Command::HelpContents:
            ShowHelp(kHelpContents);
            break;
        case Command::About:
            ShowAbout();
            break;
        case Command::OpenBackup:
            OpenBackup();
            break;
        case Command::CompareWith:
            CompareWith();
            break;
        case Command::SaveAsDefault:
            break;
    }
}

void MainWindow::FileNew() {
    if (!editor_->InputCheck()) {
        return;
    }
    // Changed data is thrown away without a question; the short delay lets the menu close.
    QTimer::singleShot(kFileNewDelayMs, this, [this] {
        host_.SetBusy(true);
        editor_->SelectNode("General");
        AsOneStep("New", [this] { tq530::FileNew(ws_, host_); });
        AfterDataReplaced();
        host_.SetBusy(false);
    });
}

void MainWindow::OpenFile() {
    if (!editor_->InputCheck()) {
        return;
    }
    // The load's new data set built the tree from the defaults; a loaded file changes the
    // nodes' texts (enabled channels, group names).
    AsOneStep("Open", [this] {
        if (OpenSettings(ws_, host_, dialogs_) == Outcome::Ok) {
            editor_->RebuildTree();
        }
    });
    AfterDataReplaced();
}

void MainWindow::SaveFile(bool saveToCurrent) {
    if (!editor_->InputCheck()) {
        return;
    }
    if (SaveSettings(ws_, host_, dialogs_, saveToCurrent) == Outcome::Ok) {
        editor_->Session().Saved();
    }
    UpdateCaption();
}

void MainWindow::LoadImage() {
    if (!ws_.DiagnosticMode) {
        return;
    }
    const std::string path = dialogs_.AskExistingPath(kImageFileFilter, ws_.ProgramDir);
    if (path.empty()) {
        ws_.CancelRequested = true;
        return;
    }
    host_.SetBusy(true);
    AsOneStep("Load Image File", [this, &path] {
        if (tq530::LoadImageFile(ws_, host_, path) == Outcome::Ok) {
            editor_->RebuildTree();
            UpdateCaption();
        }
    });
    host_.SetBusy(false);
}

void MainWindow::SaveImage() {
    if (!ws_.DiagnosticMode || !editor_->InputCheck()) {
        return;
    }
    const std::string path = dialogs_.AskSavePath(kImageFileFilter, ws_.ProgramDir);
    if (path.empty()) {
        ws_.CancelRequested = true;
        return;
    }
    host_.SetBusy(true);
    tq530::SaveImageFile(ws_, host_, path);
    host_.SetBusy(false);
}

void MainWindow::OpenBackup() {
    if (!editor_->InputCheck()) {
        return;
    }
    BackupDialog dialog(ListBackups(BackupDir()), this);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenPath().empty()) {
        ws_.CancelRequested = true;
        return;
    }
    const std::string path = dialog.ChosenPath();
    host_.SetBusy(true);
    AsOneStep("Open Backup", [this, &path] {
        if (tq530::LoadImageFile(ws_, host_, path) == Outcome::Ok) {
            editor_->RebuildTree();
        }
    });
    host_.SetBusy(false);
    AfterDataReplaced();
}

void MainWindow::CompareWith() {
    if (!editor_->InputCheck()) {
        return;
    }
    const std::string path = dialogs_.AskExistingPath(kDataSetFilter, ws_.ProgramDir);
    if (path.empty()) {
        ws_.CancelRequested = true;
        return;
    }
    host_.SetBusy(true);
    const DataSetComparison comparison = CompareWithFile(ws_, host_, path);
    host_.SetBusy(false);
    if (comparison.Result != Outcome::Ok) {
        return;
    }
    // One comparison at a time; it stays open beside the screens it jumps to.
    if (compareWindow_ != nullptr) {
        compareWindow_->close();
    }
    compareWindow_ = new CompareWindow(
        QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName(), comparison.Differences,
        [this](const std::string& key) { editor_->SelectNode(key); }, this);
    compareWindow_->setAttribute(Qt::WA_DeleteOnClose);
    compareWindow_->show();
}

void MainWindow::ChooseModel(int index) {
    if (SelectModel(ws_, store_, host_, index)) {
        editor_->SelectNode("General");
        AfterDataReplaced();
        repaint();
    } else {
        RefreshMenus();  // a refused choice leaves the check mark where it was
    }
}

void MainWindow::ChooseDestinationEntry(int index) {
    // The change goes ahead once the General node is chosen; a loaded destination then
    // changes the tree's texts (enabled channels, group names).
    bool changed = false;
    const std::function<void()> selectGeneral = destinations_.SelectGeneralNode;
    destinations_.SelectGeneralNode = [&changed, &selectGeneral] {
        changed = true;
        selectGeneral();
    };
    AsOneStep("Destination", [&] {
        ChooseDestination(ws_, store_, host_, destinations_, index);
        destinations_.SelectGeneralNode = selectGeneral;
        if (changed) {
            editor_->RebuildTree();
        }
    });
    AfterDataReplaced();  // the check marks as the menu data have them, also after Cancel
}

void MainWindow::PrintReport() {
    if (!editor_->InputCheck()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (choosePrinter_) {
        if (!choosePrinter_(printer)) {
            return;
        }
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Print"));
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    host_.SetBusy(true);
    const bool printed = PrintReportOn(printer, ws_);
    host_.SetBusy(false);
    if (!printed) {
        host_.ShowMessage("The printer could not be started.", ws_.TitleText, MsgIcon::Exclamation);
    }
}

void MainWindow::ShowReportWindow() {
    ReportWindow window(ws_, host_, dialogs_, this);
    window.exec();
}

void MainWindow::ShowAbout() {
    AboutBox box(this);
    box.exec();
}

void MainWindow::ShowHelp(int context) {
    if (helpFile_.empty()) {
        host_.ShowMessage(kNoHelpText, windowTitle().toLocal8Bit().toStdString(),
                          MsgIcon::Information);
        return;
    }
    // A modal dialog blocks every window but its own; the help then opens as one of them.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = this;
    }
    if (helpWindow_ == nullptr) {
        helpWindow_ = new HelpWindow(owner);
        helpWindow_->setAttribute(Qt::WA_DeleteOnClose);
    } else if (helpWindow_->parentWidget() != owner) {
        const bool shown = helpWindow_->isVisible();
        helpWindow_->setParent(owner, Qt::Window);
        helpWindow_->setVisible(shown);
    }
    QString error;
    if (!helpWindow_->ShowTopic(QString::fromLocal8Bit(helpFile_.c_str()), context, error)) {
        host_.ShowMessage(error.toLocal8Bit().toStdString(), ws_.TitleText, MsgIcon::Exclamation);
        return;
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void MainWindow::HelpOnFocus() {
    ShowHelp(HelpContextOf(QApplication::focusWidget(), kHelpContents));
}

void MainWindow::ShowLogoPicture() {
    logoShown_ = true;
    const QString path =
        QString::fromLocal8Bit(ws_.ProgramDir.c_str()) + QLatin1Char('/') + kLogoFile;
    if (!QFileInfo::exists(path)) {
        return;  // our own picture stays
    }
    const QImage picture = QImageReader(path).read();
    if (picture.isNull()) {
        return;
    }
    for (LogoScreen* logo : editor_->ScreenArea()->findChildren<LogoScreen*>()) {
        logo->SetPicture(picture);
    }
}

void MainWindow::RunTransfer(TransferMode mode) {
    if (!editor_->InputCheck()) {
        return;
    }
    if (mode != TransferMode::Read) {
        if (OpenTransfer(mode)) {
            BuildHexDump();
        }
        return;
    }
    // A read replaces the data set: one undo step, which a failed read does not make.
    bool done = false;
    AsOneStep("Read from Radio", [&] {
        done = OpenTransfer(mode);
        if (done) {
            editor_->RebuildTree();
            ws_.CurrentFileName.clear();
            ws_.DataChanged = false;
        }
    });
    if (done) {
        AfterDataReplaced();
        BuildHexDump();
    }
}

bool MainWindow::OpenTransfer(TransferMode mode) {
    if (const auto* widgetHost = dynamic_cast<const WidgetHost*>(&host_)) {
        transferOptions_.Pacing = widgetHost->Pacing();
    }
    transferOptions_.Verify = actions_[Command::VerifyAfterProgram]->isChecked();
    transferOptions_.ShowNotice = [this](const QString& text) { SetNotice(text); };
    transferOptions_.ShowHelp = [this](QWidget*, int context) { ShowHelp(context); };
    return RunTransferDialog(ws_, host_, mode, transferOptions_, this);
}

void MainWindow::ToggleHexDump() {
    hexDump_->setVisible(ws_.DiagnosticMode && actions_[Command::Hexdump]->isChecked());
    BuildHexDump();
}

void MainWindow::BuildHexDump() {
    hexDump_->clear();
    if (hexDump_->isHidden()) {
        return;
    }
    host_.SetBusy(true);
    QStringList lines;
    for (const std::string& line : BuildHexDumpLines(ws_.Image)) {
        lines << Text(line);
    }
    hexDump_->addItems(lines);
    host_.SetBusy(false);
}

void MainWindow::AfterDataReplaced() {
    // The old screen's hint goes; the reason why the data set was not replaced stays.
    if (!std::exchange(reasonShown_, false)) {
        statusBar()->clearMessage();
    }
    RefreshMenus();
    UpdateCaption();
}

void MainWindow::AsOneStep(const char* label, const std::function<void()>& command) {
    EditSession& session = editor_->Session();
    session.BeginReplace();
    command();
    session.EndReplace(label);
    RefreshUndoActions();
}

void MainWindow::RefreshUndoActions() {
    const EditSession& session = editor_->Session();
    const auto caption = [](const char* verb, const std::string& label) {
        return QString::fromLatin1(verb) +
               (label.empty() ? QString() : QLatin1Char(' ') + Text(label));
    };
    actions_[Command::Undo]->setText(caption("&Undo", session.UndoLabel()));
    actions_[Command::Undo]->setEnabled(session.CanUndo());
    actions_[Command::Redo]->setText(caption("&Redo", session.RedoLabel()));
    actions_[Command::Redo]->setEnabled(session.CanRedo());
}

void MainWindow::StoreGeometry() {
    const QRect frame = frameGeometry();
    const auto twips = [](int pixels) { return std::to_string(pixels * kTwipsPerPixel); };
    store_.SetText("Settings", "MainLeft", twips(frame.x()));
    store_.SetText("Settings", "MainTop", twips(frame.y()));
    store_.SetText("Settings", "MainWidth", twips(frame.width()));
    store_.SetText("Settings", "MainHeight", twips(frame.height()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool mayClose = ConfirmClose(
        ws_, host_, [this] { return editor_->InputCheck(); },
        [this] {
            const Outcome saved = SaveSettings(ws_, host_, dialogs_, true);
            UpdateCaption();
            return saved;
        });
    if (!mayClose) {
        event->ignore();
        return;
    }
    // The newest window first, so that a dialog goes before the window that opened it.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it != this && (*it)->isVisible()) {
            (*it)->close();
        }
    }
    if (StoreGeometryOnClose(isMinimized())) {
        StoreGeometry();
    }
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized()) {
        return;
    }
    const int tree = static_cast<int>(std::lround(width() * kTreeShare));
    splitter_->setSizes({tree, std::max(1, width() - tree)});
    if (startedUp_ && !logoShown_) {
        ShowLogoPicture();
    }
    hexDump_->setVisible(ws_.DiagnosticMode && actions_[Command::Hexdump]->isChecked());
}

}  // namespace tq530
