// "Usable CH Group Setup": per usable group its Usable box, priority channel and status
// name. Switching a group on or off changes which plans the tree offers.
#pragma once

#include <QWidget>
#include <array>

#include "model/settings_model.h"
#include "window/screens/screen.h"

class QCheckBox;
class QLabel;

namespace tq530 {

class BoundList;
class EditSession;
class FieldEdit;

class UsableScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    UsableScreen(EditSession& session, QWidget* parent = nullptr);

    void Show();
    QWidget* Widget() override { return this; }
    void ShowTarget(const ScreenTarget&) override { Show(); }
    // Stores the status name of the focused box, as leaving it would.
    bool InputCheck() override;

    QCheckBox* UsableBox(int group) const { return rows_[static_cast<size_t>(group)].Usable; }
    BoundList* PriorityList(int group) const { return rows_[static_cast<size_t>(group)].Priority; }
    FieldEdit* StatusNameBox(int group) const { return rows_[static_cast<size_t>(group)].Status; }
    QLabel* PriorityLabel(int group) const {
        return rows_[static_cast<size_t>(group)].PriorityLabel;
    }

  private:
    struct Row {
        QCheckBox* Usable = nullptr;
        QLabel* PriorityLabel = nullptr;
        BoundList* Priority = nullptr;  // none for the EXP group
        QLabel* StatusLabel = nullptr;
        FieldEdit* Status = nullptr;
    };
    void ApplyEnableRules(int group);
    void StoreStatusName(int group);

    EditSession& session_;
    std::array<Row, kGroupCount> rows_;
};

}  // namespace tq530
