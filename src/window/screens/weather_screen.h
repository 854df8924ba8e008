// The ten weather channels in rows: enable, scan and name of each, stored at once.
#pragma once

#include <QWidget>
#include <array>

#include "model/settings_model.h"
#include "window/screens/screen.h"

class QCheckBox;
class QLabel;

namespace tq530 {

class EditSession;
class FieldEdit;

class WeatherScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    explicit WeatherScreen(EditSession& session, QWidget* parent = nullptr);

    // Fills the rows from the WX plan.
    void Show();
    QWidget* Widget() override { return this; }
    // A new data set fills the rows at once.
    void Prepare() override { Show(); }
    void ShowTarget(const ScreenTarget&) override { Show(); }

    QCheckBox* EnableBox(int row) const { return rows_[static_cast<size_t>(row)].Enable; }
    QCheckBox* ScanBox(int row) const { return rows_[static_cast<size_t>(row)].Scan; }
    FieldEdit* NameBox(int row) const { return rows_[static_cast<size_t>(row)].Name; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Row {
        QLabel* Label = nullptr;
        QCheckBox* Enable = nullptr;
        QCheckBox* Scan = nullptr;
        FieldEdit* Name = nullptr;
    };
    void ApplyRowRule(int row);

    EditSession& session_;
    std::array<Row, kWxChannelCount> rows_;
};

}  // namespace tq530
