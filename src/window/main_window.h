// The main window: menus, toolbar and status bar around the editor's tree and screens, and
// the shell's commands (new, open, save, exit, model, image files, hex dump) wired to the
// Qt-free functions that carry them out.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/startup.h"
#include "window/help_window.h"
#include "window/transfer_dialog.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
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

    // How the transfer dialog paces itself and opens its help.
    TransferDialogOptions& TransferOptions() { return transferOptions_; }

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
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void RefreshMenus();
    void Run(Command command);

    void FileNew();
    void OpenFile();
    void SaveFile(bool saveToCurrent);
    void LoadImage();
    void SaveImage();
    void OpenBackup();
    void CompareWith();
    void ChooseModel(int index);
    void ChooseDestinationEntry(int index);
    void PrintReport();
    void ShowReportWindow();
    void ShowAbout();
    void HelpOnFocus();
    void ShowLogoPicture();
    // Opens the transfer dialog after the input check, then shows what the transfer changed.
    void RunTransfer(TransferMode mode);
    // The dialog alone; true when the transfer was done.
    bool OpenTransfer(TransferMode mode);
    void ToggleHexDump();
    void BuildHexDump();
    void AfterDataReplaced();
    // Runs a command that replaces the data set as a whole as one undo step named label.
    // Every such command goes through here: New, Open, the image-file load, a read from the
    // radio, a destination change.
    void AsOneStep(const char* label, const std::function<void()>& command);
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
