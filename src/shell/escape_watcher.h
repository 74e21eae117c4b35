#pragma once

#include <QElapsedTimer>
#include <QObject>

namespace qvt {

// While a programming run holds the main thread, the program takes no user
// input: this filter swallows every key, mouse and close event of the
// application and only notes whether ESC was pressed. Pending window-system
// events are fetched now and then (never socket notifications, so the
// telegram monitor stays still) so that the key can arrive at all.
class EscapeWatcher : public QObject {
    Q_OBJECT
  public:
    EscapeWatcher();
    ~EscapeWatcher() override;

    // Fetches pending events at most every few milliseconds; true once ESC was
    // pressed in any window of the program.
    bool EscapePressed();
    // Gives the input back, e.g. before a message box.
    void Stop();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QElapsedTimer sinceFetch_;
    bool installed_ = false;
    bool escape_ = false;
};

}  // namespace qvt
