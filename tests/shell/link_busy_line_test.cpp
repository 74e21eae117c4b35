// "Senden" and "TEST" while the device keeps sending its telegrams, and the
// times of telegrams that waited while the monitor stood still.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <memory>
#include <regex>

#include "dialogs/display_dialog.h"
#include "shell/main_window.h"
#include "shell/parameter_commands.h"
#include "support/clocks.h"
#include "support/controls.h"
#include "support/link_fixture.h"

namespace {

const QString kParametersOk = QString::fromUtf8("Meldung: Parameter fehlerfrei übertragen");
const QString kValueOk = QString::fromUtf8("Meldung: Wert fehlerfrei übertragen");

// The running numbers of the telegrams in the trend history; empty when one
// of them is not a whole telegram of the simulator.
std::vector<long> NumbersOfWholeTelegrams(const qvt::TrendHistory& history) {
    // "DD.MM.YY hh:mm:ss", the running number, the unit.
    static const std::regex kWhole(R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d\+(\d{7})C)");
    std::vector<long> numbers;
    for (std::size_t i = 0; i < history.size(); ++i) {
        const std::string text(history[i].telegram.view());
        std::smatch match;
        if (!std::regex_match(text, match, kWhole)) {
            qWarning("not whole: %s", text.c_str());
            return {};
        }
        numbers.push_back(std::stol(match[1]));
    }
    return numbers;
}

}  // namespace

class LinkBusyLineTest : public QObject {
    Q_OBJECT
  private slots:
    // Every acknowledged transmission is reported as such, and every
    // telegram around it reaches the monitor whole, none lost.
    void sendenAndTestWhileTheDeviceSends() {
        DevSimProcess device({"--cycle", "20", "--numbered"});
        QVERIFY(device.Start());
        LinkFixture app(device.path().toStdString());
        auto clock = std::make_shared<qvt::testing::SecondStartClock>();
        app.link().SetClock(clock);
        qvt::dialogs::DisplayDialog* dialog = app.form->dialogs().displayDialog;
        app.form->parameterCommands().OpenDisplay();
        Control<QLineEdit>(dialog, "AzDEdit1")->setText("1234");
        QStringList expected;
        for (int i = 0; i < 40; ++i) {
            clock->Restart();
            if (i % 2 == 0) {
                app.link().SendParameters();
                expected << kParametersOk;
            } else {
                QTest::mouseClick(Control<QPushButton>(dialog, "Button1"), Qt::LeftButton);
                expected << kValueOk;
            }
            QTest::qWait(15);
        }
        dialog->close();
        QCOMPARE(app.messages, expected);
        QTest::qWait(100);
        const std::vector<long> numbers = NumbersOfWholeTelegrams(app.link().trendHistory());
        QVERIFY(numbers.size() > 20);
        for (std::size_t i = 1; i < numbers.size(); ++i) QCOMPARE(numbers[i], numbers[i - 1] + 1);
    }

    // While the monitor stands still (a message box, a file dialog), the
    // event loop still takes the bytes in: each telegram keeps the time it
    // arrived, a cycle apart, not the moment the monitor got to it.
    void telegramsThatWaitedKeepTheirArrivalTimes() {
        DevSimProcess device({"--cycle", "100", "--numbered"});
        QVERIFY(device.Start());
        LinkFixture app(device.path().toStdString());
        const qvt::TrendHistory& history = app.link().trendHistory();
        QTRY_VERIFY(history.size() >= 1);
        const std::size_t before = history.size();
        app.link().HoldMonitor();
        QTest::qWait(1000);
        QCOMPARE(history.size(), before);
        app.link().ReleaseMonitor();
        QTRY_VERIFY(history.size() >= before + 7);
        // Sent 114 ms apart (27 bytes at 19200 baud and the pause) over the
        // second the monitor stood still: their times spread over it, in order.
        for (std::size_t i = before; i < history.size(); ++i)
            QVERIFY(history[i].at >= history[i - 1].at);
        const auto spread = std::chrono::duration_cast<std::chrono::milliseconds>(
            history[before + 6].at - history[before].at);
        QVERIFY2(spread.count() >= 500, qPrintable(QString::number(spread.count())));
    }
};

QTEST_MAIN(LinkBusyLineTest)
#include "link_busy_line_test.moc"
