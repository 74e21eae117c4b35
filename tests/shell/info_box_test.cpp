// "Programminfo" names the version the build was made as.
#include <QLabel>
#include <QTest>

#include "shell/info_box.h"

class InfoBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheVersion() {
        TInfoBox box;
        auto* version = box.findChild<QLabel*>("Version");
        QVERIFY(version);
        QCOMPARE(version->text(), QString("Version 4.20"));
    }
};

QTEST_MAIN(InfoBoxTest)
#include "info_box_test.moc"
