// Each dialog shows the values it is given in the right controls and reads
// them back from the same ones.
#include <QTest>

#include "dialogs/az_dlg.h"
#include "dialogs/da_dlg.h"
#include "dialogs/gw_dlg.h"
#include "dialogs/mb_dlg.h"
#include "dialogs/plpt_dlg.h"
#include "dialogs/psio_dlg.h"
#include "dialogs/pt_dlg.h"
#include "dialogs/rtc_dlg.h"
#include "dialogs/sio_dlg.h"
#include "dialogs/so_dlg.h"
#include "dialogs/spkt_dlg.h"

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
        QVERIFY(RoundTrips<TAzDlg>(qvt::DisplayValues{DecimalPoint::kHundreds, Rounding::kFives,
                                                      true, true, "12",
                                                      "\xB0"
                                                      "C"}));
        QVERIFY(RoundTrips<TAzDlg>(
            qvt::DisplayValues{DecimalPoint::kTens, Rounding::kAlwaysZero, false, false, "", "A"}));
        QVERIFY(RoundTrips<TSPktDlg>(
            qvt::SwitchingPointValues{{qvt::SwitchingPoint{"1", "2", "3", true, false},
                                       qvt::SwitchingPoint{"4", "5", "6", false, true}}}));
        QVERIFY(RoundTrips<TMbDlg>(qvt::RangeValues{"1", "2", "3", "4", true}));
        QVERIFY(RoundTrips<TPtDlg>(qvt::SensorValues{2}));
        QVERIFY(RoundTrips<TSioDlg>(qvt::SioValues{1, SioSending::kMinutes, "30"}));
        QVERIFY(RoundTrips<TSioDlg>(qvt::SioValues{6, SioSending::kSeconds, ""}));
        QVERIFY(RoundTrips<TRtcDlg>(qvt::ClockValues{"1", "2", "3", "4", "2031", 6, true}));
        QVERIFY(RoundTrips<TDaDlg>(qvt::CardValues{2}));
        QVERIFY(RoundTrips<TSoDlg>(qvt::MiscValues{"100", true, false}));
        QVERIFY(RoundTrips<TSoDlg>(qvt::MiscValues{"", false, true}));
        QVERIFY(RoundTrips<TGwDlg>(qvt::FamilyValues{false}));
        QVERIFY(RoundTrips<TPSioDlg>(qvt::PcPortValues{5, 0}));
        QVERIFY(RoundTrips<TPLptDlg>(qvt::ParallelPortValues{2}));
    }
};

QTEST_MAIN(DialogValuesWiringTest)
#include "dialog_values_wiring_test.moc"
