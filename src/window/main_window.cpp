#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <utility>

#include "app/data_set.h"
#include "app/help_file.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/help_contexts.h"
#include "files/settings_file.h"
#include "window/compare_window.h"
#include "window/help_window.h"
#include "window/menu_access_keys.h"
#include "window/port_menu.h"
#include "window/screens/editor_panel.h"
#include "window/screens/help_context.h"
#include "window/screens/simple_screens.h"
#include "window/widget_host.h"

namespace tq530 {

namespace {

constexpr int kMinWidth = 607;  // 9105 x 6660 twips at 15 twips a pixel
constexpr int kMinHeight = 444;
constexpr int kTwipsPerPixel = 15;
constexpr double kTreeShare = 0.30;
constexpr const char* kLogoFile = "NB Logo.gif";

QString Text(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

// A status-bar notice (a backup that could not be kept names its path) is longer than a
// narrow window: it shows what fits, ending in an ellipsis, and its tip holds the whole text.
// text() stays the whole text.
class NoticeLabel : public QLabel {
  public:
    explicit NoticeLabel(QWidget* parent) : QLabel(parent) {}

    void SetNotice(const QString& text) {
        setText(text);
        UpdateTip();
    }
    QSize minimumSizeHint() const override {
        return {fontMetrics().horizontalAdvance(QStringLiteral("...")),
                QLabel::minimumSizeHint().height()};
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect room = contentsRect();
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, Shown(room.width()));
    }
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        UpdateTip();
    }

  private:
    QString Shown(int width) const {
        return fontMetrics().elidedText(text(), Qt::ElideRight, width);
    }
    void UpdateTip() { setToolTip(Shown(contentsRect().width()) == text() ? QString() : text()); }
};

}  // namespace

QString DroppedDataSet(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return QString();
    }
    const QString path = urls.front().toLocalFile();
    return CanLoad(DataSetKindOf(path.toLocal8Bit().toStdString())) ? path : QString();
}

MainWindow::MainWindow(Workspace& ws, SettingsStore& store, UiHost& host, FileDialogs& dialogs,
                       DestinationMenu& destinations, const StartUpResult& startUp, QWidget* parent)
    : QMainWindow(parent),
      ws_(ws),
      store_(store),
      host_(host),
      dialogs_(dialogs),
      destinations_(destinations),
      models_(startUp.Models) {
    setObjectName(QStringLiteral("MainWindow"));
    BuildActions(startUp);
    BuildMenus();
    RefreshRecentFiles();
    BuildToolBar();
    new MenuAccessKeys(this, menuBar());
    InstallPortMenu(portMenu_, portActions_, ws_, store_, this);

    BuildPanes();
    statusBar()->setSizeGripEnabled(true);
    notice_ = new NoticeLabel(statusBar());
    notice_->setObjectName(QStringLiteral("Notice"));
    statusBar()->addPermanentWidget(notice_);
    editor_->SetStatusBar(statusBar());
    reasonRoute_ =
        std::make_unique<ReasonRoute>(host_, [this](const QString& text) { ShowReason(text); });
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text != statusBar()->toolTip()) {
            statusBar()->setToolTip(QString());  // a hint replaced the reason
        }
        FitNotice();
    });

    SetHelpContext(editor_->Tree(), kHelpScreenTree);

    helpFile_ = ChooseHelpFile(ws_);
    actions_[Command::HelpContents]->setEnabled(!helpFile_.empty());
    connect(editor_, &EditorPanel::HistoryChanged, this, [this] {
        RefreshUndoActions();
        UpdateCaption();  // an undone Open takes its file name back
    });
    // The DSC screen's clear buttons ran the input check before they asked.
    connect(editor_, &EditorPanel::TransferRequested, this, [this](int mode) {
        const bool done = OpenTransfer(static_cast<TransferMode>(mode));
        editor_->ClearTransferFinished(done);
        BuildHexDump();
    });

    setMinimumSize(kMinWidth, kMinHeight);
    resize(kMinWidth, kMinHeight);
    hexDump_->setVisible(ws_.DiagnosticMode && actions_[Command::Hexdump]->isChecked());
    BuildHexDump();
    RefreshMenus();
    UpdateCaption();
    startedUp_ = true;
    setAcceptDrops(true);
    // The fields that take dropped text would swallow a dropped file.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* drop = static_cast<QDropEvent*>(event);
    if (widget == nullptr || widget->window() != this || !drop->mimeData()->hasUrls()) {
        return QMainWindow::eventFilter(watched, event);
    }
    const QString path = DroppedDataSet(*drop->mimeData());
    if (path.isEmpty()) {
        drop->ignore();  // the pointer shows that this file is not taken
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        // After the drag has ended: the open may ask questions.
        QTimer::singleShot(0, this,
                           [this, path] { OpenDataSet(path.toLocal8Bit().toStdString()); });
    }
    return true;
}

void MainWindow::BuildPanes() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("MainSplitter"));
    splitter_->setChildrenCollapsible(false);
    editor_ = new EditorPanel(ws_, host_, splitter_);
    splitter_->addWidget(editor_->Tree());
    rightPane_ = new QSplitter(Qt::Vertical, splitter_);
    rightPane_->setChildrenCollapsible(false);
    rightPane_->addWidget(editor_->ScreenArea());
    hexDump_ = new QListWidget(rightPane_);
    hexDump_->setObjectName(QStringLiteral("HexDump"));
    hexDump_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    hexDump_->setSelectionMode(QAbstractItemView::NoSelection);
    hexDump_->setUniformItemSizes(true);
    rightPane_->addWidget(hexDump_);
    splitter_->addWidget(rightPane_);
    setCentralWidget(splitter_);
}

