// The big digits of the main window and the number the trend reads from a
// telegram: fed through a pseudo terminal and by the device simulator.
#include <QTest>

#include "support/controls.h"
#include "support/link_fixture.h"

namespace {

// Every control character of Latin-1: C0 without the CR, DEL, C1.
std::vector<char> ControlCharactersButCr() {
    std::vector<char> bytes;
    for (int code = 1; code <= 0x9F; ++code) {
        if ((code < 0x20 && code != '\r') || code >= 0x7F)
            bytes.push_back(static_cast<char>(code));
    }
    return bytes;
}

}  // namespace

class ValueDigitsTest : public QObject {
    Q_OBJECT
  private slots:
    // A longer telegram leaves "4." behind the short ones that follow; a
    // control character before the value shows as a blank and reads as one,
    // and the CR ends both the digits and the number.
    void controlCharactersShowAndReadAlike() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        const qvt::TrendHistory& history = app.link().trendHistory();
        const auto send = [&](const std::string& bytes) {
            const std::size_t before = history.size();
            device.Send(bytes);
            return QTest::qWaitFor([&] { return history.size() == before + 1; });
        };
        QVERIFY(send("+1234.5\r"));
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), QString("+ 1234."));
        QCOMPARE(history[0].value, 1234.0);
        for (const char control : ControlCharactersButCr()) {
            const int code = static_cast<unsigned char>(control);
            QVERIFY2(send(std::string(1, control) + "-5\r"), qPrintable(QString::number(code)));
            QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), QString("  -5"));
            const qvt::TrendSample& sample = history[history.size() - 1];
            QVERIFY2(sample.hasNumber, qPrintable(QString::number(code)));
            QCOMPARE(sample.value, -5.0);
        }
        QVERIFY(send("\r"));  // nothing before its CR: no digit, no number
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), QString());
        QVERIFY(!history[history.size() - 1].hasNumber);
    }

    void simulatorTelegramsOfChangingLength_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<double>>("numbers");  // of the values in turn
        QTest::addColumn<QString>("lastDigits");
        // A short telegram's value is its first six bytes: "+1234.5" shows
        // as "+ 1234.".
        QTest::newRow("longer, shorter") << QStringList{"--value", "+1234.5", "--value", "-5"}
                                         << QList<double>{1234, -5} << "- 5";
        QTest::newRow("fraction, one digit")
            << QStringList{"--value", "-1.25", "--value", "7"} << QList<double>{-1.25, 7} << "7 ";
        // From the second telegram on, the LF of the one before comes first.
        QTest::newRow("CR LF") << QStringList{"--value", "+1234.5", "--value", "-5", "--crlf"}
                               << QList<double>{1234, -5} << "  -5";
        QTest::newRow("CR LF, one digit")
            << QStringList{"--value", "-1.25", "--value", "7", "--crlf"} << QList<double>{-1.25, 7}
            << "  7";
    }

    void simulatorTelegramsOfChangingLength() {
        QFETCH(QStringList, options);
        QFETCH(QList<double>, numbers);
        QFETCH(QString, lastDigits);
        constexpr std::size_t kCount = 6;
        DevSimProcess device(QStringList{"--form", "short", "--cycle", "20", "--delay", "500",
                                         "--count", QString::number(kCount)} +
                             options);
        QVERIFY(device.Start());
        LinkFixture app(device.path().toStdString());
        const qvt::TrendHistory& history = app.link().trendHistory();
        QTRY_COMPARE(history.size(), kCount);
        for (std::size_t i = 0; i < kCount; ++i) {
            QVERIFY2(history[i].hasNumber, history[i].telegram.c_str());
            QCOMPARE(history[i].value, numbers[static_cast<qsizetype>(i) % numbers.size()]);
        }
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), lastDigits);
    }
};

QTEST_MAIN(ValueDigitsTest)
#include "value_digits_test.moc"
