// File > "Compare with...": the settings that differ between the data set on the screens and
// one on disk, with a jump to the screen where each is edited.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "editor/settings_diff.h"

class QTreeWidget;

namespace tq530 {

class CompareWindow : public QDialog {
    Q_OBJECT

  public:
    // jump shows the screen of a tree key; it is called on a double click or Enter on a line.
    CompareWindow(const QString& fileName, const std::vector<SettingDifference>& differences,
                  std::function<void(const std::string&)> jump, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void JumpToCurrent();

    std::vector<SettingDifference> differences_;
    std::function<void(const std::string&)> jump_;
    QTreeWidget* list_ = nullptr;
};

}  // namespace tq530
