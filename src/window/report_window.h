// The report window ("Print to File"): the text image in a fixed-pitch text area, saved as a
// ".txt" file from its File menu.
#pragma once

#include <QDialog>

class QAction;
class QPlainTextEdit;
class QPushButton;

namespace tq530 {

class FileDialogs;
class UiHost;
struct Workspace;

class ReportWindow : public QDialog {
    Q_OBJECT

  public:
    ReportWindow(Workspace& ws, UiHost& host, FileDialogs& dialogs, QWidget* parent = nullptr);

    QPlainTextEdit* TextArea() const { return text_; }
    QAction* SaveAsAction() const { return saveAs_; }
    QAction* ExitAction() const { return exit_; }
    // True once the text image stands in the text area.
    bool Ready() const { return ready_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void MakeTextImage();
    void SaveAs();

    Workspace& ws_;
    UiHost& host_;
    FileDialogs& dialogs_;
    QPlainTextEdit* text_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* exit_ = nullptr;
    bool started_ = false;
    bool ready_ = false;
};

}  // namespace tq530
