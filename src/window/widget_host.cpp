#include "window/widget_host.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "core/text_encoding.h"

namespace tq530 {

QMessageBox::Icon MessageBoxIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons MessageBoxButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton MessageBoxButton(Answer answer) {
    switch (answer) {
        case Answer::Cancel:
            return QMessageBox::Cancel;
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
        case Answer::Retry:
            return QMessageBox::Retry;
        case Answer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

Answer AnswerOf(QMessageBox::StandardButton button, Buttons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Retry:
            return Answer::Retry;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            break;
    }
    return buttons == Buttons::Ok ? Answer::Ok : DismissAnswer(buttons);
}

QString MessageText(const std::string& text) {
    const auto size = static_cast<qsizetype>(text.size());
    if (FirstNonUtf8(text) == std::string::npos) {
        return QString::fromUtf8(text.data(), size);
    }
    return QString::fromLatin1(text.data(), size);
}

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const std::string& text,
                                             const std::string& title, MsgIcon icon,
                                             Buttons buttons, Answer defaultButton) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setText(MessageText(text));
    box->setWindowTitle(MessageText(title));
    box->setIcon(MessageBoxIcon(icon));
    box->setStandardButtons(MessageBoxButtons(buttons));
    box->setDefaultButton(MessageBoxButton(defaultButton));
    // Escape and the close box give the answer a dismissed question stands for.
    if (buttons == Buttons::YesNo) {
        box->setEscapeButton(QMessageBox::No);
    }
    return box;
}

int WidgetHost::AddReasonTarget(ReasonTarget target) {
    reasonTargets_.emplace_back(nextReasonTarget_, std::move(target));
    return nextReasonTarget_++;
}

void WidgetHost::RemoveReasonTarget(int id) {
    reasonTargets_.erase(std::remove_if(reasonTargets_.begin(), reasonTargets_.end(),
                                        [id](const auto& entry) { return entry.first == id; }),
                         reasonTargets_.end());
}

void WidgetHost::ShowReason(const std::string& text) {
    if (!reasonTargets_.empty()) {
        // Reasons name files and ports, which are in the platform's encoding.
        reasonTargets_.back().second(QString::fromLocal8Bit(text.c_str()));
    }
}

ReasonRoute::ReasonRoute(UiHost& host, ReasonTarget target)
    : host_(dynamic_cast<WidgetHost*>(&host)) {
    if (host_ != nullptr) {
        id_ = host_->AddReasonTarget(std::move(target));
    }
}

ReasonRoute::~ReasonRoute() {
    if (host_ != nullptr) {
        host_->RemoveReasonTarget(id_);
    }
}

void WidgetHost::ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) {
    const auto box = BuildMessageBox(window_, text, title, icon, Buttons::Ok, Answer::Ok);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box->exec();
    QApplication::restoreOverrideCursor();
}

Answer WidgetHost::Ask(const std::string& text, const std::string& title, MsgIcon icon,
                       Buttons buttons, Answer defaultButton) {
    const auto box = BuildMessageBox(window_, text, title, icon, buttons, defaultButton);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box->exec();
    QApplication::restoreOverrideCursor();
    return AnswerOf(
        static_cast<QMessageBox::StandardButton>(box->standardButton(box->clickedButton())),
        buttons);
}

void WidgetHost::PacingPause(int milliseconds) {
    if (!pacing_ || milliseconds <= 0) {
        return;
    }
    // The window keeps painting; the user's input waits until the pause is over.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void WidgetHost::Yield() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WidgetHost::SetBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace tq530
