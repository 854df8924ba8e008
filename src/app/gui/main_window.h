// The main window: menus, toolbar and status bar around the editor's tree and screens, and
// the shell's commands (new, open, save, exit, model, image files, hex dump) wired to the
// Qt-free functions that carry them out.
#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <string>

#include "app/gui/transfer_dialog.h"
#include "app/startup.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
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

    // How the transfer dialog paces itself and opens its help.
    TransferDialogOptions& TransferOptions() { return transferOptions_; }

    // AppTitle, TitleText and the current file's name.
    void UpdateCaption();

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
    // Opens the transfer dialog after the input check, then shows what the transfer changed.
    void RunTransfer(TransferMode mode);
    // The dialog alone; true when the transfer was done.
    bool OpenTransfer(TransferMode mode);
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
};

}  // namespace tq530
