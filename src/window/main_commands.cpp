// The main window's commands as a table: caption, what each needs around its work (diagnostic
// mode, the input check, a pause for the menu to close, the busy pointer, one undo step) and
// its handlers; and the one runner that provides those needs in that order.
#include <QAction>
#include <QTimer>
#include <optional>

#include "app/help_file.h"
#include "app/verify_choice.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/help_contexts.h"
#include "window/about_box.h"
#include "window/main_window.h"
#include "window/screens/editor_panel.h"

namespace tq530 {

namespace {

constexpr int kFileNewDelayMs = 100;

// The desktop's own keys for the data-set commands, beside the window's keys. Where a desktop
// has none for Save As or Quit, the keys most desktops use stand in.
struct StandardKeyRow {
    Command Id;
    QKeySequence::StandardKey Key;
    QKeySequence Fallback;
};

const std::vector<StandardKeyRow>& StandardKeys() {
    static const std::vector<StandardKeyRow> table = {
        {Command::New, QKeySequence::New, {}},
        {Command::Open, QKeySequence::Open, {}},
        {Command::Save, QKeySequence::Save, {}},
        {Command::SaveAs, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {Command::Print, QKeySequence::Print, {}},
        {Command::Exit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    return table;
}

}  // namespace

const std::vector<MainWindow::CommandRow>& MainWindow::CommandTable() {
    using W = MainWindow;
    using N = CommandNeeds;
    // Needs: diagnostic only, input check, delay, busy, undo step.
    static const std::vector<CommandRow> table = {
        {Command::New, "&New", true, N{false, true, kFileNewDelayMs, true, "New"}, nullptr,
         &W::FileNew},
        {Command::Open, "&Open", true, N{false, true, 0, false, "Open"}, nullptr, &W::OpenFile},
        {Command::Save, "&Save", true, N{false, true}, nullptr, &W::SaveFile},
        {Command::SaveAs, "Save &As...", true, N{false, true}, nullptr, &W::SaveFileAs},
        {Command::SaveAsDefault, "Save As &Default", true, N{}, nullptr, &W::NotYet},
        {Command::Print, "&Print", true, N{false, true}, nullptr, &W::PrintReport},
        {Command::PrintToFile, "P&rint to File", true, N{}, nullptr, &W::ShowReportWindow},
        {Command::Exit, "E&xit", true, N{}, nullptr, &W::Exit},
        {Command::ProgramToRadio, "&Program to Radio", true, N{false, true}, nullptr,
         &W::ProgramToRadio},
        {Command::ReadFromRadio, "&Read from Radio", true,
         N{false, true, 0, false, "Read from Radio"}, nullptr, &W::ReadFromRadio},
        {Command::VerifyAfterProgram, "&Verify after Program", true, N{}, nullptr,
         &W::StoreVerifyChoice},
        {Command::Hexdump, "Hexdump", true, N{}, nullptr, &W::ToggleHexDump},
        {Command::HelpContents, "&Contents", true, N{}, nullptr, &W::ShowContents},
        {Command::About, "&About KCP Version", true, N{}, nullptr, &W::ShowAbout},
        {Command::LoadImage, "Load Image File", true, N{true, false, 0, true, "Load Image File"},
         &W::AskImageToLoad, &W::LoadImage},
        {Command::SaveImage, "Save Image File", true, N{true, true, 0, true}, &W::AskImageToSave,
         &W::SaveImage},
        {Command::Undo, "&Undo", false, N{}, nullptr, &W::Undo},
        {Command::Redo, "&Redo", false, N{}, nullptr, &W::Redo},
        {Command::OpenBackup, "Open &Backup...", true, N{false, true, 0, true, "Open Backup"},
         &W::AskBackup, &W::LoadImage},
        {Command::CompareWith, "&Compare with...", true, N{false, true, 0, true},
         &W::AskDataSetToCompare, &W::CompareWith},
    };
    return table;
}

void MainWindow::BuildActions(const StartUpResult& startUp) {
    for (const CommandRow& row : CommandTable()) {
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
    for (const StandardKeyRow& row : StandardKeys()) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(row.Key);
        if (keys.isEmpty() && !row.Fallback.isEmpty()) {
            keys.append(row.Fallback);
        }
        actions_[row.Id]->setShortcuts(keys);
    }
    actions_[Command::Undo]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actions_[Command::Redo]->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

MainWindow::CommandPlan MainWindow::PlanOf(Command command) {
    CommandPlan plan;
    for (const CommandRow& row : CommandTable()) {
        if (row.Id != command) {
            continue;
        }
        plan.Needs = row.Needs;
        if (row.Ask != nullptr) {
            plan.Ask = [this, ask = row.Ask](std::string& answer) { return (this->*ask)(answer); };
        }
        plan.Work = [this, work = row.Work](const std::string& answer) { (this->*work)(answer); };
        break;
    }
    return plan;
}

void MainWindow::Run(Command command) {
    Run(PlanOf(command));
}

void MainWindow::Run(const CommandPlan& plan) {
    reasonShown_ = false;
    if (plan.Needs.DiagnosticOnly && !ws_.DiagnosticMode) {
        return;
    }
    if (plan.Needs.InputCheck && !editor_->InputCheck()) {
        return;
    }
    std::string answer;
    if (plan.Ask && !plan.Ask(answer)) {
        ws_.CancelRequested = true;
        return;
    }
    if (plan.Needs.DelayMs > 0) {
        QTimer::singleShot(plan.Needs.DelayMs, this,
                           [this, plan, answer] { Perform(plan, answer); });
    } else {
        Perform(plan, answer);
    }
}

void MainWindow::Perform(const CommandPlan& plan, const std::string& answer) {
    const auto work = [&] {
        std::optional<BusyGuard> busy;
        if (plan.Needs.Busy) {
            busy.emplace(ws_, &host_);
        }
        plan.Work(answer);
    };
    if (plan.Needs.Step == nullptr) {
        work();
        return;
    }
    // The views hear of the new data set once, when the busy scope has ended.
    editor_->Session().ReplaceAll(plan.Needs.Step, work);
    AfterDataReplaced();
}

void MainWindow::Exit(const std::string&) {
    close();
}

void MainWindow::StoreVerifyChoice(const std::string&) {
    StoreVerifyAfterProgram(store_, actions_[Command::VerifyAfterProgram]->isChecked());
}

void MainWindow::Undo(const std::string&) {
    editor_->Undo();
}

void MainWindow::Redo(const std::string&) {
    editor_->Redo();
}

void MainWindow::ShowContents(const std::string&) {
    ShowHelp(kHelpContents);
}

void MainWindow::ShowAbout(const std::string&) {
    AboutBox box(this);
    box.exec();
}

}  // namespace tq530
