#include "window/screens/simple_screens.h"

#include <QPainter>

#include "window/screens/logo_picture.h"

namespace tq530 {

LogoScreen::LogoScreen(QWidget* parent) : QWidget(parent) {
    // The start panel is a page, as the screens' fields are: the theme's base colour.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

QSize LogoScreen::minimumSizeHint() const {
    return {160, 160};
}

void LogoScreen::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

// The installation's picture when it has one, else our own logo, to scale with the pane.
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
    DrawLogo(painter, QRectF(rect()), palette(), font());
}

EmptyPanel::EmptyPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

}  // namespace tq530
