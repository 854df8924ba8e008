// tq530-gallery renders every screen, menu and dialog of the window program to PNG files for a
// person to look at. A Gallery is the output folder and the tally of what went wrong; a Stage
// is a started window program in a program folder of its own.
#pragma once

#include <QMainWindow>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "core/ui_host.h"
#include "window/main_window.h"
#include "window/shell.h"

class QMenu;

namespace tq530::gallery {

constexpr const char* kOneModel = "[model1]\nuse=1\natis=true\n";
constexpr const char* kTwoModels = "[model1]\nuse=1\natis=true\n[model2]\nuse=1\n";

class Gallery {
  public:
    explicit Gallery(QString folder) : folder_(std::move(folder)) {}

    const QString& Folder() const { return folder_; }
    // Counts a failure, with what failed, on stderr; returns ok.
    bool Check(bool ok, const QString& what);
    int Failures() const { return failures_; }
    int Written() const { return written_; }

    // Saves the widget as name.png once pending events have settled.
    void Save(QWidget& widget, const QString& name);
    // Shows a top-level widget, saves it and hides it again.
    void Shot(QWidget& widget, const QString& name);
    // Pops the menu up over window, saves it and closes it.
    void SavePopup(QMainWindow& window, QMenu* menu, const QString& name);
    void SaveMenu(QMainWindow& window, const QString& title, const QString& name);
    // The window with a menu of its bar dropped open, keys and all, as one picture.
    void SaveOpenMenu(QMainWindow& window, const QString& title, const QString& name);
    void SaveBox(QWidget& parent, const std::string& text, const std::string& title, MsgIcon icon,
                 Buttons buttons, Answer defaultButton, const QString& name);

  private:
    QString folder_;
    int failures_ = 0;
    int written_ = 0;
};

// File dialogs that are never answered: the gallery opens them itself to render them.
class NoDialogs : public FileDialogs {
  public:
    std::string AskOpenPath(const std::string&, const std::string&) override { return {}; }
    std::string AskSavePath(const std::string&, const std::string&) override { return {}; }
    std::string AskExistingPath(const std::string&, const std::string&) override { return {}; }
};

class Stage {
  public:
    // A program folder holding global.ini; the window is started by Start.
    explicit Stage(const std::string& globalIni);
    ~Stage();

    std::string Folder() const { return dir_.path().toStdString(); }
    std::string File(const std::string& name) const;
    void Write(const std::string& name, const std::string& bytes) const;
    // Starts the program with these switches and shows its window; false when it did not start.
    bool Start(const std::string& commandLine = "");

    MainWindow& Window() { return *shell_->Window(); }
    Workspace& Ws() { return shell_->Ws(); }
    WidgetHost& Host() { return shell_->Host(); }
    FileDialogs& Dialogs() { return dialogs_; }

  private:
    QTemporaryDir dir_;
    MemorySettingsStore store_;
    NoDialogs dialogs_;
    std::unique_ptr<Shell> shell_;
};

QMenu* MenuTitled(QMainWindow& window, const QString& title);

// The sections of the gallery, one file each.
void ShellShots(Gallery& gallery);
void EditorShots(Gallery& gallery);
void TransferShots(Gallery& gallery);
void ReportShots(Gallery& gallery);
void ExtrasShots(Gallery& gallery);

}  // namespace tq530::gallery
