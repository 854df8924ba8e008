#include "window/transfer_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace tq530 {

namespace {

constexpr int kWidth = 250;
constexpr int kHeight = 96;

// A handheld marine radio: antenna, body, display, keys and speaker, inside box. The dark
// cases are edged in outline, so that they stand out from a dark window too.
void DrawRadio(QPainter& p, const QRectF& box, const QColor& outline) {
    const qreal w = 34;
    const qreal x = box.center().x() - w / 2;
    const qreal top = box.top() + 14;
    const QRectF body(x, top, w, box.bottom() - top - 2);
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(60, 60, 64));
    p.drawRoundedRect(QRectF(x + 5, box.top() + 1, 5, 16), 2, 2);  // antenna
    p.setBrush(QColor(40, 44, 52));
    p.drawRoundedRect(body, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 140, 0));
    p.drawRoundedRect(QRectF(x + w - 11, top - 4, 7, 5), 1, 1);  // channel knob
    const QRectF display(x + 4, top + 6, w - 8, 17);
    p.setBrush(QColor(170, 200, 150));
    p.drawRect(display);
    p.setPen(QColor(30, 50, 30));
    QFont font = p.font();
    font.setPixelSize(6);
    p.setFont(font);
    p.drawText(display, Qt::AlignCenter, QStringLiteral("PC\nCONTROL"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 156));
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRoundedRect(QRectF(x + 5 + col * 9, top + 28 + row * 7, 6, 4), 1, 1);
        }
    }
    p.setBrush(QColor(200, 30, 30));  // the distress key
    p.drawRoundedRect(QRectF(x + 5, top + 57, w - 10, 5), 1, 1);
}

// A desktop PC: monitor with its screen, foot and keyboard, inside box.
void DrawPc(QPainter& p, const QRectF& box, const QColor& outline) {
    const qreal w = 66;
    const qreal x = box.center().x() - w / 2;
    const QRectF monitor(x, box.top() + 8, w, 50);
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(70, 70, 76));
    p.drawRoundedRect(monitor, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 190));
    p.drawRect(monitor.adjusted(4, 4, -4, -4));
    p.setBrush(QColor(255, 255, 255, 150));
    for (int line = 0; line < 4; ++line) {
        p.drawRect(
            QRectF(monitor.left() + 9, monitor.top() + 10 + line * 8, 28 + (line % 2) * 12, 3));
    }
    p.setBrush(QColor(70, 70, 76));
    p.drawRect(QRectF(box.center().x() - 5, monitor.bottom(), 10, 8));
    p.drawRoundedRect(QRectF(box.center().x() - 18, monitor.bottom() + 8, 36, 4), 2, 2);
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(120, 120, 126));
    p.drawRoundedRect(QRectF(x - 4, box.bottom() - 12, w + 8, 10), 2, 2);  // keyboard
}

}  // namespace

TransferPicture::TransferPicture(bool radioFirst, QWidget* parent)
    : QWidget(parent), radioFirst_(radioFirst) {
    setObjectName(QStringLiteral("TransferPicture"));
    setFixedSize(kWidth, kHeight);
    setAccessibleName(radioFirst ? QStringLiteral("Radio to PC") : QStringLiteral("PC to radio"));
}

QSize TransferPicture::sizeHint() const {
    return {kWidth, kHeight};
}

void TransferPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = 84;
    const QRectF left(0, 0, side, height());
    const QRectF right(width() - side, 0, side, height());
    QColor outline = palette().color(QPalette::WindowText);
    outline.setAlpha(150);
    if (radioFirst_) {
        DrawRadio(p, left, outline);
        DrawPc(p, right, outline);
    } else {
        DrawPc(p, left, outline);
        DrawRadio(p, right, outline);
    }
    // The cable, and on it the arrow of the data's way: always from left to right.
    const qreal y = height() / 2.0;
    const qreal from = left.right() - (radioFirst_ ? 18 : 6);
    const qreal to = right.left() + (radioFirst_ ? 6 : 18);
    QPen cable(palette().color(QPalette::WindowText), 2);
    cable.setStyle(Qt::DashLine);
    p.setPen(cable);
    p.drawLine(QPointF(from, y), QPointF(to - 12, y));
    QPainterPath head;
    head.moveTo(to, y);
    head.lineTo(to - 14, y - 7);
    head.lineTo(to - 14, y + 7);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::Highlight));
    p.drawPath(head);
}

}  // namespace tq530
