// A started window program for the GUI tests: a program folder of its own, the per-user
// store in memory, scripted file dialogs, and helpers that use the menus and answer message
// boxes as a person would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "editor/screen_tree.h"
#include "support/scratch_dir.h"
#include "window/main_window.h"
#include "window/screens/field_edit.h"
#include "window/shell.h"

namespace tq530::guitest {

// Answers the open and save dialogs from a list of paths; "" stands for Cancel.
class ScriptedDialogs : public FileDialogs {
  public:
    std::deque<std::string> Paths;
    std::vector<std::string> Filters;
    std::vector<std::string> Kinds;  // "open", "existing" or "save", one per dialog
    int Asked = 0;

    std::string AskOpenPath(const std::string& filter, const std::string&) override {
        return Next(filter, "open");
    }
    std::string AskSavePath(const std::string& filter, const std::string&) override {
        return Next(filter, "save");
    }
    std::string AskExistingPath(const std::string& filter, const std::string&) override {
        return Next(filter, "existing");
    }

  private:
    std::string Next(const std::string& filter, const char* kind) {
        ++Asked;
        Filters.push_back(filter);
        Kinds.push_back(kind);
        if (Paths.empty()) {
            return std::string();
        }
        std::string path = Paths.front();
        Paths.pop_front();
        return path;
    }
};

// What a message box showed before it was answered.
struct SeenBox {
    QString Text;
    QString Title;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
    QMessageBox::StandardButtons Buttons;
};

// Waits for the next message box and clicks its button; Enter presses the default instead
// when button is NoButton. Keeps polling until a box comes or the time is up.
class BoxAnswerer : public QObject {
  public:
    std::vector<SeenBox> Seen;

    void Next(QMessageBox::StandardButton button) {
        pending_.push_back(button);
        Poll();
    }
    bool Done() const { return pending_.empty(); }

  private:
    void Poll() {
        QTimer::singleShot(10, this, [this] {
            if (pending_.empty()) {
                return;
            }
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                Poll();
                return;
            }
            SeenBox seen;
            seen.Text = box->text();
            seen.Title = box->windowTitle();
            seen.Icon = box->icon();
            seen.Buttons = box->standardButtons();
            seen.Default = box->defaultButton() != nullptr
                               ? box->standardButton(box->defaultButton())
                               : QMessageBox::NoButton;
            Seen.push_back(seen);
            const QMessageBox::StandardButton button = pending_.front();
            pending_.pop_front();
            if (button == QMessageBox::NoButton) {
                QTest::keyClick(box, Qt::Key_Return);
            } else if (button == QMessageBox::Escape) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                QTest::mouseClick(box->button(button), Qt::LeftButton);
            }
            if (!pending_.empty()) {
                Poll();
            }
        });
    }

    std::deque<QMessageBox::StandardButton> pending_;
};

inline QMenu* MenuTitled(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

// Clicks a menu of the menu bar open and presses an item's access key, as a person would.
inline void UseMenu(QMainWindow& window, const QString& title, Qt::Key accessKey) {
    QMenu* menu = MenuTitled(window, title);
    ASSERT_NE(menu, nullptr) << title.toStdString();
    QMenuBar* bar = window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QTest::keyClick(menu, accessKey);
}

// Points XDG_DATA_HOME at a test's own folder while it lives, so that the backups a test
// makes never reach the user's data folder.
class ScopedDataHome {
  public:
    explicit ScopedDataHome(const std::string& folder)
        : old_(qgetenv("XDG_DATA_HOME")), had_(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder));
    }
    ~ScopedDataHome() {
        if (had_) {
            qputenv("XDG_DATA_HOME", old_);
        } else {
            qunsetenv("XDG_DATA_HOME");
        }
    }
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;

  private:
    QByteArray old_;
    bool had_;
};

class ShellTest : public ::testing::Test {
  protected:
    void StartWith(const std::string& globalIni, const std::string& commandLine = "") {
        if (!globalIni.empty()) {
            testing::WriteFile(dir.File("global.ini"), globalIni);
        }
        shell = std::make_unique<Shell>(store, &dialogs);
        shell->Host().SetPacing(false);
        started = shell->Start(dir.Path(), commandLine);
        if (started) {
            Window().show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
            QApplication::setActiveWindow(&Window());
        }
    }
    void TearDown() override {
        if (shell && shell->Window() != nullptr) {
            // Leave without the exit question whatever the test left behind.
            shell->Ws().DataChanged = false;
            shell->Window()->close();
        }
        shell.reset();
    }

    MainWindow& Window() { return *shell->Window(); }
    Workspace& Ws() { return shell->Ws(); }
    QString Caption() { return Window().windowTitle(); }

    testing::ScratchDir dir;
    MemorySettingsStore store;
    ScriptedDialogs dialogs;
    BoxAnswerer boxes;
    std::unique_ptr<Shell> shell;
    bool started = false;
};

// The first USA channel that is switched on.
inline int FirstEnabledUsa(const SettingsModel& model) {
    int index = 0;
    while (index + 1 < static_cast<int>(model.Usa.size()) && model.Usa[index].Enable == 0) {
        ++index;
    }
    return index;
}

// The channel-name box of the shown channel screen, or nullptr.
inline FieldEdit* ChannelNameBox(MainWindow& window) {
    for (FieldEdit* edit : window.findChildren<FieldEdit*>()) {
        if (edit->isVisible() &&
            edit->property(kHintProperty).toString() == QString::fromLatin1(hint::kChannelName)) {
            return edit;
        }
    }
    return nullptr;
}

constexpr const char* kOneModel = "[model1]\nuse=1\natis=true\n";
constexpr const char* kTwoModels = "[model1]\nuse=1\natis=true\n[model2]\nuse=1\n";

}  // namespace tq530::guitest
