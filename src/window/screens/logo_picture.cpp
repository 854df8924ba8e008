#include "window/screens/logo_picture.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace tq530 {

namespace {

// The radio: antenna, body, display and keypad in body, waves from the antenna's tip.
void DrawRadio(QPainter& painter, const QRectF& body, qreal unit, const QPalette& palette) {
    const QColor accent = palette.color(QPalette::Highlight);
    painter.setPen(QPen(palette.color(QPalette::Text), 0.08 * unit));
    painter.setBrush(accent.darker(160));
    painter.drawRoundedRect(
        QRectF(body.left() + 0.4 * unit, body.top() - 2.2 * unit, 0.45 * unit, 2.4 * unit),
        0.2 * unit, 0.2 * unit);
    painter.drawRoundedRect(body, 0.5 * unit, 0.5 * unit);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(170, 214, 190));  // the radio's own display, lit
    painter.drawRoundedRect(QRectF(body.left() + 0.35 * unit, body.top() + 0.5 * unit,
                                   body.width() - 0.7 * unit, 1.3 * unit),
                            0.15 * unit, 0.15 * unit);
    painter.setBrush(palette.color(QPalette::Base));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            painter.drawEllipse(QPointF(body.left() + (0.65 + 0.65 * c) * unit,
                                        body.top() + (2.5 + 0.75 * r) * unit),
                                0.22 * unit, 0.22 * unit);
        }
    }
    painter.setPen(QPen(accent, 0.18 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QPointF tip(body.left() + 0.62 * unit, body.top() - 2.2 * unit);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 0.55 * unit * i;
        painter.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), 20 * 16, 50 * 16);
    }
}

}  // namespace

void DrawLogo(QPainter& painter, const QRectF& area, const QPalette& palette, const QFont& font) {
    const qreal side = std::min(area.width(), area.height()) * 0.8;
    const QPointF centre = area.center();
    const qreal unit = side / 10.0;
    DrawRadio(painter,
              QRectF(centre.x() - 4.2 * unit, centre.y() - 2.5 * unit, 2.6 * unit, 5.5 * unit),
              unit, palette);

    // The name and what the program is for.
    QColor text = palette.color(QPalette::Text);
    painter.setPen(text);
    QFont title = font;
    title.setBold(true);
    title.setPixelSize(std::max(12, static_cast<int>(1.5 * unit)));
    painter.setFont(title);
    const QRectF name(centre.x() - 1.2 * unit, centre.y() - 1.6 * unit, 6.2 * unit, 2 * unit);
    painter.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TQ530"));
    QFont sub = font;
    sub.setPixelSize(std::max(9, static_cast<int>(0.55 * unit)));
    painter.setFont(sub);
    text.setAlpha(190);
    painter.setPen(text);
    painter.drawText(QRectF(name.left(), name.bottom(), name.width(), 3 * unit),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Marine VHF clone programmer"));
}

}  // namespace tq530
