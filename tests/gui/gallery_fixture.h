// The gallery's fixture: a started window program whose windows, menus and boxes are saved
// as PNG files in TQ530_GALLERY_DIR for a person to look at.
#pragma once

#include <QDir>

#include "gui/shell_fixture.h"
#include "window/widget_host.h"

namespace tq530::guitest {

class GalleryTest : public ShellTest {
  protected:
    void SetUp() override {
        folder = qEnvironmentVariable("TQ530_GALLERY_DIR");
        if (folder.isEmpty()) {
            GTEST_SKIP() << "TQ530_GALLERY_DIR is not set";
        }
        QDir().mkpath(folder);
    }

    void Save(QWidget& widget, const QString& name) {
        QApplication::processEvents();
        const QString path = folder + "/" + name + ".png";
        ASSERT_TRUE(widget.grab().save(path)) << path.toStdString();
    }

    void SaveWindow(const QString& name, QSize size) {
        Window().resize(size);
        Save(Window(), name);
    }

    void SaveMenu(const QString& title, const QString& name) {
        SavePopup(MenuTitled(Window(), title), name);
    }

    void SavePopup(QMenu* menu, const QString& name) {
        ASSERT_NE(menu, nullptr);
        menu->popup(Window().mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        Save(*menu, name);
        menu->hide();
    }

    void SaveBox(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
                 Answer defaultButton, const QString& name) {
        const auto box = BuildMessageBox(&Window(), text, title, icon, buttons, defaultButton);
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        Save(*box, name);
        box->hide();
    }

    QString folder;
};

}  // namespace tq530::guitest
