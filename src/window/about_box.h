// The About box: the program's name, version and legal notice, with our own logo.
#pragma once

#include <QDialog>

namespace tq530 {

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);
};

// "Version " and the program's major, minor and revision numbers.
QString VersionText();

}  // namespace tq530
