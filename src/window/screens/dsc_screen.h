// "DSC Setup": four tabs over the DSC settings (basic, advanced, display, automatic position
// report), the user MMSI box and the buttons that clear the user MMSI or a log in the radio.
// The buttons only ask for their transfer; the main window runs it.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "window/screens/screen.h"

class QCheckBox;
class QLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tq530 {

class BoundList;
class EditSession;
class FieldCheck;
class FieldEdit;
class UiHost;

class DscScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    DscScreen(EditSession& session, UiHost& host, QWidget* parent = nullptr);

    void Show();
    QWidget* Widget() override { return this; }
    void ShowTarget(const ScreenTarget&) override { Show(); }
    // Checks the typed MMSI boxes; false after a refusal's message.
    bool InputCheck() override;

    QTabWidget* Tabs() const { return tabs_; }
    BoundList* DscGroup(int group) const { return groups_[static_cast<size_t>(group)]; }
    FieldEdit* UserMmsi() const { return userMmsi_; }
    QPushButton* MmsiClear() const { return mmsiClear_; }
    QLineEdit* Count() const { return count_; }
    QPushButton* DscLogClear() const { return dscLogClear_; }
    QPushButton* DistressLogClear() const { return distressLogClear_; }
    // Rows "Distress Cancel Call", "POS Request", "POS Reporting" and their TX levels.
    BoundList* PosRequest(int row) const { return pos_[static_cast<size_t>(row)]; }
    BoundList* PosRequestTx(int row) const { return posTx_[static_cast<size_t>(row)]; }
    BoundList* BeepOut(int i) const { return beep_[static_cast<size_t>(i)]; }
    // Advanced: block 0 all ships, 1 group, 2 individual; rows distress .. routine.
    BoundList* Call(int block, int row) const { return calls_[Slot(block, row)]; }
    BoundList* CallTx(int block, int row) const { return callsTx_[Slot(block, row)]; }
    BoundList* DisplayMenu(int i) const { return display_[static_cast<size_t>(i)]; }
    QCheckBox* AutoPosEnable() const { return autoEnable_; }
    BoundList* AutoPosChannel() const { return autoChannel_; }
    BoundList* AutoPosInterval() const { return autoInterval_; }
    BoundList* AutoPosSelectCall() const { return autoSelect_; }
    BoundList* AutoPosDirName() const { return autoDir_; }
    FieldEdit* AutoPosMmsi() const { return autoMmsi_; }
    QCheckBox* PosPollOnCch() const { return pollOnCch_; }

  signals:
    // An MMSI Clear or Log Clear button was clicked: the transfer mode it asks for.
    void ClearRequested(int mode);

  private:
    static size_t Slot(int block, int row) { return static_cast<size_t>(block * 4 + row); }
    QWidget* BuildBasic();
    // Parts of the basic page; each adds its controls to order, the page's tab order.
    QLayout* BuildRadioRows(QWidget* page, std::vector<QWidget*>& order);
    QLayout* BuildPositionCalls(QWidget* page, std::vector<QWidget*>& order);
    QWidget* BuildBeeps(QWidget* page, std::vector<QWidget*>& order);
    QWidget* BuildAdvanced();
    QWidget* BuildDisplay();
    QWidget* BuildAutoPos();
    void ConnectAutoPos();
    void ShowAutoPos();
    void FillDirNames();
    void ApplyEnableRules();

    EditSession& session_;
    UiHost& host_;
    QTabWidget* tabs_ = nullptr;
    std::array<BoundList*, 4> groups_{};
    FieldEdit* userMmsi_ = nullptr;
    FieldCheck* userMmsiCheck_ = nullptr;
    QPushButton* mmsiClear_ = nullptr;
    QLineEdit* count_ = nullptr;
    QPushButton* dscLogClear_ = nullptr;
    QPushButton* distressLogClear_ = nullptr;
    std::array<BoundList*, 3> pos_{};
    std::array<BoundList*, 3> posTx_{};
    std::array<BoundList*, 7> beep_{};
    std::array<BoundList*, 12> calls_{};
    std::array<BoundList*, 12> callsTx_{};
    std::array<BoundList*, 3> display_{};
    QWidget* autoPage_ = nullptr;
    QCheckBox* autoEnable_ = nullptr;
    BoundList* autoChannel_ = nullptr;
    BoundList* autoInterval_ = nullptr;
    BoundList* autoSelect_ = nullptr;
    BoundList* autoDir_ = nullptr;
    FieldEdit* autoMmsi_ = nullptr;
    FieldCheck* autoMmsiCheck_ = nullptr;
    QLabel* autoMmsiLabel_ = nullptr;
    std::array<QLabel*, 4> autoLabels_{};
    QCheckBox* pollOnCch_ = nullptr;
};

}  // namespace tq530
