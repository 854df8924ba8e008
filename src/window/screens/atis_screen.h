// "ATIS Setup": which usable groups transmit the ATIS code, and the code itself.
#pragma once

#include <QWidget>
#include <array>

#include "model/settings_model.h"
#include "window/screens/screen.h"

class QCheckBox;
class QLabel;

namespace tq530 {

class EditSession;
class FieldCheck;
class FieldEdit;
class UiHost;

class AtisScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    AtisScreen(EditSession& session, UiHost& host, QWidget* parent = nullptr);

    void Show();
    QWidget* Widget() override { return this; }
    void ShowTarget(const ScreenTarget&) override { Show(); }
    // Checks a typed ATIS code; false after the refusal's message.
    bool InputCheck() override;

    QCheckBox* GroupBox(int group) const { return groups_[static_cast<size_t>(group)]; }
    FieldEdit* Code() const { return code_; }
    QLabel* CodeLabel() const { return codeLabel_; }

  private:
    EditSession& session_;
    std::array<QCheckBox*, kGroupCount> groups_{};
    FieldEdit* code_;
    QLabel* codeLabel_;
    FieldCheck* codeCheck_;
};

}  // namespace tq530
