// The screens without rules of their own: the General screen with the program's logo and
// the empty grey panel of the tree's section nodes.
#pragma once

#include <QFrame>
#include <QWidget>

namespace tq530 {

class LogoScreen : public QWidget {
  public:
    explicit LogoScreen(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class EmptyPanel : public QFrame {
  public:
    explicit EmptyPanel(QWidget* parent = nullptr);
};

}  // namespace tq530
