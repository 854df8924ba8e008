#include "window/compare_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tq530 {

namespace {

constexpr int kMinWidth = 520;
constexpr int kMinHeight = 300;

QString Text(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

}  // namespace

CompareWindow::CompareWindow(const QString& fileName,
                             const std::vector<SettingDifference>& differences,
                             std::function<void(const std::string&)> jump, QWidget* parent)
    : QDialog(parent), differences_(differences), jump_(std::move(jump)) {
    setObjectName(QStringLiteral("CompareWindow"));
    setWindowTitle(QStringLiteral("Compare with %1").arg(fileName));
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QLabel(
        differences_.empty()
            ? QStringLiteral("No differences")
            : QStringLiteral("%1 setting(s) differ. Double click or Enter on a &line shows its "
                             "screen.")
                  .arg(differences_.size()),
        this);
    heading->setObjectName(QStringLiteral("CompareHeading"));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("CompareList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setHeaderLabels({QStringLiteral("Setting"), QStringLiteral("This data set"),
                            QStringLiteral("The file (%1)").arg(fileName)});
    for (const SettingDifference& difference : differences_) {
        auto* item = new QTreeWidgetItem(
            list_, {Text(difference.Label), Text(difference.Before), Text(difference.After)});
        item->setToolTip(0, Text(DifferenceLine(difference)));
    }
    list_->header()->setStretchLastSection(true);
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(1);
    list_->setVisible(!differences_.empty());
    heading->setBuddy(list_);
    layout->addWidget(list_, 1);
    if (differences_.empty()) {
        layout->addStretch(1);
    }
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { JumpToCurrent(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    if (!differences_.empty()) {
        list_->setCurrentItem(list_->topLevelItem(0));
        list_->setFocus();
    }
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kMinWidth, kMinHeight);
}

void CompareWindow::keyPressEvent(QKeyEvent* event) {
    // Enter on the list is the jump; a dialog would otherwise take it as its default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && list_->hasFocus()) {
        JumpToCurrent();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CompareWindow::JumpToCurrent() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || row >= static_cast<int>(differences_.size()) || !jump_) {
        return;
    }
    const std::string& key = differences_[static_cast<size_t>(row)].ScreenKey;
    if (!key.empty()) {
        jump_(key);
    }
}

}  // namespace tq530
