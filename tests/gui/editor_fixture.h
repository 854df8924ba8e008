// A main window stand-in around the editor panel: tree and screens in a splitter, a status
// bar, a recording host, and helpers that click and type as a person would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMainWindow>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "core/workspace.h"
#include "support/recording_host.h"
#include "window/screens/channel_screen.h"
#include "window/screens/editor_panel.h"
#include "window/screens/field_edit.h"

namespace tq530::testing {

class EditorFixture : public ::testing::Test {
  protected:
    // A fresh data set with every group usable; setup may change the model before the tree
    // is built.
    void Make(bool atis, const std::function<void(SettingsModel&)>& setup = {}) {
        NewData(ws);
        ws.AtisEnabled = atis;
        for (UsableGroup& g : ws.Model.UsableGroups) {
            g.Usable = kOn;
        }
        if (setup) {
            setup(ws.Model);
        }
        ws.DataChanged = false;
        window = std::make_unique<QMainWindow>();
        auto* splitter = new QSplitter(window.get());
        panel = std::make_unique<EditorPanel>(ws, host, splitter);
        splitter->addWidget(panel->Tree());
        splitter->addWidget(panel->ScreenArea());
        splitter->setStretchFactor(1, 1);
        window->setCentralWidget(splitter);
        bar = window->statusBar();
        panel->SetStatusBar(bar);
        window->resize(800, 560);
        splitter->setSizes({240, 560});
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void TearDown() override {
        panel.reset();
        window.reset();
    }

    QTreeWidget* TreeView() const { return qobject_cast<QTreeWidget*>(panel->Tree()); }
    QStackedWidget* Screens() const { return qobject_cast<QStackedWidget*>(panel->ScreenArea()); }
    ChannelScreen* Channel() const { return panel->ScreenArea()->findChild<ChannelScreen*>(); }

    template <typename T>
    T* Screen() const {
        return panel->ScreenArea()->findChild<T*>();
    }

    // Another window takes the focus and gives it back: the focused field loses it without
    // a validating action.
    void FocusAnotherWindow() {
        QWidget other;
        other.setWindowTitle(QStringLiteral("another window"));
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        Settle();
        other.hide();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Settle();
    }

    // Leaves the focused field for the next control, as the Tab key does.
    void TabAway(QWidget* from) {
        QTest::keyClick(from, Qt::Key_Tab);
        Settle();
    }

    // Chooses the item with this text in a choice list, as a person picking it would.
    static void Choose(QComboBox* list, const QString& text) {
        const int index = list->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list->setCurrentIndex(index);
        Settle();
    }

    static QStringList Items(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        return items;
    }

    QTreeWidgetItem* Item(const std::string& key) const {
        QTreeWidgetItemIterator it(TreeView());
        for (; *it != nullptr; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == QString::fromStdString(key)) {
                return *it;
            }
        }
        return nullptr;
    }

    // Clicks the node's text in the tree, opening its parents first.
    void ClickNode(const std::string& key) {
        QTreeWidgetItem* item = Item(key);
        ASSERT_NE(item, nullptr) << key;
        for (QTreeWidgetItem* p = item->parent(); p != nullptr; p = p->parent()) {
            p->setExpanded(true);
        }
        TreeView()->scrollToItem(item);
        const QRect rect = TreeView()->visualItemRect(item);
        QTest::mouseClick(TreeView()->viewport(), Qt::LeftButton, {}, rect.center());
        Settle();
    }

    void Click(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
        Settle();
    }

    // Clicks into a text box and types over its whole text.
    void TypeInto(QWidget* box, const QString& text) {
        Click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        Settle();
    }

    // A key that QTest cannot spell: a character beyond ASCII.
    static void TypeChar(QWidget* w, const QString& c) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, c);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, c);
        QApplication::sendEvent(w, &release);
    }

    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
    }

    std::string NodeText(const std::string& key) const {
        QTreeWidgetItem* item = Item(key);
        return item == nullptr ? "" : item->text(0).toStdString();
    }

    Workspace ws;
    RecordingHost host;
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<EditorPanel> panel;
    QStatusBar* bar = nullptr;
};

}  // namespace tq530::testing
