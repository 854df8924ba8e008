// The program's own help window: the HTML help file, opened at the anchor of a topic number.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace tq530 {

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows file at the topic; false with error set when the file cannot be read.
    bool ShowTopic(const QString& file, int context, QString& error);

    QTextBrowser* Browser() const { return browser_; }
    // The topic last asked for.
    int Topic() const { return topic_; }

  protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* browser_ = nullptr;
    QString file_;
    int topic_ = 0;
};

// The topic of a control: its own "helpContext" or that of the nearest parent with one;
// fallback when none has.
int HelpContextOf(const QWidget* widget, int fallback);

}  // namespace tq530
