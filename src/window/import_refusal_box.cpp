#include "window/import_refusal_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

namespace tq530 {

ImportRefusalBox::ImportRefusalBox(const CsvImport& refused, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ImportRefusalBox"));
    setWindowTitle(QString::fromLatin1(kImportCsvTitle));

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    heading_ = new QLabel(QString::fromStdString(RefusalHeading(refused)), this);
    heading_->setObjectName(QStringLiteral("ImportRefusalHeading"));

    // The problems quote the file's cells, which are UTF-8.
    QStringList lines;
    for (const std::string& line : RefusalLines(refused)) {
        lines << QString::fromStdString(line);
    }
    list_ = new QPlainTextEdit(lines.join(QLatin1Char('\n')), this);
    list_->setObjectName(QStringLiteral("ImportRefusalList"));
    list_->setReadOnly(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    list_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(heading_);
    text->addWidget(list_, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(icon, 0, Qt::AlignTop);
    body->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    ok->setFocus();
    FitScreen();
}

// As large as the list asks, up to most of the screen: a longer list scrolls.
void ImportRefusalBox::FitScreen() {
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QFontMetrics metrics(list_->font());
    int widest = 0;
    for (QTextBlock block = list_->document()->begin(); block.isValid(); block = block.next()) {
        widest = std::max(widest, metrics.horizontalAdvance(block.text()));
    }
    const int lines = list_->document()->blockCount();
    const int margins =
        2 * (list_->frameWidth() + static_cast<int>(list_->document()->documentMargin()) +
             metrics.averageCharWidth());
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
    // The box keeps room for its heading and button below the list.
    const int width = std::min(widest + margins + scrollBar, available.width() * 3 / 4);
    const int height =
        std::min((lines + 1) * metrics.lineSpacing() + margins, available.height() * 3 / 5);
    list_->setFixedSize(std::max(width, metrics.averageCharWidth() * 40), height);
    adjustSize();
    // Once placed, the box may be made smaller or larger by hand.
    list_->setMinimumSize(metrics.averageCharWidth() * 20, metrics.lineSpacing() * 3);
    list_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

}  // namespace tq530
