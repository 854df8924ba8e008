#include "window/screens/simple_screens.h"

#include <QPainter>
#include <QPainterPath>

namespace tq530 {

LogoScreen::LogoScreen(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

QSize LogoScreen::minimumSizeHint() const {
    return {160, 160};
}

void LogoScreen::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

// A handheld radio beside the program's name, drawn to scale with the pane.
void LogoScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!picture_.isNull()) {
        // Centred, and made smaller only when the pane is smaller than the picture.
        const QSize size = picture_.size().boundedTo(this->size()).expandedTo(QSize(1, 1));
        const QImage shown = size == picture_.size() ? picture_
                                                     : picture_.scaled(size, Qt::KeepAspectRatio,
                                                                       Qt::SmoothTransformation);
        painter.drawImage(
            QPointF((width() - shown.width()) / 2.0, (height() - shown.height()) / 2.0), shown);
        return;
    }
    const qreal side = std::min(width(), height()) * 0.8;
    const QPointF centre(width() / 2.0, height() / 2.0);
    const qreal unit = side / 10.0;

    // The radio: body, antenna, display and keypad, left of centre.
    const QRectF body(centre.x() - 4.2 * unit, centre.y() - 2.5 * unit, 2.6 * unit, 5.5 * unit);
    const QColor navy(24, 54, 110);
    painter.setPen(Qt::NoPen);
    painter.setBrush(navy);
    painter.drawRoundedRect(
        QRectF(body.left() + 0.4 * unit, body.top() - 2.2 * unit, 0.45 * unit, 2.4 * unit),
        0.2 * unit, 0.2 * unit);
    painter.drawRoundedRect(body, 0.5 * unit, 0.5 * unit);
    painter.setBrush(QColor(170, 214, 190));
    const QRectF display(body.left() + 0.35 * unit, body.top() + 0.5 * unit,
                         body.width() - 0.7 * unit, 1.3 * unit);
    painter.drawRoundedRect(display, 0.15 * unit, 0.15 * unit);
    painter.setBrush(QColor(210, 220, 235));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            painter.drawEllipse(QPointF(body.left() + (0.65 + 0.65 * c) * unit,
                                        body.top() + (2.5 + 0.75 * r) * unit),
                                0.22 * unit, 0.22 * unit);
        }
    }

    // Waves from the antenna.
    QPen wave(QColor(40, 120, 200), 0.18 * unit, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    const QPointF tip(body.left() + 0.62 * unit, body.top() - 2.2 * unit);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 0.55 * unit * i;
        painter.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), 20 * 16, 50 * 16);
    }

    // The name and what the program is for.
    painter.setPen(navy);
    QFont title = font();
    title.setBold(true);
    title.setPixelSize(std::max(12, static_cast<int>(1.5 * unit)));
    painter.setFont(title);
    const QRectF text(centre.x() - 1.2 * unit, centre.y() - 1.6 * unit, 6.2 * unit, 2 * unit);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TQ530"));
    QFont sub = font();
    sub.setPixelSize(std::max(9, static_cast<int>(0.55 * unit)));
    painter.setFont(sub);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRectF(text.left(), text.bottom(), text.width(), 3 * unit),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Marine VHF clone programmer"));
}

EmptyPanel::EmptyPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

}  // namespace tq530
