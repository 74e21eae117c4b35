#include "dialogs/switching_points_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "dialogs/field_guard.h"
#include "dialogs/widgets.h"
#include "platform/help_topics.h"

namespace qvt::dialogs {

// Threshold and hysteresis: a sign position and four digits. The delay field
// holds four characters, so its edit takes no more. The controls are named
// Sp<n>Edit1..3, Sp<n>CBox1..2 and their labels Label<firstLabel>.. on.
SwitchingPointsDialog::PointControls SwitchingPointsDialog::BuildPoint(QWidget* box, int n,
                                                                       int firstLabel) {
    const auto name = [n](const char* suffix) {
        return QStringLiteral("Sp%1%2").arg(n).arg(QLatin1String(suffix)).toLatin1();
    };
    const auto label = [firstLabel](int offset) {
        return QStringLiteral("Label%1").arg(firstLabel + offset).toLatin1();
    };
    PointControls c{};
    c.setpoint = MakeEdit(box, name("Edit1").constData(), 5, " 0000");
    c.hysteresis = MakeEdit(box, name("Edit2").constData(), 5, " 0000");
    c.delay = MakeEdit(box, name("Edit3").constData(), 4, "0000");
    c.relayNC = MakeCheck(box, name("CBox1").constData(), QString::fromUtf8("Relais = Öffner"));
    c.active = MakeCheck(box, name("CBox2").constData(), "Aktiv");

    auto* grid = new QGridLayout(box);
    grid->addWidget(MakeLabel(box, label(0).constData(), "Schaltpunkt", c.setpoint), 0, 0);
    grid->addWidget(c.setpoint, 0, 1);
    grid->addWidget(MakeLabel(box, label(1).constData(), "Hysterese", c.hysteresis), 1, 0);
    grid->addWidget(c.hysteresis, 1, 1);
    grid->addWidget(MakeLabel(box, label(2).constData(), QString::fromUtf8("Verzögerung"), c.delay),
                    2, 0);
    grid->addWidget(c.delay, 2, 1);
    grid->addWidget(c.relayNC, 3, 0, 1, 2);
    grid->addWidget(c.active, 4, 0, 1, 2);
    return c;
}

SwitchingPointsDialog::SwitchingPointsDialog(QWidget* parent) : OkCancelDialog(parent) {
    setObjectName("SPktDlg");
    setWindowTitle("Schaltpunkte");
    AddHelpButton(help::topic::kSwitchingPoints);
    QFrame* area = ControlArea();

    QGroupBox* firstBox = MakeGroup(area, "GroupBox1", "Schaltpunkt 1");
    points_[0] = BuildPoint(firstBox, 1, 1);
    QGroupBox* secondBox = MakeGroup(area, "GroupBox2", "Schaltpunkt 2");
    points_[1] = BuildPoint(secondBox, 2, 4);

    auto* row = new QHBoxLayout(area);
    row->addWidget(firstBox);
    row->addWidget(secondBox);
}

void SwitchingPointsDialog::ShowValues(const SwitchingPointValues& values) {
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const SwitchingPoint& point = values.points[i];
        const PointControls& c = points_[i];
        c.setpoint->SetField(point.setpoint);
        c.hysteresis->SetField(point.hysteresis);
        c.delay->SetField(point.delay);
        c.relayNC->setChecked(point.relayNC);
        c.active->setChecked(point.active);
    }
}

SwitchingPointValues SwitchingPointsDialog::Values() const {
    const auto point = [](const PointControls& c) {
        return SwitchingPoint{c.setpoint->Field(), c.hysteresis->Field(), c.delay->Field(),
                              c.relayNC->isChecked(), c.active->isChecked()};
    };
    return {{point(points_[0]), point(points_[1])}};
}

void SwitchingPointsDialog::CheckAndCommit() {
    using F = NumericField;
    if (!EditsFitTheirFields(this, DeviceType(),
                             {{F::kSp1Setpoint, points_[0].setpoint},
                              {F::kSp1Hysteresis, points_[0].hysteresis},
                              {F::kSp1Delay, points_[0].delay},
                              {F::kSp2Setpoint, points_[1].setpoint},
                              {F::kSp2Hysteresis, points_[1].hysteresis},
                              {F::kSp2Delay, points_[1].delay}}))
        return;
    OkCancelDialog::CheckAndCommit();
}

}  // namespace qvt::dialogs
