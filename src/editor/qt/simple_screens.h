// The screens without rules of their own here: the General screen with the program's logo,
// the empty grey panel of the tree's section nodes, and the titled panel that stands for a
// settings or directory screen until it is built.
#pragma once

#include <QFrame>
#include <QWidget>

class QLabel;

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

class TitlePanel : public QWidget {
  public:
    explicit TitlePanel(QWidget* parent = nullptr);
    void SetTitle(const QString& title, const QString& body);
    QString Title() const;

  private:
    QLabel* title_;
    QLabel* body_;
};

}  // namespace tq530
