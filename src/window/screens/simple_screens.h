// The screens without rules of their own: the General screen with the program's logo and
// the empty grey panel of the tree's section nodes.
#pragma once

#include <QFrame>
#include <QImage>
#include <QWidget>

#include "window/screens/screen.h"

namespace tq530 {

class LogoScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    explicit LogoScreen(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    QWidget* Widget() override { return this; }
    void ShowTarget(const ScreenTarget&) override {}
    // An installation's own logo in place of the drawn one.
    void SetPicture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

class EmptyPanel : public QFrame, public Screen {
  public:
    explicit EmptyPanel(QWidget* parent = nullptr);
    QWidget* Widget() override { return this; }
    void ShowTarget(const ScreenTarget&) override {}
};

}  // namespace tq530
