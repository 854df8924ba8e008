// The main window: menus, toolbar and status bar around the editor's tree and screens, and
// the shell's commands (new, open, save, exit, model, image files, hex dump) wired to the
// Qt-free functions that carry them out. The commands are rows of a table (main_commands.cpp)
// run by one runner; the menus are tables too (main_menus.cpp); the file and transfer commands
// live in file_commands.cpp and transfer_commands.cpp.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"
#include "window/help_window.h"
#include "window/transfer_dialog.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QMimeData;
class QPrinter;
class QSplitter;
class QToolBar;

namespace tq530 {

class CompareWindow;
class CsvMenus;
struct DestinationMenu;
class EditorPanel;
class FileDialogs;
class ReasonRoute;
class SettingsStore;
class UiHost;
struct Workspace;

enum class Command {
    New,
    Open,
    Save,
    SaveAs,
    SaveAsDefault,
    Print,
    PrintToFile,
    Exit,
    ProgramToRadio,
    ReadFromRadio,
    VerifyAfterProgram,
    Hexdump,
    HelpContents,
    About,
    LoadImage,
    SaveImage,
    Undo,
    Redo,
    OpenBackup,
    CompareWith,
};

// The one local ".dat" or ".hex" file a drag carries, "" for anything else.
QString DroppedDataSet(const QMimeData& data);

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // The window of a started workspace: StartUp has run and found a model.
    MainWindow(Workspace& ws, SettingsStore& store, UiHost& host, FileDialogs& dialogs,
               DestinationMenu& destinations, const StartUpResult& startUp,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    QAction* ActionOf(Command command) const;
    QMenu* ModelMenu() const { return modelMenu_; }
    QMenu* PortMenu() const { return portMenu_; }
    QMenu* DestinationMenuWidget() const { return destinationMenu_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QSplitter* Splitter() const { return splitter_; }
    QListWidget* HexDump() const { return hexDump_; }
    EditorPanel* Editor() const { return editor_; }
    CsvMenus* Csv() const { return csvMenus_; }
    // The window of the latest "Compare with...", while it is open.
    CompareWindow* Comparison() const;

    // A lasting note at the right of the status bar (which radio port is set up).
    void SetNotice(const QString& text);
    // The reason line of the last command that failed, in the status bar until the next
    // hint or command replaces it.
    void ShowReason(const QString& text);

    // Opens a data set named from outside the dialogs (the recent list, a drop, the command
    // line) as File Open does: a ".dat" file as a settings file, a ".hex" file as an image.
    // Any other file is refused with a reason in the status bar.
    void OpenDataSet(const std::string& path);
    // The File menu's recent-file entries that are shown, newest first.
    std::vector<QAction*> RecentFileActions() const;
    QMenu* FileMenu() const { return fileMenu_; }

    // How the transfer dialog paces itself and opens its help.
    TransferDialogOptions& TransferOptions() { return transferOptions_; }

    // The status bar's notice: what the hint or reason on the left leaves of the bar.
    void FitNotice();
    // AppTitle, TitleText and the current file's name.
    void UpdateCaption();

    // Opens the help window at a topic (kHelpContents, kHelpTransfer, a control's number);
    // says so when the program has no help file. Callable from a modal dialog: the help
    // window then belongs to the dialog, so that it takes input.
    void ShowHelp(int context);
    // The help file chosen at start-up, "" when there is none.
    const std::string& HelpFile() const { return helpFile_; }
    HelpWindow* Help() const { return helpWindow_; }

    // Sets up the printer for Print: by default the system's print dialog. False: cancelled.
    using PrinterChooser = std::function<bool(QPrinter&)>;
    void SetPrinterChooser(PrinterChooser chooser) { choosePrinter_ = std::move(chooser); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped anywhere on the window, also on the fields that take dropped text.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // What a command needs around its work, in the order the runner provides it.
    struct CommandNeeds {
        bool DiagnosticOnly = false;  // does nothing outside diagnostic mode
        bool InputCheck = false;      // the editor's input check first; a refusal stops it
        int DelayMs = 0;              // lets the menu close before the work starts
        bool Busy = false;            // the busy pointer and BusyFlag while the work runs
        const char* Step = nullptr;   // the work replaces the data set: one undo step so named
    };
    // A command: the question it asks first (a file dialog; false when it was cancelled, which
    // sets CancelRequested), then its work with the answer.
    struct CommandPlan {
        CommandNeeds Needs;
        std::function<bool(std::string&)> Ask;
        std::function<void(const std::string&)> Work;
    };
    // A row of the command table: the menu caption with its access key, whether the command
    // works in this version, and its handlers.
    struct CommandRow {
        Command Id;
        const char* Caption;
        bool Ready;
        CommandNeeds Needs;
        bool (MainWindow::*Ask)(std::string&);
        void (MainWindow::*Work)(const std::string&);
    };
    static const std::vector<CommandRow>& CommandTable();

    void BuildActions(const StartUpResult& startUp);
    void BuildMenus();
    void BuildToolBar();
    void BuildPanes();
    void RefreshMenus();
    // The one way a command runs: the needs of its plan, then its work.
    CommandPlan PlanOf(Command command);
    void Run(Command command);
    void Run(const CommandPlan& plan);
    void Perform(const CommandPlan& plan, const std::string& answer);

    // File commands (file_commands.cpp).
    void FileNew(const std::string&);
    void OpenFile(const std::string&);
    void SaveFile(const std::string&);
    void SaveFileAs(const std::string&);
    bool AskImageToLoad(std::string& path);
    bool AskImageToSave(std::string& path);
    bool AskBackup(std::string& path);
    bool AskDataSetToCompare(std::string& path);
    void LoadImage(const std::string& path);
    void OpenSettingsFile(const std::string& path);
    // The recent list (file_commands.cpp).
    void NoteRecent(const std::string& path);
    void RefreshRecentFiles();
    void SaveImage(const std::string& path);
    void CompareWith(const std::string& path);
    void PrintReport(const std::string&);
    void ShowReportWindow(const std::string&);
    void ChooseModel(int index);
    void ChooseDestinationEntry(int index);
    // The settings an encode had to fix up become an undo step the screens show.
    void ApplyWriteFixups(const char* label);

    // Transfer commands (transfer_commands.cpp).
    void ProgramToRadio(const std::string&);
    void ReadFromRadio(const std::string&);
    // The dialog alone; true when the transfer was done.
    bool OpenTransfer(TransferMode mode);
    void ToggleHexDump(const std::string&);
    void BuildHexDump();

    // The rest of the menus.
    void Exit(const std::string&);
    void StoreVerifyChoice(const std::string&);
    void Undo(const std::string&);
    void Redo(const std::string&);
    void ShowContents(const std::string&);
    void ShowAbout(const std::string&);
    void NotYet(const std::string&) {}
    void HelpOnFocus();
    void ShowLogoPicture();
    void AfterDataReplaced();
    void RefreshUndoActions();
    void StoreGeometry();

    Workspace& ws_;
    SettingsStore& store_;
    UiHost& host_;
    FileDialogs& dialogs_;
    DestinationMenu& destinations_;
    ModelScan models_;
    TransferDialogOptions transferOptions_;

    std::map<Command, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    std::vector<QAction*> recentActions_;
    QAction* recentSeparator_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* modelMenu_ = nullptr;
    QMenu* destinationMenu_ = nullptr;
    QMenu* portMenu_ = nullptr;
    std::array<QAction*, kModelMenuEntries> modelActions_{};
    std::array<QAction*, kPortMenuEntries> portActions_{};
    std::vector<QAction*> destinationActions_;
    QToolBar* toolBar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QSplitter* rightPane_ = nullptr;
    QListWidget* hexDump_ = nullptr;
    QLabel* notice_ = nullptr;
    EditorPanel* editor_ = nullptr;
    CsvMenus* csvMenus_ = nullptr;
    QPointer<CompareWindow> compareWindow_;
    std::string helpFile_;
    QPointer<HelpWindow> helpWindow_;
    PrinterChooser choosePrinter_;
    bool startedUp_ = false;
    bool logoShown_ = false;
    std::unique_ptr<ReasonRoute> reasonRoute_;
    // Whether the running command has put its reason into the status bar.
    bool reasonShown_ = false;
};

}  // namespace tq530
