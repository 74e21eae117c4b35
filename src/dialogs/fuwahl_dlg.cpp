#include "dialogs/fuwahl_dlg.h"

#include "core/application_state.h"
#include "core/parameter_record.h"

#include <QFrame>
#include <QRadioButton>
#include <QVBoxLayout>

TFuWahlDlg::TFuWahlDlg(qvt::ParameterRecord& record, qvt::ApplicationState& state, QWidget* parent)
    : TOKBottomDlg(parent), record_(record), state_(state) {
    setObjectName("FuWahlDlg");
    setWindowTitle("Funktionswahl");
    AddHelpButton(31);
    FuWahlBtn1 = new QRadioButton("Sondermessung", Bevel1);
    FuWahlBtn1->setObjectName("FuWahlBtn1");
    FuWahlBtn1->setChecked(true);
    FuWahlBtn2 = new QRadioButton("Temperaturbereich Pt100x", Bevel1);
    FuWahlBtn2->setObjectName("FuWahlBtn2");
    auto* layout = new QVBoxLayout(Bevel1);
    layout->addWidget(FuWahlBtn1);
    layout->addWidget(FuWahlBtn2);
}
