// The main window's data-set commands: New, Open, Save, the image files, a backup, Compare,
// Print, the model and the destination. The runner has provided what each needs (the input
// check, the dialog's answer, the busy pointer, the undo step) before they run.
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

#include "app/backups.h"
#include "app/compare_data_sets.h"
#include "app/data_set.h"
#include "app/destinations.h"
#include "app/recent_files.h"
#include "core/file_dialogs.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "files/image_file.h"
#include "files/settings_file.h"
#include "model/image_codec.h"
#include "model/screen_keys.h"
#include "window/backup_dialog.h"
#include "window/compare_window.h"
#include "window/main_window.h"
#include "window/print_report.h"
#include "window/report_window.h"
#include "window/screens/editor_panel.h"

namespace tq530 {

namespace {

constexpr const char* kImageFileFilter = "hex files(*.hex)|*.hex|All files(*.*)|*.*";
constexpr const char* kDataSetFilter =
    "dat files(*.dat)|*.dat|hex files(*.hex)|*.hex|All files(*.*)|*.*";

}  // namespace

void MainWindow::FileNew(const std::string&) {
    // Changed data is thrown away without a question.
    editor_->SelectNode(key::kGeneral);
    tq530::FileNew(ws_, store_, host_, destinations_);
}

void MainWindow::OpenFile(const std::string&) {
    if (OpenSettings(ws_, host_, dialogs_, store_, destinations_) == Outcome::Ok) {
        NoteRecent(ws_.CurrentFileName);
    }
}

void MainWindow::OpenSettingsFile(const std::string& path) {
    if (OpenSettingsPath(ws_, host_, path, store_, destinations_) == Outcome::Ok) {
        NoteRecent(path);
    }
}

void MainWindow::OpenDataSet(const std::string& path) {
    const DataSetKind kind = DataSetKindOf(path);
    if (!CanLoad(kind)) {
        ShowReason(QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName() +
                   QStringLiteral(" is neither a settings file (.dat) nor an image file (.hex)."));
        return;
    }
    // The command File Open or the image load would run, with the path as its answer.
    const Command like = kind == DataSetKind::Settings ? Command::Open : Command::LoadImage;
    CommandPlan plan;
    for (const CommandRow& row : CommandTable()) {
        if (row.Id == like) {
            plan.Needs = row.Needs;
        }
    }
    plan.Needs.DiagnosticOnly = false;  // a file the user names is no diagnostic key
    plan.Needs.InputCheck = true;
    plan.Ask = [path](std::string& answer) {
        answer = path;
        return true;
    };
    if (kind == DataSetKind::Settings) {
        plan.Work = [this](const std::string& answer) { OpenSettingsFile(answer); };
    } else {
        plan.Work = [this](const std::string& answer) { LoadImage(answer); };
    }
    Run(plan);
}

void MainWindow::SaveFile(const std::string&) {
    if (SaveSettings(ws_, host_, dialogs_, true) == Outcome::Ok) {
        editor_->Session().Saved();
        NoteRecent(ws_.CurrentFileName);
    }
    UpdateCaption();
}

void MainWindow::SaveFileAs(const std::string&) {
    if (SaveSettings(ws_, host_, dialogs_, false) == Outcome::Ok) {
        editor_->Session().Saved();
        NoteRecent(ws_.CurrentFileName);
    }
    UpdateCaption();
}

void MainWindow::NoteRecent(const std::string& path) {
    NoteRecentFile(store_, path);
    RefreshRecentFiles();
}

void MainWindow::RefreshRecentFiles() {
    const std::vector<std::string> files = ReadRecentFiles(store_);
    for (size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        const bool shown = i < files.size();
        action->setVisible(shown);
        if (shown) {
            const QString path = QString::fromLocal8Bit(files[i].c_str());
            action->setText(
                QString::fromLocal8Bit(RecentFileCaption(static_cast<int>(i), files[i]).c_str()));
            action->setData(path);
            action->setToolTip(QDir::toNativeSeparators(path));
            action->setStatusTip(QDir::toNativeSeparators(path));
        }
    }
    recentSeparator_->setVisible(!files.empty());
}

std::vector<QAction*> MainWindow::RecentFileActions() const {
    std::vector<QAction*> shown;
    for (QAction* action : recentActions_) {
        if (action->isVisible()) {
            shown.push_back(action);
        }
    }
    return shown;
}

bool MainWindow::AskImageToLoad(std::string& path) {
    path = dialogs_.AskExistingPath(kImageFileFilter, ws_.ProgramDir);
    return !path.empty();
}

bool MainWindow::AskImageToSave(std::string& path) {
    path = dialogs_.AskSavePath(kImageFileFilter, ws_.ProgramDir);
    return !path.empty();
}

bool MainWindow::AskBackup(std::string& path) {
    BackupDialog dialog(ListBackups(BackupDir()), this);
    path = dialog.exec() == QDialog::Accepted ? dialog.ChosenPath() : std::string();
    return !path.empty();
}

bool MainWindow::AskDataSetToCompare(std::string& path) {
    path = dialogs_.AskExistingPath(kDataSetFilter, ws_.ProgramDir);
    return !path.empty();
}

void MainWindow::LoadImage(const std::string& path) {
    if (tq530::LoadImageFile(ws_, host_, path) == Outcome::Ok) {
        NoteRecent(path);
    }
}

void MainWindow::SaveImage(const std::string& path) {
    ApplyWriteFixups("Save Image File fix-ups");
    const BusyGuard busy(ws_, &host_);
    if (tq530::SaveImageFile(ws_, host_, path) == Outcome::Ok) {
        NoteRecent(path);
    }
}

void MainWindow::ApplyWriteFixups(const char* label) {
    editor_->Session().ReplaceAll(label, [this] { FixModelForEncode(ws_.Model, ws_.ModelType); });
    RefreshUndoActions();
}

void MainWindow::CompareWith(const std::string& path) {
    const DataSetComparison comparison = CompareWithFile(ws_, host_, path, store_);
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

void MainWindow::PrintReport(const std::string&) {
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
    bool printed = false;
    {
        const BusyGuard busy(ws_, &host_);
        printed = PrintReportOn(printer, ws_);
    }
    if (!printed) {
        host_.ShowMessage("The printer could not be started.", ws_.TitleText, MsgIcon::Exclamation);
    }
}

void MainWindow::ShowReportWindow(const std::string&) {
    ReportWindow window(ws_, host_, dialogs_, this);
    window.exec();
}

void MainWindow::ChooseModel(int index) {
    const bool changed = SelectModel(ws_, store_, host_, index);
    RefreshMenus();  // the check mark follows the model, or goes back where it was
    if (!changed) {
        return;
    }
    UpdateCaption();
    // File New as the menu runs it, input check first: a screen it refuses keeps the data set.
    // The data of one model are not undone into another, so the history starts again.
    CommandPlan plan = PlanOf(Command::New);
    plan.Needs.Step = nullptr;
    plan.Work = [this, fileNew = plan.Work](const std::string& answer) {
        fileNew(answer);
        editor_->RebuildTree();
        AfterDataReplaced();
        repaint();
    };
    Run(plan);
}

void MainWindow::ChooseDestinationEntry(int index) {
    CommandPlan plan;
    plan.Needs.Step = "Destination";
    plan.Work = [this, index](const std::string&) {
        // The change goes ahead once the General node is chosen.
        editor_->SelectNode(key::kGeneral);
        ChangeDestination(ws_, store_, host_, destinations_, index);
    };
    if (ConfirmDestination(ws_, host_, destinations_, index)) {
        Run(plan);
    } else {
        AfterDataReplaced();  // the check marks as the menu data have them
    }
}

}  // namespace tq530
