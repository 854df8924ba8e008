// Alt+letter belongs to the menu bar first. The screens' captions carry access keys of their
// own, and where one shares its letter with a menu title the window's shortcut map finds two
// owners: each press then goes to the next owner in turn, so a menu would open only on every
// other press. MenuAccessKeys settles the tie for the menus; the captions keep every letter no
// menu title uses.
#pragma once

#include <QObject>

class QMenu;
class QMenuBar;
class QWidget;

namespace tq530 {

class MenuAccessKeys : public QObject {
    Q_OBJECT

  public:
    // Watches the application's shortcut events for the widgets of window, whose menu bar is
    // bar. Parented by window.
    MenuAccessKeys(QWidget* window, QMenuBar* bar);

    // The menu of the bar whose title's access key is this Alt+letter, or nullptr. A hidden
    // menu gives its letter up; a disabled one keeps it.
    QMenu* MenuOf(const QKeySequence& key) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Open(QMenu* menu);

    QWidget* window_;
    QMenuBar* bar_;
};

}  // namespace tq530
