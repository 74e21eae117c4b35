// The trend window fed by the telegram monitor through a pseudo terminal.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "shell/main_window.h"
#include "support/clocks.h"
#include "support/link_fixture.h"
#include "trend/trend_window.h"

namespace {

using qvt::trend::TrendWindow;

TrendWindow* OpenTrend(qvt::MainWindow& form) {
    form.mainMenu().valueTrendItem->trigger();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* trend = qobject_cast<TrendWindow*>(w))
            return trend;
    }
    return nullptr;
}

}  // namespace

class TrendWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void menuAnsichtStandsAfterEinstellungen() {
        PtyPair device;
        LinkFixture app(device.path());
        QStringList captions;
        for (QAction* a : app.form->menuBar()->actions()) captions << a->text();
        QCOMPARE(captions, (QStringList{"&Info", "&Datei", "&Parameter", "&Einstellungen",
                                        "&Ansicht", "&Hilfe"}));
        QAction* item = app.form->mainMenu().valueTrendItem;
        QCOMPARE(item->text(), QString("&Messwertverlauf..."));
        QCOMPARE(item->property("helpContext").toInt(), 61);
    }

    // Telegrams before and after the window opens reach the chart, the
    // statistics and the exported file; a pause freezes only the view.
    void telegramsReachChartStatisticsAndExport() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        auto clock = std::make_shared<qvt::testing::FakeClock>(
            qvt::testing::FromLocalTime(qvt::testing::LocalTime(2026, 12, 6, 9, 30)));
        app.link().SetClock(clock);
        const qvt::TrendHistory& history = app.link().trendHistory();
        const auto send = [&](const char* telegram) {
            const std::size_t before = history.size();
            device.Send(telegram);
            QTRY_COMPARE(history.size(), before + 1);
            clock->Advance(std::chrono::milliseconds(500));
        };
        for (const char* telegram : {"+12.50\r", "+13.00\r", "-1.250\r"}) send(telegram);

        qvt::ParameterRecord& record = app.context.record;
        record.azDecimalPoint = 3;  // "XXX . X"
        record.sp1Setpoint = " 0150";
        record.sp1Active = 1;
        TrendWindow* trend = OpenTrend(*app.form);
        QVERIFY(trend && trend->isVisible());
        QCOMPARE(trend->windowTitle(), QString("Messwertverlauf"));
        send("+14.25\r");
        send("+----\r");
        QTRY_COMPARE(trend->valueSeries()->count(), 4);
        const QList<QPointF> points = trend->valueSeries()->points();
        QCOMPARE(points[2].y(), -1.25);
        QCOMPARE(points[3].y(), 14.25);
        QCOMPARE(points[3].x() - points[0].x(), 1500.0);
        // Each extreme with its telegram's decimals, the mean and the deviation
        // with one more than the most any telegram had.
        QCOMPARE(trend->statistics()->text(),
                 QString("Anzahl: 4   Minimum: -1,250   Maximum: 14,25   Mittelwert: 9,6250   "
                         "Standardabweichung: 7,2873   ohne Zahl: 1"));
        QVERIFY(trend->relayLine(1)->isVisible());
        QCOMPARE(trend->relayLine(1)->at(0).y(), 15.0);
        QVERIFY(!trend->relayLine(2)->isVisible());
        QVERIFY(trend->capNotice()->isHidden());

        trend->pauseButton()->setChecked(true);
        send("+20.00\r");
        QTest::qWait(3 * TrendWindow::kRedrawMilliseconds);
        QCOMPARE(trend->valueSeries()->count(), 4);

        const QString file = app.dir.filePath("Messwerte; alt.csv");
        QString title;
        trend->SetFileChooser([&](const QString& t, const QString&, const QString&) {
            title = t;
            return file;
        });
        QTest::keyClick(trend, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(title, QString("Messwerte exportieren"));
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> rows = csv.readAll().split('\n');
        QCOMPARE(rows.size(), 8);  // header, six telegrams, nothing after the last line end
        QCOMPARE(rows[0], QByteArray("\xEF\xBB\xBFZeit;Wert;Einheit;Telegramm\r"));
        QCOMPARE(rows[1], QByteArray("\"06.12.2026 09:30:00,000\";\"12,50\";\"\";\"+12.50\"\r"));
        QCOMPARE(rows[5], QByteArray("\"06.12.2026 09:30:02,000\";\"\";\"\";\"+---- \"\r"));
        QCOMPARE(rows[6], QByteArray("\"06.12.2026 09:30:02,500\";\"20,00\";\"\";\"+20.00\"\r"));

        trend->pauseButton()->setChecked(false);
        QCOMPARE(trend->valueSeries()->count(), 5);

        // The device falls silent for 21 s: the line breaks there instead of
        // running straight across the outage.
        clock->Advance(std::chrono::seconds(21));
        send("+21.00\r");
        send("+22.00\r");
        QTRY_COMPARE(trend->valueLines().back()->count(), 2);
        QCOMPARE(trend->valueLines().size(), std::size_t(2));
        QCOMPARE(trend->valueLines()[0]->points().last(), QPointF(points[0].x() + 2500, 20.0));
        QCOMPARE(trend->valueLines()[1]->points(),
                 (QList<QPointF>{{points[0].x() + 24000, 21.0}, {points[0].x() + 24500, 22.0}}));
        QCOMPARE(trend->valueLines()[1]->pen(), trend->valueLines()[0]->pen());
    }
};

QTEST_MAIN(TrendWindowTest)
#include "trend_window_test.moc"
