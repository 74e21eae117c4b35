// Where the program is composed, [parallel] access chooses between the
// emulated cable and the operating system's ports.
#include <QTemporaryDir>
#include <QTest>

#include "compose/parallel_backend.h"
#include "emulation/emulated_isp_chip.h"
#include "platform/monotonic_counter.h"

namespace {

class GrantedPort : public qvt::ParallelPort {
  public:
    void Write(std::uint16_t, std::uint8_t) override {}
    std::uint8_t Read(std::uint16_t) override { return 0; }
};

}  // namespace

class ParallelBackendTest : public QObject {
    Q_OBJECT
  private slots:
    void accessChoosesTheBackend_data() {
        QTest::addColumn<QString>("access");
        QTest::addColumn<int>("chipType");
        QTest::addColumn<QString>("description");
        QTest::newRow("emulated 8253") << "emulated" << 8253 << "emulated 8253";
        QTest::newRow("emulated 8252") << "emulated" << 8252 << "emulated 8252";
        QTest::newRow("direct") << "direct" << 8253 << "direct 0x378";
        QTest::newRow("none") << "none" << 8253 << "none";
    }
    void accessChoosesTheBackend() {
        QFETCH(QString, access);
        QFETCH(int, chipType);
        QFETCH(QString, description);
        QTemporaryDir dir;
        qvt::PlatformSettings settings;
        settings.parallelAccess = *qvt::ParseParallelAccess(access.toStdString());
        settings.emulatedChip = *qvt::ChipFromNumber(chipType);
        settings.emulatedCodeFile = dir.filePath("code.bin").toStdString();
        const qvt::ParallelPortOpeners openers{
            [](std::uint16_t, const std::string&) { return nullptr; },
            [](std::uint16_t) { return std::make_unique<GrantedPort>(); }};
        qvt::MonotonicCounter counter;

        const qvt::ParallelBackend backend =
            qvt::OpenParallelBackend(settings, 0x378, counter, openers);
        QCOMPARE(QString::fromStdString(backend.description), description);
        QCOMPARE(backend.port == nullptr, backend.access == qvt::ParallelAccess::kNone);
        const bool emulated = access == "emulated";
        QCOMPARE(backend.access == qvt::ParallelAccess::kEmulated, emulated);
        QCOMPARE(backend.chip != nullptr, emulated);
        if (emulated) {
            QCOMPARE(static_cast<qvt::ParallelPort*>(backend.chip), backend.port.get());
            QCOMPARE(int{qvt::ChipNumber(backend.chip->chip())}, chipType);
        }
    }
};

QTEST_MAIN(ParallelBackendTest)
#include "parallel_backend_test.moc"
