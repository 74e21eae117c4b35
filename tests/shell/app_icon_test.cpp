// The window's icon is the one the package installs into the icon theme, in
// every size drawn: a desktop shows the same picture in its menu and on the
// window, and the small sizes stay crisp rather than scaled down.
#include <QTest>

#include "shell/app_icon.h"

class AppIconTest : public QObject {
    Q_OBJECT
  private slots:
    void everySizeIsTheInstalledPicture() {
        const QIcon icon = qvt::ApplicationIcon();
        for (const int size : qvt::kApplicationIconSizes) {
            const QString file = QString(QVT_SOURCE_DIR
                                         "/data/icons/hicolor/%1x%1/apps/"
                                         "de.qvt.qvt410.png")
                                     .arg(size);
            const QImage installed(file);
            QVERIFY2(!installed.isNull(), qPrintable(file));
            const QImage shown = icon.pixmap(size).toImage();
            QCOMPARE(shown.size(), QSize(size, size));
            QVERIFY2(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
                         installed.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     qPrintable(QString("%1 pixels").arg(size)));
        }
    }
};

QTEST_MAIN(AppIconTest)
#include "app_icon_test.moc"
