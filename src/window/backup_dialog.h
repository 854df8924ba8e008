// File > "Open Backup...": the automatic backups of the radio's image, newest first, to pick
// one that the main window then loads as it loads an image file.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "app/backups.h"

class QDialogButtonBox;
class QTableWidget;

namespace tq530 {

class BackupDialog : public QDialog {
    Q_OBJECT

  public:
    explicit BackupDialog(const std::vector<BackupEntry>& backups, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    // The file of the chosen backup; "" when none is chosen.
    std::string ChosenPath() const;

  private:
    std::vector<BackupEntry> backups_;
    QTableWidget* table_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tq530
