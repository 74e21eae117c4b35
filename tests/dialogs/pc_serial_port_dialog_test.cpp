// "Serielle Schnittstelle PC": the device behind each port name, and
// "Zuordnen..." putting another one behind it in QVT410.INI.
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/application_state.h"
#include "core/dialog_values.h"
#include "core/platform_settings.h"
#include "dialogs/pc_serial_port_dialog.h"
#include "platform/serial_devices.h"
#include "support/controls.h"
#include "support/held_port.h"
#include "support/pty_pair.h"

namespace {

const QByteArray kIni =
    "; kept as it is\n[serial]\nCOM1=/dev/ttyS0   ; first\n\n[parallel]\n"
    "access=none\n";

}  // namespace

class PsioDlgTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir dir_;
    qvt::ApplicationState state_;
    qvt::PlatformSettings settings_;

    QByteArray Ini() const {
        QFile f(dir_.filePath("QVT410.INI"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Clicks "Zuordnen..." and answers the chooser with the typed text.
    void Assign(qvt::dialogs::PcSerialPortDialog& dialog, const QString& typed,
                QStringList* offered = nullptr) {
        QTimer::singleShot(0, &dialog, [&dialog, typed, offered] {
            if (offered)
                *offered = Control<QInputDialog>(dialog, "PortChooser")->comboBoxItems();
            Control<QInputDialog>(dialog, "PortChooser")->setTextValue(typed);
            Control<QInputDialog>(dialog, "PortChooser")->accept();
        });
        QTest::mouseClick(Control<QPushButton>(dialog, "MapBtn"), Qt::LeftButton);
    }

  private slots:
    void init() {
        QFile f(dir_.filePath("QVT410.INI"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kIni);
        state_.configFilePath = dir_.filePath("QVT410.CFG").toStdString();
        settings_ = {};
    }

    void assignedDeviceIsKeptInTheFile() {
        PtyPair pty;
        QVERIFY(QDir(dir_.path()).mkpath("root/dev"));
        QFile::link(QString::fromStdString(pty.path()), dir_.filePath("root/dev/ttyUSB0"));
        qvt::dialogs::PcSerialPortDialog dialog;
        dialog.SetDeviceMapping(settings_, qvt::SerialDeviceProblem,
                                qvt::PlatformSettingsPathBeside(state_.configFilePath));
        dialog.SetDeviceRoot(dir_.filePath("root").toStdString());
        state_.portIndex = 2;
        dialog.ShowValues(qvt::PcPortValuesOf(state_));

        QStringList offered;
        Assign(dialog, QString::fromStdString(pty.path()), &offered);
        QCOMPARE(offered, QStringList{dir_.filePath("root/dev/ttyUSB0")});
        QCOMPARE(settings_.serialDevices[2], pty.path());
        QCOMPARE(Ini(), kIni.left(kIni.indexOf("\n\n") + 1) + "COM3=" + pty.path().c_str() +
                            kIni.mid(kIni.indexOf("\n\n")));
        QCOMPARE(Control<QLabel>(dialog, "MapNote")->text(), QString());
        QCOMPARE(Control<QLabel>(dialog, "DeviceLabel")->text(),
                 QString("COM3: %1 (vorhanden)").arg(pty.path().c_str()));
        // The line follows the port button.
        settings_.serialDevices[4] = "/dev/qvt-none";
        Control<QRadioButton>(dialog, "PcRBtn5")->click();
        QCOMPARE(Control<QLabel>(dialog, "DeviceLabel")->text(),
                 QString("COM5: /dev/qvt-none (nicht vorhanden)"));
        Control<QRadioButton>(dialog, "PcRBtn3")->click();

        // A device that does not open is said so, and not kept.
        QFile plain(dir_.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        const QString notes[][2] = {
            {"qvt-no-such-tty", "/dev/qvt-no-such-tty lässt sich nicht öffnen: nicht vorhanden"},
            {plain.fileName(), plain.fileName() + " lässt sich nicht öffnen: keine serielle "
                                                  "Schnittstelle"}};
        for (const auto& [typed, note] : notes) {
            Assign(dialog, typed);
            QCOMPARE(Control<QLabel>(dialog, "MapNote")->text(), note);
            QCOMPARE(settings_.serialDevices[2], pty.path());
            QVERIFY(!Ini().contains(typed.toUtf8()));
        }
        QVERIFY(Control<QLabel>(dialog, "MapNote")->styleSheet().contains("red"));
    }

    void deviceHeldByAnotherProgramIsShownBusy() {
        PtyPair pty;
        QVERIFY(pty.ok());
        settings_.serialDevices[1] = pty.path();
        qvt::dialogs::PcSerialPortDialog dialog;
        dialog.SetDeviceMapping(settings_, qvt::SerialDeviceProblem,
                                qvt::PlatformSettingsPathBeside(state_.configFilePath));
        dialog.SetBusyCheck(
            [](const std::string& device) { return qvt::SerialDeviceBusy(device); });
        state_.portIndex = 1;
        const QString line = QString("COM2: %1 (%2)").arg(pty.path().c_str());
        dialog.ShowValues(qvt::PcPortValuesOf(state_));
        QCOMPARE(Control<QLabel>(dialog, "DeviceLabel")->text(), line.arg("vorhanden"));
        {
            PortHeldElsewhere terminal(pty.path());
            QVERIFY(terminal.held());
            dialog.ShowValues(qvt::PcPortValuesOf(state_));
            QCOMPARE(Control<QLabel>(dialog, "DeviceLabel")->text(), line.arg("belegt"));
        }
        dialog.ShowValues(qvt::PcPortValuesOf(state_));
        QCOMPARE(Control<QLabel>(dialog, "DeviceLabel")->text(), line.arg("vorhanden"));
    }
};

QTEST_MAIN(PsioDlgTest)
#include "pc_serial_port_dialog_test.moc"
