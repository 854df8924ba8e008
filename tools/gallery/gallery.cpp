#include "gallery.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <cstdio>

#include "window/widget_host.h"

namespace tq530::gallery {

bool Gallery::Check(bool ok, const QString& what) {
    if (!ok) {
        ++failures_;
        std::fprintf(stderr, "tq530-gallery: %s\n", qPrintable(what));
    }
    return ok;
}

void Gallery::Save(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    const QString path = folder_ + "/" + name + ".png";
    if (Check(widget.grab().save(path), "cannot write " + path)) {
        ++written_;
    }
}

void Gallery::Shot(QWidget& widget, const QString& name) {
    widget.show();
    if (!Check(QTest::qWaitForWindowExposed(&widget), name + ": not shown")) {
        return;
    }
    QTest::qWait(20);  // scroll bars follow the first layout
    Save(widget, name);
    widget.hide();
}

void Gallery::SavePopup(QMainWindow& window, QMenu* menu, const QString& name) {
    if (!Check(menu != nullptr, name + ": no such menu")) {
        return;
    }
    menu->popup(window.mapToGlobal(QPoint(0, 0)));
    if (Check(QTest::qWaitForWindowExposed(menu), name + ": menu not shown")) {
        Save(*menu, name);
    }
    menu->hide();
}

void Gallery::SaveMenu(QMainWindow& window, const QString& title, const QString& name) {
    SavePopup(window, MenuTitled(window, title), name);
}

void Gallery::SaveOpenMenu(QMainWindow& window, const QString& title, const QString& name) {
    QMenu* menu = MenuTitled(window, title);
    if (!Check(menu != nullptr, name + ": no such menu")) {
        return;
    }
    window.menuBar()->setActiveAction(menu->menuAction());
    if (Check(QTest::qWaitForWindowExposed(menu), name + ": menu not shown")) {
        QApplication::processEvents();
        // A popup is a window of its own: it is drawn over the window where it dropped.
        QPixmap picture = window.grab();
        QPainter painter(&picture);
        painter.drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
        painter.end();
        const QString path = folder_ + "/" + name + ".png";
        if (Check(picture.save(path), "cannot write " + path)) {
            ++written_;
        }
    }
    menu->close();
    window.menuBar()->setActiveAction(nullptr);
}

void Gallery::SaveBox(QWidget& parent, const std::string& text, const std::string& title,
                      MsgIcon icon, Buttons buttons, Answer defaultButton, const QString& name) {
    const auto box = BuildMessageBox(&parent, text, title, icon, buttons, defaultButton);
    box->show();
    if (Check(QTest::qWaitForWindowExposed(box.get()), name + ": box not shown")) {
        Save(*box, name);
    }
    box->hide();
}

Stage::Stage(const std::string& globalIni) {
    Write("global.ini", globalIni);
}

Stage::~Stage() {
    if (shell_ && shell_->Window() != nullptr) {
        shell_->Ws().DataChanged = false;  // close without the exit question
        shell_->Window()->close();
    }
}

std::string Stage::File(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
}

void Stage::Write(const std::string& name, const std::string& bytes) const {
    QFile file(QString::fromStdString(File(name)));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

bool Stage::Start(const std::string& commandLine) {
    shell_ = std::make_unique<Shell>(store_, &dialogs_);
    shell_->Host().SetPacing(false);
    if (!shell_->Start(dir_.path().toStdString(), commandLine)) {
        return false;
    }
    Window().show();
    if (!QTest::qWaitForWindowExposed(&Window())) {
        return false;
    }
    QApplication::setActiveWindow(&Window());
    return true;
}

QMenu* MenuTitled(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

}  // namespace tq530::gallery
