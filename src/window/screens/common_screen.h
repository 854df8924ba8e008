// "Common Setup": transmit power display, scanning, time and weather alert settings, each a
// choice list over one field of the common settings.
#pragma once

#include <QWidget>

#include "window/screens/screen.h"

class QLabel;

namespace tq530 {

class BoundList;
class ConnectorLine;
class EditSession;

class CommonScreen : public QWidget, public Screen {
    Q_OBJECT

  public:
    CommonScreen(EditSession& session, QWidget* parent = nullptr);

    void Show();
    QWidget* Widget() override { return this; }
    void ShowTarget(const ScreenTarget&) override { Show(); }

    BoundList* TxPoDisplay() const { return txPo_; }
    BoundList* Scan() const { return scan_; }
    BoundList* ResumeTime() const { return resume_; }
    BoundList* PttScanClear() const { return ptt_; }
    BoundList* DualWatch() const { return dual_; }
    BoundList* TimeDisplay() const { return time_; }
    BoundList* OffsetTime() const { return offset_; }
    BoundList* WeatherAlert() const { return weather_; }

  private:
    void ApplyEnableRules();

    EditSession& session_;
    BoundList* txPo_;
    BoundList* scan_;
    BoundList* resume_;
    BoundList* ptt_;
    BoundList* dual_;
    BoundList* time_;
    BoundList* offset_;
    BoundList* weather_;
    QLabel* resumeLabel_ = nullptr;
    QLabel* pttLabel_ = nullptr;
    ConnectorLine* resumeLine_ = nullptr;
    ConnectorLine* pttLine_ = nullptr;
};

}  // namespace tq530
