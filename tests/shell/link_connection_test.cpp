// The measured-value frame tells a closed port and a quiet device from a
// current value.
#include <QTest>

#include "support/controls.h"
#include "support/held_port.h"
#include "support/link_fixture.h"

namespace {

const QString kTitle = " Messwert ";

bool DigitsGrey(const LinkFixture& app) {
    return Control<QLabel>(*app.form, "AnzLabel")->styleSheet().contains("gray");
}

}  // namespace

class LinkConnectionTest : public QObject {
    Q_OBJECT
  private slots:
    void quietDeviceAndHangUpGreyTheValue() {
        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        qvt::TelegramAge::TimePoint now{};
        app.link().SetMonotonicClock([&now] { return now; });
        QVERIFY(Control<QGroupBox>(*app.form, "AnzGroupBox")
                    ->isHidden());  // open port, no telegram: nothing to say
        for (const char* telegram : {"+1.000\r", "+2.000\r", "+3.000\r"}) {
            device.Send(telegram);
            QTRY_COMPARE(Control<QLabel>(*app.form, "SerLabel")->text(),
                         QString(telegram).trimmed());
            now += std::chrono::seconds(1);
        }
        QCOMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(), kTitle);
        QVERIFY(!DigitsGrey(app));

        now += std::chrono::seconds(11);
        QTRY_COMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(),
                     QString::fromUtf8("Messwert – seit 12 s kein Telegramm"));
        QVERIFY(DigitsGrey(app));
        now += std::chrono::seconds(1);
        QTRY_COMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(),
                     QString::fromUtf8("Messwert – seit 13 s kein Telegramm"));

        device.Send("+4.000\r");
        QTRY_COMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(), kTitle);
        QVERIFY(!DigitsGrey(app));

        device.CloseDevice();
        QTRY_COMPARE(
            Control<QGroupBox>(*app.form, "AnzGroupBox")->title(),
            QString::fromUtf8("Messwert – keine Verbindung (COM2: %1)").arg(device.path().c_str()));
        QVERIFY(DigitsGrey(app));
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), QString("+ 4.000"));
        QVERIFY(app.messages.empty());
    }

    // A port another program holds is not merely without connection: the
    // user is to close that program, not to look for a cable.
    void portHeldByAnotherProgramIsShownBusy() {
        PtyPair device;
        QVERIFY(device.ok());
        PortHeldElsewhere terminal(device.path());
        QVERIFY(terminal.held());
        LinkFixture app(device.path());
        QCOMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(),
                 QString::fromUtf8("Messwert – Schnittstelle belegt (COM2: %1)")
                     .arg(device.path().c_str()));
        QVERIFY(DigitsGrey(app));
        QVERIFY(app.messages.empty());

        terminal.Released();
        app.link().ReopenSerialPort();
        QCOMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(), kTitle);
        device.Send("+6.5\r");
        QTRY_VERIFY(!DigitsGrey(app));
    }

    void portThatDoesNotOpenIsShownAtStart() {
        LinkFixture app("/dev/qvt-no-device-here");
        QVERIFY(!Control<QGroupBox>(*app.form, "AnzGroupBox")->isHidden());
        QCOMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(),
                 QString::fromUtf8("Messwert – keine Verbindung (COM2: /dev/qvt-no-device-here)"));
        QCOMPARE(Control<QLabel>(*app.form, "AnzLabel")->text(), QString(" 0000"));
        QVERIFY(DigitsGrey(app));
        QVERIFY(app.messages.empty());

        // Another device behind the name: connected, the old value stays grey
        // until a telegram of the new device.
        PtyPair device;
        app.context.settings.serialDevices[1] = device.path();
        app.link().ReopenSerialPort();
        QCOMPARE(Control<QGroupBox>(*app.form, "AnzGroupBox")->title(), kTitle);
        QVERIFY(DigitsGrey(app));
        device.Send("+5.5\r");
        QTRY_VERIFY(!DigitsGrey(app));
    }
};

QTEST_MAIN(LinkConnectionTest)
#include "link_connection_test.moc"
