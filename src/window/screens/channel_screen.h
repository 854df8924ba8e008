// The screen of one preset or EXP channel: binds the channel rules to its controls and
// stores every change through the edit session at once.
#pragma once

#include <QWidget>

#include "model/setting_catalogue.h"
#include "model/settings_model.h"
#include "rules/refusal.h"
#include "window/screens/screen.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tq530 {

class EditSession;
class FieldEdit;
class UiHost;

// The short lines that tie "Low Power Only" and "Power Up" to the box they depend on; drawn
// in the text colour while their box is enabled and greyed out otherwise.
class ConnectorLine : public QWidget {
  public:
    explicit ConnectorLine(QWidget* parent);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class ChannelScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    ChannelScreen(EditSession& session, UiHost& host, QWidget* parent = nullptr);

    // Clears the screen and fills the scrambler list, as before a new data set.
    void Prepare() override;
    // Shows channel index (0-based) of plan; an EXP channel is editable.
    void Show(PlanId plan, int index);
    // The check of a command that leaves the screen: a typed frequency is checked with its
    // message, then an enabled EXP channel must have an RX frequency and two display
    // characters. False after the refusal's message.
    bool InputCheck() override;

    // The target's Index counts EXP channels from 1.
    void ShowTarget(const ScreenTarget& target) override;
    QWidget* Widget() override { return this; }

    PlanId Plan() const { return plan_; }
    int Index() const { return index_; }

    // The controls, for the panel's tab order and the tests.
    QCheckBox* ChEnable() const { return chEnable_; }
    QCheckBox* TxEnable() const { return txEnable_; }
    QCheckBox* LowPower() const { return lowPower_; }
    QCheckBox* PowerUp() const { return powerUp_; }
    QCheckBox* Duplex() const { return duplex_; }
    QCheckBox* ScanMemory() const { return scanMemory_; }
    FieldEdit* DisplayFirst() const { return displayFirst_; }
    FieldEdit* DisplaySecond() const { return displaySecond_; }
    FieldEdit* RxFrequency() const { return rx_; }
    FieldEdit* TxFrequency() const { return tx_; }
    FieldEdit* ChName() const { return name_; }
    QComboBox* Scrambler() const { return scrambler_; }

  private:
    // The constructor's three steps: the controls with their hints and help, their places, and
    // what each control changes.
    void CreateControls();
    void LayOut();
    void ConnectControls();
    bool Exp() const { return plan_ == PlanId::Exp; }
    const ChannelRec* Record() const;
    void Edit(FieldId field, const std::function<void(ChannelRec&)>& edit);
    void ApplyEnableRules();
    void OnChEnable(bool checked);
    // Either box stores both flags; field is the one the operator changed.
    void OnTxOrLowPower(FieldId field);
    void OnDuplex(bool checked);
    void OnFrequencyLost(FieldEdit* box, Qt::FocusReason reason);
    // The checked and the silent variant of the frequency check.
    bool CheckFrequency(FieldEdit* box);
    void RestoreFrequency(FieldEdit* box);
    RuleField BoxField(const FieldEdit* box) const;
    void StoreFrequency(FieldEdit* box, double mhz);

    EditSession& session_;
    UiHost& host_;
    PlanId plan_ = PlanId::Usa;
    int index_ = -1;
    FieldEdit* pending_ = nullptr;  // the frequency box FieldEdited belongs to
    bool checking_ = false;         // a refusal's message is up

    QLabel* heading_;
    QCheckBox* chEnable_;
    QLabel* displayLabel_;
    FieldEdit* displayFirst_;
    FieldEdit* displaySecond_;
    QLabel* rxLabel_;
    FieldEdit* rx_;
    QLabel* rxUnit_;
    QLabel* txLabel_;
    FieldEdit* tx_;
    QLabel* txUnit_;
    QCheckBox* txEnable_;
    ConnectorLine* lowLine_;
    QCheckBox* lowPower_;
    ConnectorLine* upLine_;
    QCheckBox* powerUp_;
    QCheckBox* duplex_;
    QCheckBox* scanMemory_;
    QLabel* nameLabel_;
    FieldEdit* name_;
    QLabel* scramblerLabel_;
    QComboBox* scrambler_;
};

}  // namespace tq530
