// The editor half of the main window: the screen tree on the left and the screen of the
// selected node on the right, bound to the workspace's settings model. The main window owns
// the splitter, the menus and the status bar; the panel owns everything inside the two panes.
#pragma once

#include <QObject>
#include <memory>
#include <string>

class QStatusBar;
class QWidget;

namespace tq530 {

struct Workspace;
class EditSession;
class UiHost;

class EditorPanel : public QObject {
    Q_OBJECT

  public:
    EditorPanel(Workspace& ws, UiHost& host, QWidget* parent);
    ~EditorPanel() override;

    // The two panes, parented by the caller (a splitter).
    QWidget* Tree() const;
    QWidget* ScreenArea() const;
    // Where a focused field puts its hint.
    void SetStatusBar(QStatusBar* bar);

    // The data set starts again with no history (start-up, a model change): every screen is
    // prepared again, the tree rebuilt and "General" selected, as after any replacement the
    // session announces.
    void RebuildTree();
    // Selects the node with this key as a click would, input check included.
    void SelectNode(const std::string& key);
    // Shows the shown node's screen again from the model.
    void RefreshCurrentScreen();
    // The check every command that leaves the screen or uses the data runs first. False after
    // the refusal's message went to the host; the caller then does nothing.
    bool InputCheck();
    std::string ShownKey() const;
    // The edit session of the screens: commands that replace the data set as a whole run
    // through its ReplaceAll, one undo step each.
    EditSession& Session();
    // Edit > Undo and Redo: the input check first, then the step is taken back or made again
    // and the screen where it was made is shown. False when nothing was done.
    bool Undo();
    bool Redo();

    // After the transfer a TransferRequested asked for: a successful clear shows the screen
    // again (the MMSI count comes from the image) and marks the data changed.
    void ClearTransferFinished(bool succeeded);

  signals:
    // A stored edit: DataChanged is set. The main window updates what depends on it.
    void DataEdited();
    // What Undo and Redo would do has changed (an edit, an undo, a redo, new data).
    void HistoryChanged();
    // An "MMSI Clear" or "Log Clear" button passed the input check and asks for its transfer:
    // mode is a TransferMode (2 user MMSI, 3 DSC call log, 4 distress log). The caller runs
    // the transfer dialog and then calls ClearTransferFinished.
    void TransferRequested(int mode);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tq530
