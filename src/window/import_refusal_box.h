// The message of a refused CSV import: the fixed first line over the list of problems, which
// scrolls when it is long, in a box that never grows beyond the screen it opens on.
#pragma once

#include <QDialog>

#include "app/csv_tables.h"

class QLabel;
class QPlainTextEdit;

namespace tq530 {

class ImportRefusalBox : public QDialog {
    Q_OBJECT

  public:
    ImportRefusalBox(const CsvImport& refused, QWidget* parent = nullptr);

    QLabel* Heading() const { return heading_; }
    QPlainTextEdit* List() const { return list_; }

  private:
    void FitScreen();

    QLabel* heading_ = nullptr;
    QPlainTextEdit* list_ = nullptr;
};

}  // namespace tq530
