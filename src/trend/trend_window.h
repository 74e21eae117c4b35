#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/parameter_record.h"
#include "core/switching_levels.h"
#include "trend/model/trend_history.h"
#include "trend/model/trend_span.h"
#include "trend/trend_chart.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineSeries;
class QPushButton;

namespace qvt::trend {

// The window "Messwertverlauf": the measured value of every telegram the
// monitor received against time, over the last minute, ten minutes, hour or
// everything, with the statistics of what it shows, the relays' switching
// points of the current parameter record, and the export of the collected
// values as CSV and of the chart as PNG. Where the device stopped sending for
// a while or the connection was lost, the line breaks. The chart comes from
// its module, loaded with the first window; without it the window still
// shows the statistics and exports the values. It only reads the history, which
// the monitor fills whether the window is open or not; it redraws a few
// times a second while telegrams come in, so a stream at the full line rate
// costs little.
class TrendWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRedrawMilliseconds = 250;

    TrendWindow(const qvt::TrendHistory& history, const qvt::ParameterRecord& record,
                QWidget* parent);
    ~TrendWindow() override;

    // Asks for the name of a file to write; empty when the user cancelled.
    using FileChooser =
        std::function<QString(const QString& title, const QString& filter, const QString& name)>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Ctrl+S and the button: all collected values as CSV. False when nothing was written.
    bool ExportValues();
    // The chart as PNG.
    bool SaveChart();

    // Draws the history now, as the next turn of the redraw timer would.
    void Redraw();

    // The chart; null when its module could not be loaded.
    TrendChart* chart() const { return chart_.get(); }
    // The first line of the measured values, and all of them, one a run.
    QLineSeries* valueSeries() const;
    std::vector<QLineSeries*> valueLines() const { return chart_->valueLines(); }
    QLineSeries* relayLine(int relay) const;
    QComboBox* spanChoice() const { return span_; }
    QPushButton* pauseButton() const { return pause_; }
    QCheckBox* fixedScale() const { return fixedScale_; }
    QLabel* statistics() const { return statistics_; }
    QLabel* capNotice() const { return capNotice_; }

  protected:
    // The redraw timer runs only while the window is shown.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BuildControls();
    void RedrawIfChanged();
    void FixScale(bool fixed);
    void ShowChosenRange(double from, double to);
    bool WriteFile(const QString& title, const QString& filter, const QString& name,
                   const std::function<bool(const QString& path)>& write);

    const qvt::TrendHistory& history_;
    const qvt::ParameterRecord& record_;
    FileChooser chooseFile_;
    std::unique_ptr<TrendChart> chart_;
    QComboBox* span_ = nullptr;
    QPushButton* pause_ = nullptr;
    QCheckBox* fixedScale_ = nullptr;
    QDoubleSpinBox* scaleLow_ = nullptr;
    QDoubleSpinBox* scaleHigh_ = nullptr;
    QLabel* statistics_ = nullptr;
    QLabel* capNotice_ = nullptr;
    QTimer redraw_;
    std::optional<std::uint64_t> drawnGeneration_;
    std::vector<qvt::SwitchingLevel> drawnLevels_;
    // A range the user dragged out; shown until the pause ends.
    std::optional<std::pair<double, double>> chosenRange_;
};

}  // namespace qvt::trend
