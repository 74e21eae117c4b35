// "Programmierschnittstelle": the cable beside the parallel port, chosen by
// hand or from what "Suchen" finds.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include "core/cable_choice.h"
#include "dialogs/message_box.h"
#include "dialogs/programming_port_dialog.h"
#include "support/controls.h"

namespace {

using qvt::CableChoice;
using qvt::CableType;

// Two adapters and a GPIO chip as a machine reports them, one of them held.
std::vector<qvt::FoundCable> ThreeFound() {
    return {{CableType::kFtdi, "A601XYZ", "FT232R USB UART, Bus 001 Gerät 004", ""},
            {CableType::kFtdi, "FT9ZZ", "FT232H, Bus 003 Gerät 002", "belegt"},
            {CableType::kGpio, "gpiochip4", "pinctrl-rp1, 54 Leitungen", ""}};
}

}  // namespace

class PlptDlgTest : public QObject {
    Q_OBJECT
  private:
    // OK, and what it committed: the cable, or nothing when OK was refused.
    static std::optional<CableChoice> Ok(qvt::dialogs::ProgrammingPortDialog& dialog) {
        QSignalSpy committed(&dialog, &qvt::dialogs::OkCancelDialog::Committed);
        QTest::mouseClick(Control<QPushButton>(dialog, "OKBtn"), Qt::LeftButton);
        if (committed.count() != 1)
            return std::nullopt;
        return dialog.Cable();
    }

  private slots:
    void typedSerialNumberComesBackAsAnFtdiCable() {
        qvt::dialogs::ProgrammingPortDialog dialog;
        // The rehearsal switch has no control and must survive the dialog.
        dialog.ShowCable({CableType::kParallel, "", "", true});
        dialog.ShowValues({1});
        dialog.show();
        QVERIFY(!Control<QLineEdit>(dialog, "DeviceEdit")->isEnabled());
        Control<QComboBox>(dialog, "CableBox")->setCurrentIndex(1);  // "FTDI-Adapter"
        QCOMPARE(Control<QComboBox>(dialog, "CableBox")->currentText(), QString("FTDI-Adapter"));
        QTest::keyClicks(Control<QLineEdit>(dialog, "DeviceEdit"), "A601XYZ");
        QCOMPARE(Ok(dialog), (CableChoice{CableType::kFtdi, "A601XYZ", "ft232r", true}));
        QCOMPARE(dialog.Values().port, 1);  // the port choice stays its own
    }

    void searchListsWhatIsFoundAndAPickFillsTheCable() {
        qvt::dialogs::ProgrammingPortDialog dialog;
        int searches = 0;
        dialog.SetCableFinder([&searches] {
            ++searches;
            return ThreeFound();
        });
        dialog.ShowCable({CableType::kFtdi, "OLD1", "ft232h", false});
        dialog.show();
        QCOMPARE(searches, 0);  // the bus is searched only when asked
        QTest::mouseClick(Control<QPushButton>(dialog, "SearchBtn"), Qt::LeftButton);
        QListWidget* list = Control<QListWidget>(dialog, "FoundList");
        QCOMPARE(list->count(), 3);
        QVERIFY(list->item(0)->text().contains("A601XYZ"));
        QVERIFY(list->item(1)->text().contains("belegt"));
        // A picked GPIO chip sets the type and the device; the map the user
        // typed is left for him to change.
        list->setCurrentRow(2);
        QCOMPARE(Control<QComboBox>(dialog, "CableBox")->currentText(), QString("GPIO"));
        QCOMPARE(Control<QLineEdit>(dialog, "DeviceEdit")->text(), QString("gpiochip4"));
        Control<QLineEdit>(dialog, "PinsEdit")->clear();
        QCOMPARE(Ok(dialog), (CableChoice{CableType::kGpio, "gpiochip4", "raspberrypi", false}));

        // A second search finds nothing: the list says so and offers no pick.
        dialog.SetCableFinder([] { return std::vector<qvt::FoundCable>{}; });
        dialog.show();
        QTest::mouseClick(Control<QPushButton>(dialog, "SearchBtn"), Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        QVERIFY(!(list->item(0)->flags() & Qt::ItemIsSelectable));
    }

    // A map the adapter has no pins for never reaches QVT410.INI.
    void okRefusesACableThatCannotWork() {
        QStringList messages;
        qvt::SetMessageInterceptor([&messages](const QString& text, const QString& caption) {
            messages << caption + ": " + text;
        });
        const auto restore = qScopeGuard([] { qvt::SetMessageInterceptor({}); });
        qvt::dialogs::ProgrammingPortDialog dialog;
        dialog.ShowCable({CableType::kFtdi, "usb:001:004", "raspberrypi", false});
        dialog.show();
        QCOMPARE(Ok(dialog), std::nullopt);
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith("Fehler: "));
        QVERIFY(messages[0].contains("Pin 10 für MOSI"));
    }
};

QTEST_MAIN(PlptDlgTest)
#include "programming_port_dialog_test.moc"
