#include "window/backup_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tq530 {

namespace {

constexpr int kMinWidth = 460;
constexpr int kMinHeight = 260;

QString Text(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

}  // namespace

BackupDialog::BackupDialog(const std::vector<BackupEntry>& backups, QWidget* parent)
    : QDialog(parent), backups_(backups) {
    setObjectName(QStringLiteral("BackupDialog"));
    setWindowTitle(QStringLiteral("Open Backup"));
    auto* layout = new QVBoxLayout(this);

    auto* heading =
        new QLabel(backups_.empty() ? QStringLiteral("No backups yet: every read from the radio "
                                                     "and every program to it keeps one.")
                                    : QStringLiteral("&Backups of the radio's data, newest first:"),
                   this);
    heading->setObjectName(QStringLiteral("BackupHeading"));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    table_ = new QTableWidget(static_cast<int>(backups_.size()), 4, this);
    table_->setObjectName(QStringLiteral("BackupTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Kind"),
                                       QStringLiteral("Model"), QStringLiteral("User MMSI")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const BackupEntry& entry = backups_[static_cast<size_t>(row)];
        const QStringList cells = {Text(entry.Date),
                                   QString::fromLatin1(BackupKindText(entry.Kind)),
                                   Text(entry.Model), Text(entry.UserMmsi)};
        for (int column = 0; column < cells.size(); ++column) {
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    table_->resizeColumnsToContents();
    table_->setVisible(!backups_.empty());
    heading->setBuddy(table_);
    layout->addWidget(table_, 1);
    if (backups_.empty()) {
        layout->addStretch(1);
    }

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
    ok->setEnabled(!backups_.empty());
    ok->setDefault(true);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A double click opens the backup as OK would; Enter reaches OK as the default button.
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this, ok] { ok->setEnabled(!table_->selectedItems().isEmpty()); });

    if (!backups_.empty()) {
        table_->selectRow(0);
        table_->setFocus();
    }
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kMinWidth, kMinHeight);
}

std::string BackupDialog::ChosenPath() const {
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(backups_.size()) || table_->selectedItems().isEmpty()) {
        return std::string();
    }
    return backups_[static_cast<size_t>(row)].Path;
}

}  // namespace tq530
