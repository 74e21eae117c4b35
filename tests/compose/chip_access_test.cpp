// The way to the chip as the window and the command-line tool build it: the
// port trace stays where the run started, the port opens once, and closing
// releases it for good.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "compose/chip_access.h"
#include "emulation/emulated_isp_chip.h"

class ChipAccessTest : public QObject {
    Q_OBJECT
  private slots:
    void traceStaysInTheStartFolderAndThePortOpensOnce() {
        QTemporaryDir start;
        QTemporaryDir elsewhere;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(start.path()));
        qvt::PlatformSettings settings;
        settings.parallelAccess = qvt::ParallelAccess::kEmulated;
        settings.emulatedChip = qvt::Chip::k8252;
        settings.portTraceFile = "port.trace";
        settings.emulatedCodeFile = start.filePath("code.bin").toStdString();
        settings.emulatedDataFile = start.filePath("data.bin").toStdString();
        settings.emulatedLockFile = start.filePath("lock").toStdString();
        {
            qvt::ChipAccess access(settings, "test");
            // A firmware file chosen in another folder moves the working folder.
            QVERIFY(QDir::setCurrent(elsewhere.path()));
            QVERIFY(access.Open(0x378));
            qvt::EmulatedIspChip* chip = access.emulatedChip();
            QVERIFY(chip != nullptr);
            QCOMPARE(chip->chip(), qvt::Chip::k8252);
            QVERIFY(!access.Open(0x378));
            QCOMPARE(access.emulatedChip(), chip);
            access.WriteIdlePattern(0x378);

            access.Close();
            QCOMPARE(access.emulatedChip(), nullptr);
            QCOMPARE(access.access(), qvt::ParallelAccess::kNone);
            QVERIFY(!access.Open(0x378));
            QCOMPARE(access.emulatedChip(), nullptr);
        }
        QDir::setCurrent(previous);

        QVERIFY(!QFile::exists(elsewhere.filePath("port.trace")));
        QFile trace(start.filePath("port.trace"));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        QCOMPARE(trace.readAll(), QByteArray("W 0378 08\n"));
    }
};

QTEST_MAIN(ChipAccessTest)
#include "chip_access_test.moc"
