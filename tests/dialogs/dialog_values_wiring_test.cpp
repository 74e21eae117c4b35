// Each dialog shows the values it is given in the right controls and reads
// them back from the same ones.
#include <QTest>

#include "dialogs/device_family_dialog.h"
#include "dialogs/device_serial_port_dialog.h"
#include "dialogs/display_dialog.h"
#include "dialogs/expansion_card_dialog.h"
#include "dialogs/measuring_range_dialog.h"
#include "dialogs/pc_serial_port_dialog.h"
#include "dialogs/programming_port_dialog.h"
#include "dialogs/pt100_dialog.h"
#include "dialogs/real_time_clock_dialog.h"
#include "dialogs/special_functions_dialog.h"
#include "dialogs/switching_points_dialog.h"

namespace {

// Every value apart from its neighbours and from the controls' initial state.
template <class Dialog, class Values>
bool RoundTrips(const Values& values) {
    Dialog dialog;
    dialog.ShowValues(values);
    return dialog.Values() == values;
}

}  // namespace

class DialogValuesWiringTest : public QObject {
    Q_OBJECT
  private slots:
    void everyDialogReadsBackWhatItShows() {
        using qvt::DecimalPoint, qvt::Rounding, qvt::SioSending;
        QVERIFY(RoundTrips<qvt::dialogs::DisplayDialog>(
            qvt::DisplayValues{DecimalPoint::kHundreds, Rounding::kFives, true, true, "12",
                               "\xB0"
                               "C"}));
        QVERIFY(RoundTrips<qvt::dialogs::DisplayDialog>(
            qvt::DisplayValues{DecimalPoint::kTens, Rounding::kAlwaysZero, false, false, "", "A"}));
        QVERIFY(RoundTrips<qvt::dialogs::SwitchingPointsDialog>(
            qvt::SwitchingPointValues{{qvt::SwitchingPoint{"1", "2", "3", true, false},
                                       qvt::SwitchingPoint{"4", "5", "6", false, true}}}));
        QVERIFY(RoundTrips<qvt::dialogs::MeasuringRangeDialog>(
            qvt::RangeValues{"1", "2", "3", "4", true}));
        QVERIFY(RoundTrips<qvt::dialogs::Pt100Dialog>(qvt::SensorValues{2}));
        QVERIFY(RoundTrips<qvt::dialogs::DeviceSerialPortDialog>(
            qvt::SioValues{1, SioSending::kMinutes, "30"}));
        QVERIFY(RoundTrips<qvt::dialogs::DeviceSerialPortDialog>(
            qvt::SioValues{6, SioSending::kSeconds, ""}));
        QVERIFY(RoundTrips<qvt::dialogs::RealTimeClockDialog>(
            qvt::ClockValues{"1", "2", "3", "4", "2031", 6, true}));
        QVERIFY(RoundTrips<qvt::dialogs::ExpansionCardDialog>(qvt::CardValues{2}));
        QVERIFY(
            RoundTrips<qvt::dialogs::SpecialFunctionsDialog>(qvt::MiscValues{"100", true, false}));
        QVERIFY(RoundTrips<qvt::dialogs::SpecialFunctionsDialog>(qvt::MiscValues{"", false, true}));
        QVERIFY(RoundTrips<qvt::dialogs::DeviceFamilyDialog>(qvt::FamilyValues{false}));
        QVERIFY(RoundTrips<qvt::dialogs::PcSerialPortDialog>(qvt::PcPortValues{5, 0}));
        QVERIFY(RoundTrips<qvt::dialogs::ProgrammingPortDialog>(qvt::ParallelPortValues{2}));
    }
};

QTEST_MAIN(DialogValuesWiringTest)
#include "dialog_values_wiring_test.moc"
