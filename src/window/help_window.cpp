#include "window/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/help_file.h"
#include "window/screens/help_context.h"

namespace tq530 {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("TQ530 Help"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);

    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto* close = new QPushButton(QStringLiteral("C&lose"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] {
        QString error;
        ShowTopic(file_, kHelpContents, error);
    });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(640, 560);
}

bool HelpWindow::ShowTopic(const QString& file, int context, QString& error) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) {
        error = QStringLiteral("Cannot open the help file %1.").arg(file);
        return false;
    }
    file_ = file;
    topic_ = context;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setFragment(QString::number(context));
    browser_->setSource(url);
    // The same page at the same topic loads nothing; the topic must still come into view.
    browser_->scrollToAnchor(url.fragment());
    return true;
}

// A help window is looked at and put away, as a dialog is.
void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

int HelpContextOf(const QWidget* widget, int fallback) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        bool ok = false;
        const int context = widget->property(kHelpContextProperty).toInt(&ok);
        if (ok && context > 0) {
            return context;
        }
    }
    return fallback;
}

}  // namespace tq530
