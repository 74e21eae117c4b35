#include "dialogs/spkt_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"

namespace {

// The controls of one switching point inside its group frame.
struct PointControls {
    qvt::FieldEdit* setpoint;
    qvt::FieldEdit* hysteresis;
    qvt::FieldEdit* delay;
    QCheckBox* relayNC;
    QCheckBox* active;
};

// Threshold and hysteresis: a sign position and four digits. The delay field
// holds four characters, so its edit takes no more.
PointControls BuildPoint(QGroupBox* box, int n, int firstLabel) {
    const auto name = [n](const char* suffix) {
        return QStringLiteral("Sp%1%2").arg(n).arg(QLatin1String(suffix)).toLatin1();
    };
    const auto label = [firstLabel](int offset) {
        return QStringLiteral("Label%1").arg(firstLabel + offset).toLatin1();
    };
    PointControls c{};
    c.setpoint = qvt::MakeEdit(box, name("Edit1").constData(), 5, " 0000");
    c.hysteresis = qvt::MakeEdit(box, name("Edit2").constData(), 5, " 0000");
    c.delay = qvt::MakeEdit(box, name("Edit3").constData(), 4, "0000");
    c.relayNC =
        qvt::MakeCheck(box, name("CBox1").constData(), QString::fromUtf8("Relais = Öffner"));
    c.active = qvt::MakeCheck(box, name("CBox2").constData(), "Aktiv");

    auto* grid = new QGridLayout(box);
    grid->addWidget(qvt::MakeLabel(box, label(0).constData(), "Schaltpunkt", c.setpoint), 0, 0);
    grid->addWidget(c.setpoint, 0, 1);
    grid->addWidget(qvt::MakeLabel(box, label(1).constData(), "Hysterese", c.hysteresis), 1, 0);
    grid->addWidget(c.hysteresis, 1, 1);
    grid->addWidget(
        qvt::MakeLabel(box, label(2).constData(), QString::fromUtf8("Verzögerung"), c.delay), 2, 0);
    grid->addWidget(c.delay, 2, 1);
    grid->addWidget(c.relayNC, 3, 0, 1, 2);
    grid->addWidget(c.active, 4, 0, 1, 2);
    return c;
}

}  // namespace

TSPktDlg::TSPktDlg(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName("SPktDlg");
    setWindowTitle("Schaltpunkte");
    AddHelpButton(33);

    GroupBox1 = qvt::MakeGroup(Bevel1, "GroupBox1", "Schaltpunkt 1");
    const PointControls p1 = BuildPoint(GroupBox1, 1, 1);
    Sp1Edit1 = p1.setpoint;
    Sp1Edit2 = p1.hysteresis;
    Sp1Edit3 = p1.delay;
    Sp1CBox1 = p1.relayNC;
    Sp1CBox2 = p1.active;

    GroupBox2 = qvt::MakeGroup(Bevel1, "GroupBox2", "Schaltpunkt 2");
    const PointControls p2 = BuildPoint(GroupBox2, 2, 4);
    Sp2Edit1 = p2.setpoint;
    Sp2Edit2 = p2.hysteresis;
    Sp2Edit3 = p2.delay;
    Sp2CBox1 = p2.relayNC;
    Sp2CBox2 = p2.active;

    auto* row = new QHBoxLayout(Bevel1);
    row->addWidget(GroupBox1);
    row->addWidget(GroupBox2);
}

void TSPktDlg::ShowValues(const qvt::SwitchingPointValues& values) {
    const auto show = [](const qvt::SwitchingPoint& point, qvt::FieldEdit* setpoint,
                         qvt::FieldEdit* hysteresis, qvt::FieldEdit* delay, QCheckBox* relayNC,
                         QCheckBox* active) {
        setpoint->SetField(point.setpoint);
        hysteresis->SetField(point.hysteresis);
        delay->SetField(point.delay);
        relayNC->setChecked(point.relayNC);
        active->setChecked(point.active);
    };
    show(values.points[0], Sp1Edit1, Sp1Edit2, Sp1Edit3, Sp1CBox1, Sp1CBox2);
    show(values.points[1], Sp2Edit1, Sp2Edit2, Sp2Edit3, Sp2CBox1, Sp2CBox2);
}

qvt::SwitchingPointValues TSPktDlg::Values() const {
    return {{qvt::SwitchingPoint{Sp1Edit1->Field(), Sp1Edit2->Field(), Sp1Edit3->Field(),
                                 Sp1CBox1->isChecked(), Sp1CBox2->isChecked()},
             qvt::SwitchingPoint{Sp2Edit1->Field(), Sp2Edit2->Field(), Sp2Edit3->Field(),
                                 Sp2CBox1->isChecked(), Sp2CBox2->isChecked()}}};
}

void TSPktDlg::OKBtnClick() {
    using F = qvt::NumericField;
    if (!qvt::EditsFitTheirFields(this, DeviceType(),
                                  {{F::kSp1Setpoint, Sp1Edit1},
                                   {F::kSp1Hysteresis, Sp1Edit2},
                                   {F::kSp1Delay, Sp1Edit3},
                                   {F::kSp2Setpoint, Sp2Edit1},
                                   {F::kSp2Hysteresis, Sp2Edit2},
                                   {F::kSp2Delay, Sp2Edit3}}))
        return;
    TOKBottomDlg::OKBtnClick();
}
