#include "window/report_window.h"

#include <QAction>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/file_dialogs.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "report/report_text.h"

namespace tq530 {

namespace {

constexpr const char* kTextFilter = "Text files(*.txt)|*.txt|All files(*.*)|*.*";
constexpr int kStartDelayMs = 50;
constexpr int kWidestLine = 35 + 4 * 18;

}  // namespace

ReportWindow::ReportWindow(Workspace& ws, UiHost& host, FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), ws_(ws), host_(host), dialogs_(dialogs) {
    setObjectName(QStringLiteral("ReportWindow"));
    setWindowTitle(QStringLiteral("Print to File"));

    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    saveAs_ = file->addAction(QStringLiteral("&Save As..."));
    file->addSeparator();
    exit_ = file->addAction(QStringLiteral("&Exit"));
    connect(saveAs_, &QAction::triggered, this, &ReportWindow::SaveAs);
    connect(exit_, &QAction::triggered, this, &QDialog::accept);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("ReportText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    text_->setFont(font);
    text_->setPlainText(QStringLiteral("Now, making text image. Please wait..."));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ReportOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(text_, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    // Wide enough for the widest setting line (a label and four values) at the text's font.
    const QFontMetrics metrics(text_->font());
    resize(std::max(600, metrics.horizontalAdvance(QString(kWidestLine, QLatin1Char('M'))) + 60),
           480);
}

void ReportWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        // The window appears with its note first; the report follows once it is painted.
        QTimer::singleShot(kStartDelayMs, this, &ReportWindow::MakeTextImage);
    }
}

void ReportWindow::MakeTextImage() {
    host_.SetBusy(true);
    QString text = QString::fromLatin1(BuildReportText(ws_).c_str());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(text);
    host_.PacingPause(500);
    host_.SetBusy(false);
    ready_ = true;
}

void ReportWindow::SaveAs() {
    const std::string path = dialogs_.AskSavePath(kTextFilter, ws_.ProgramDir);
    if (path.empty()) {
        return;
    }
    // The text area holds lines; the file holds them as the text image does, with CR LF.
    QString text = text_->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    SaveReportText(ws_, host_, text.toLatin1().toStdString(), path);
}

}  // namespace tq530
