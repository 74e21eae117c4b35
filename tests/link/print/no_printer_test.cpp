// Without any printer the page is not lost: "Kein Drucker verfügbar", and the
// list stays as it is.
#include <QAction>
#include <QTest>

#include "platform/qt/default_printer.h"
#include "support/link_fixture.h"

class NoPrinterTest : public QObject {
    Q_OBJECT
  private slots:
    void pageIsKeptWhenNoPrinterAnswers() {
        QVERIFY(qEnvironmentVariable("CUPS_SERVER").startsWith("/nonexistent"));
        auto printer = qvt::MakeDefaultPrinter();
        QVERIFY(!printer->Print({{800, 50, 12, "+1.000"}}));

        PtyPair device;
        QVERIFY(device.ok());
        LinkFixture app(device.path());
        ActionNamed(*app.form, "Drucken1")->trigger();
        std::string telegrams;
        for (int i = 0; i < 41; ++i) telegrams += "+1.000\r";
        device.Send(telegrams);
        QTRY_COMPARE(app.link().monitorStats().telegrams, 41);
        QCOMPARE(app.messages, QStringList{QString::fromUtf8("Fehler: Kein Drucker verfügbar")});
        QCOMPARE(app.ListLines().size(), 41);
        QCOMPARE(app.context.state.printPageNumber, 1);
    }
};

QTEST_MAIN(NoPrinterTest)
#include "no_printer_test.moc"
