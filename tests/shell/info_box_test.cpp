// "Programminfo" names the version the build was made as.
#include <QImage>
#include <QLabel>
#include <QTest>

#include "shell/info_box.h"

class InfoBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheVersion() {
        qvt::InfoBox box;
        auto* version = box.findChild<QLabel*>("Version");
        QVERIFY(version);
        QCOMPARE(version->text(), QString("Version 4.20"));
    }
    // The white of the box comes from a style sheet that names the class; a
    // selector that misses it leaves the style's grey.
    void standsOnWhite() {
        qvt::InfoBox box;
        const QImage shot = box.grab().toImage();
        QCOMPARE(shot.pixelColor(1, 1), QColor(Qt::white));
    }
};

QTEST_MAIN(InfoBoxTest)
#include "info_box_test.moc"