QAction* MainWindow::ActionOf(Command command) const {
    return actions_.at(command);
}

CompareWindow* MainWindow::Comparison() const {
    return compareWindow_;
}

void MainWindow::SetNotice(const QString& text) {
    static_cast<NoticeLabel*>(notice_)->SetNotice(text);
}

void MainWindow::ShowReason(const QString& text) {
    statusBar()->showMessage(text);
    // A long path does not fit a narrow window: the tip shows the whole line.
    statusBar()->setToolTip(text);
    reasonShown_ = true;
}

void MainWindow::FitNotice() {
    // The hint or reason on the left keeps the room it needs, the notice takes the rest, and
    // never less than a third: with no hint shown a notice is not cut for nothing.
    const QString message = statusBar()->currentMessage();
    const int margin = statusBar()->fontMetrics().averageCharWidth() * 4;
    const int needed =
        message.isEmpty() ? 0 : statusBar()->fontMetrics().horizontalAdvance(message) + margin;
    notice_->setMaximumWidth(std::max(width() / 3, width() - needed - margin));
}

void MainWindow::UpdateCaption() {
    setWindowTitle(QString::fromLocal8Bit(CaptionText(ws_).c_str()));
}

void MainWindow::ShowHelp(int context) {
    if (helpFile_.empty()) {
        host_.ShowMessage(kNoHelpText, windowTitle().toLocal8Bit().toStdString(),
                          MsgIcon::Information);
        return;
    }
    // A modal dialog blocks every window but its own; the help then opens as one of them.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = this;
    }
    if (helpWindow_ == nullptr) {
        helpWindow_ = new HelpWindow(owner);
        helpWindow_->setAttribute(Qt::WA_DeleteOnClose);
    } else if (helpWindow_->parentWidget() != owner) {
        const bool shown = helpWindow_->isVisible();
        helpWindow_->setParent(owner, Qt::Window);
        helpWindow_->setVisible(shown);
    }
    QString error;
    if (!helpWindow_->ShowTopic(QString::fromLocal8Bit(helpFile_.c_str()), context, error)) {
        host_.ShowMessage(error.toLocal8Bit().toStdString(), ws_.TitleText, MsgIcon::Exclamation);
        return;
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void MainWindow::HelpOnFocus() {
    ShowHelp(HelpContextOf(QApplication::focusWidget(), kHelpContents));
}

void MainWindow::ShowLogoPicture() {
    logoShown_ = true;
    const QString path =
        QString::fromLocal8Bit(ws_.ProgramDir.c_str()) + QLatin1Char('/') + kLogoFile;
    if (!QFileInfo::exists(path)) {
        return;  // our own picture stays
    }
    const QImage picture = QImageReader(path).read();
    if (picture.isNull()) {
        return;
    }
    for (LogoScreen* logo : editor_->ScreenArea()->findChildren<LogoScreen*>()) {
        logo->SetPicture(picture);
    }
}

void MainWindow::AfterDataReplaced() {
    // The old screen's hint goes; the reason why the data set was not replaced stays.
    if (!std::exchange(reasonShown_, false)) {
        statusBar()->clearMessage();
    }
    RefreshMenus();
    UpdateCaption();
}

void MainWindow::RefreshUndoActions() {
    const EditSession& session = editor_->Session();
    const auto caption = [](const char* verb, const std::string& label) {
        return QString::fromLatin1(verb) +
               (label.empty() ? QString() : QLatin1Char(' ') + Text(label));
    };
    actions_[Command::Undo]->setText(caption("&Undo", session.UndoLabel()));
    actions_[Command::Undo]->setEnabled(session.CanUndo());
    actions_[Command::Redo]->setText(caption("&Redo", session.RedoLabel()));
    actions_[Command::Redo]->setEnabled(session.CanRedo());
}

void MainWindow::StoreGeometry() {
    const QRect frame = frameGeometry();
    const auto twips = [](int pixels) { return std::to_string(pixels * kTwipsPerPixel); };
    store_.SetText("Settings", "MainLeft", twips(frame.x()));
    store_.SetText("Settings", "MainTop", twips(frame.y()));
    store_.SetText("Settings", "MainWidth", twips(frame.width()));
    store_.SetText("Settings", "MainHeight", twips(frame.height()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool mayClose = ConfirmClose(
        ws_, host_, [this] { return editor_->InputCheck(); },
        [this] {
            const Outcome saved = SaveSettings(ws_, host_, dialogs_, true);
            UpdateCaption();
            return saved;
        });
    if (!mayClose) {
        event->ignore();
        return;
    }
    // The newest window first, so that a dialog goes before the window that opened it.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it != this && (*it)->isVisible()) {
            (*it)->close();
        }
    }
    if (StoreGeometryOnClose(isMinimized())) {
        StoreGeometry();
    }
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized()) {
        return;
    }
    const int tree = static_cast<int>(std::lround(width() * kTreeShare));
    splitter_->setSizes({tree, std::max(1, width() - tree)});
    FitNotice();
    if (startedUp_ && !logoShown_) {
        ShowLogoPicture();
    }
    hexDump_->setVisible(ws_.DiagnosticMode && actions_[Command::Hexdump]->isChecked());
}

}  // namespace tq530
