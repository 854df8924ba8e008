// The main window: menus, toolbar and status bar around the editor's tree and screens, and
// the shell's commands (new, open, save, exit, model, image files, hex dump) wired to the
// Qt-free functions that carry them out.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "app/gui/help_window.h"
#include "app/startup.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPrinter;
class QSplitter;
class QToolBar;

namespace tq530 {

struct DestinationMenu;
class EditorPanel;
class FileDialogs;
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
    Hexdump,
    HelpContents,
    About,
    LoadImage,
    SaveImage,
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

    // A lasting note at the right of the status bar (which radio port is set up).
    void SetNotice(const QString& text);

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
    void ChooseModel(int index);
    void ChooseDestinationEntry(int index);
    void PrintReport();
    void ShowReportWindow();
    void ShowAbout();
    void HelpOnFocus();
    void ShowLogoPicture();
    void ToggleHexDump();
    void BuildHexDump();
    void AfterDataReplaced();
    void StoreGeometry();

    Workspace& ws_;
    SettingsStore& store_;
    UiHost& host_;
    FileDialogs& dialogs_;
    DestinationMenu& destinations_;
    ModelScan models_;

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
    std::string helpFile_;
    QPointer<HelpWindow> helpWindow_;
    PrinterChooser choosePrinter_;
    bool startedUp_ = false;
    bool logoShown_ = false;
};

}  // namespace tq530
