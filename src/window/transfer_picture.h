// The picture of the transfer dialog: the radio and the PC side by side, joined by the
// cable, with an arrow from the one that sends to the one that receives. Drawn here, in
// the palette of the window, so that it follows the desktop's colours.
#pragma once

#include <QWidget>

namespace tq530 {

class TransferPicture : public QWidget {
    Q_OBJECT

  public:
    // radioFirst: the radio stands on the left and sends (a read).
    explicit TransferPicture(bool radioFirst, QWidget* parent = nullptr);

    bool RadioFirst() const { return radioFirst_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool radioFirst_;
};

}  // namespace tq530
