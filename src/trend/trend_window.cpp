#include "trend/trend_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <chrono>
#include <limits>

#include "core/switching_levels.h"
#include "dialogs/message_box.h"
#include "platform/help.h"
#include "platform/help_topics.h"
#include "trend/trend_files.h"

namespace qvt::trend {

namespace {

struct SpanChoice {
    const char* caption;
    std::optional<std::chrono::milliseconds> length;
};
const SpanChoice kSpans[] = {
    {"1 Minute", std::chrono::minutes(1)},
    {"10 Minuten", std::chrono::minutes(10)},
    {"1 Stunde", std::chrono::hours(1)},
    {"Alles", std::nullopt},
};

QDoubleSpinBox* ScaleBox(QWidget* parent, const char* name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(-1e9, 1e9);
    box->setDecimals(3);
    box->setLocale(QLocale(QLocale::German, QLocale::Germany));
    box->setEnabled(false);
    return box;
}

}  // namespace

TrendWindow::TrendWindow(const qvt::TrendHistory& history, const qvt::ParameterRecord& record,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history), record_(record) {
    setObjectName("TrendWindow");
    setWindowTitle("Messwertverlauf");
    setProperty("helpContext", help::topic::kValueTrend);
    resize(720, 460);
    chooseFile_ = [this](const QString& title, const QString& filter, const QString& name) {
        QFileDialog dialog(this, title, name, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QFileInfo(name).suffix());
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    BuildControls();
    redraw_.setInterval(kRedrawMilliseconds);
    connect(&redraw_, &QTimer::timeout, this, &TrendWindow::RedrawIfChanged);
}

TrendWindow::~TrendWindow() = default;

void TrendWindow::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    auto* spanLabel = new QLabel("&Zeitraum:", this);
    span_ = new QComboBox(this);
    span_->setObjectName("SpanChoice");
    for (const SpanChoice& choice : kSpans) span_->addItem(choice.caption);
    span_->setCurrentIndex(0);
    spanLabel->setBuddy(span_);
    pause_ = new QPushButton("&Pause", this);
    pause_->setObjectName("PauseButton");
    pause_->setCheckable(true);
    pause_->setToolTip("Hält die Anzeige an; die Messwerte werden weiter gesammelt.");
    fixedScale_ = new QCheckBox("Y-Achse &fest", this);
    fixedScale_->setObjectName("FixedScale");
    scaleLow_ = ScaleBox(this, "ScaleLow");
    scaleHigh_ = ScaleBox(this, "ScaleHigh");
    top->addWidget(spanLabel);
    top->addWidget(span_);
    top->addWidget(pause_);
    top->addSpacing(16);
    top->addWidget(fixedScale_);
    top->addWidget(new QLabel("von", this));
    top->addWidget(scaleLow_);
    top->addWidget(new QLabel("bis", this));
    top->addWidget(scaleHigh_);
    top->addStretch();
    layout->addLayout(top);

    QString error;
    chart_ = MakeTrendChart(this, &error);
    if (chart_) {
        layout->addWidget(chart_->view(), 1);
    } else {
        auto* missing = new QLabel(
            QString::fromUtf8("Das Diagramm kann nicht angezeigt werden: %1").arg(error), this);
        missing->setObjectName("ChartMissing");
        missing->setWordWrap(true);
        missing->setAlignment(Qt::AlignCenter);
        layout->addWidget(missing, 1);
    }

    statistics_ = new QLabel(this);
    statistics_->setObjectName("Statistics");
    statistics_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(statistics_);
    capNotice_ = new QLabel(this);
    capNotice_->setObjectName("CapNotice");
    capNotice_->setStyleSheet("color: #a00000;");
    capNotice_->setText(
        QString::fromUtf8("Speichergrenze erreicht: es werden nur die letzten %1 Telegramme "
                          "behalten, ältere sind verworfen.")
            .arg(QLocale(QLocale::German, QLocale::Germany)
                     .toString(static_cast<qulonglong>(history_.capacity()))));
    capNotice_->hide();
    layout->addWidget(capNotice_);

    auto* bottom = new QHBoxLayout();
    auto* exportButton = new QPushButton("&Exportieren...", this);
    exportButton->setObjectName("ExportButton");
    exportButton->setToolTip("Alle gesammelten Messwerte als CSV-Datei speichern (Strg+S)");
    auto* pngButton = new QPushButton("Als P&NG speichern...", this);
    pngButton->setObjectName("PngButton");
    bottom->addWidget(exportButton);
    bottom->addWidget(pngButton);
    bottom->addStretch();
    layout->addLayout(bottom);

    connect(span_, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        if (!paused) {
            chosenRange_.reset();
            Redraw();
        }
    });
    connect(fixedScale_, &QCheckBox::toggled, this, &TrendWindow::FixScale);
    for (QDoubleSpinBox* box : {scaleLow_, scaleHigh_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Redraw(); });
    if (chart_)
        chart_->SetRangeChosenHandler(
            [this](double from, double to) { ShowChosenRange(from, to); });
    connect(exportButton, &QPushButton::clicked, this, &TrendWindow::ExportValues);
    connect(pngButton, &QPushButton::clicked, this, &TrendWindow::SaveChart);
    pngButton->setEnabled(chart_ != nullptr);
    fixedScale_->setEnabled(chart_ != nullptr);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
            &TrendWindow::ExportValues);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [] { qvt::help::ShowContext(help::topic::kValueTrend); });
}

void TrendWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    redraw_.start();
}

void TrendWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    redraw_.stop();
}

QLineSeries* TrendWindow::valueSeries() const {
    return chart_->valueLines().front();
}

QLineSeries* TrendWindow::relayLine(int relay) const {
    return chart_->relayLine(relay);
}

// ---- Drawing -------------------------------------------------------------------

void TrendWindow::RedrawIfChanged() {
    if (pause_->isChecked())
        return;
    // A new telegram, or switching points changed in their dialog.
    if (drawnGeneration_ == history_.generation() &&
        drawnLevels_ == qvt::ActiveSwitchingLevels(record_))
        return;
    Redraw();
}

void TrendWindow::Redraw() {
    qvt::TrendSpan span;
    double from = 0;
    double to = 0;
    if (chosenRange_) {
        std::tie(from, to) = *chosenRange_;
        span = qvt::SpanBetween(history_, qvt::TimeOfPlot(from), qvt::TimeOfPlot(to));
    } else {
        const auto length = kSpans[std::max(0, span_->currentIndex())].length;
        span = qvt::LatestSpan(history_, length);
        to = history_.size() > 0 ? qvt::PlotTimeOf(history_[history_.size() - 1].at)
                                 : static_cast<double>(QDateTime::currentMSecsSinceEpoch());
        from = length ? to - static_cast<double>(length->count())
                      : (history_.size() > 0 ? qvt::PlotTimeOf(history_[0].at) : to);
    }
    const qvt::SpanSummary summary = qvt::Summarise(history_, span);
    drawnLevels_ = qvt::ActiveSwitchingLevels(record_);
    if (chart_) {
        std::optional<TrendChart::YRange> fixed;
        if (fixedScale_->isChecked())
            fixed = TrendChart::YRange{scaleLow_->value(), scaleHigh_->value()};
        // Each run thinned on its own, so no point of one is joined to the next.
        TrendChart::Runs runs = qvt::PlotRunsOf(history_, span);
        const int columns = chart_->columns();
        for (std::vector<qvt::PlotPoint>& run : runs)
            run = qvt::DecimateMinMax(run, from, to > from ? to : from + 1000, columns);
        chart_->Draw(runs, from, to, drawnLevels_, QString::fromStdString(summary.unit), fixed);
    }
    statistics_->setText(QString::fromStdString(qvt::StatisticsText(summary)));
    capNotice_->setVisible(history_.capReached());
    drawnGeneration_ = history_.generation();
}

// The scale is fixed where it stands, then set with the two boxes.
void TrendWindow::FixScale(bool fixed) {
    if (fixed) {
        const TrendChart::YRange y = chart_->yRange();
        for (QDoubleSpinBox* box : {scaleLow_, scaleHigh_}) box->blockSignals(true);
        scaleLow_->setValue(y.low);
        scaleHigh_->setValue(y.high);
        for (QDoubleSpinBox* box : {scaleLow_, scaleHigh_}) box->blockSignals(false);
    }
    scaleLow_->setEnabled(fixed);
    scaleHigh_->setEnabled(fixed);
    Redraw();
}

// A range dragged out on the chart holds the view, as the pause does, until
// the pause is ended.
void TrendWindow::ShowChosenRange(double from, double to) {
    chosenRange_ = {from, to};
    pause_->blockSignals(true);
    pause_->setChecked(true);
    pause_->blockSignals(false);
    Redraw();
}

// ---- Files ---------------------------------------------------------------------------

bool TrendWindow::ExportValues() {
    return WriteFile("Messwerte exportieren", "CSV-Dateien (*.csv)", qvt::trend::CsvFileName(),
                     [this](const QString& path) { return qvt::trend::WriteCsv(path, history_); });
}

bool TrendWindow::SaveChart() {
    return WriteFile("Diagramm speichern", "PNG-Bilder (*.png)", qvt::trend::PngFileName(),
                     [this](const QString& path) {
                         return chart_ && qvt::trend::WritePng(path, *chart_->view());
                     });
}

bool TrendWindow::WriteFile(const QString& title, const QString& filter, const QString& name,
                            const std::function<bool(const QString& path)>& write) {
    const QString path = chooseFile_(title, filter, name);
    if (path.isEmpty())
        return false;
    if (write(path))
        return true;
    qvt::ShowMessage(this, QString("Datei kann nicht geschrieben werden: %1").arg(path),
                     qvt::Severity::kError);
    return false;
}

}  // namespace qvt::trend
