// Every help context the program can ask for leads to a German topic of its own.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "dialogs/ok_cancel_dialog.h"
#include "platform/qt/help_window.h"
#include "support/app_fixture.h"

using qvt::help::Command;
using qvt::help::HelpWindow;

class HelpTest : public QObject {
    Q_OBJECT
  private slots:
    void everyContextInUseHasItsOwnTopic() {
        AppFixture app;
        QVERIFY(app.Start());
        const qvt::MainWindow& form = *app.form;
        QSet<int> contexts;
        for (QAction* a : form.findChildren<QAction*>()) {
            if (a->property("helpContext").isValid())
                contexts << a->property("helpContext").toInt();
        }
        for (qvt::dialogs::OkCancelDialog* d : form.findChildren<qvt::dialogs::OkCancelDialog*>())
            contexts << d->HelpContext();
        QVERIFY(contexts.size() > 20);
        const QString contentsPage = HelpWindow::PageFor({Command::kContents, 0});
        for (int context : contexts) {
            const QString page = HelpWindow::PageFor({Command::kContext, context});
            QVERIFY2(page != contentsPage, qPrintable(QString("no topic for %1").arg(context)));
        }
        // An unknown number still leads somewhere useful.
        QCOMPARE(HelpWindow::PageFor({Command::kContext, 9999}), contentsPage);
    }

    // Installed pages are read from their folder: a topic there, or the contents.
    void pagesOfTheInstalledHelp() {
        QTemporaryDir installed;
        for (const char* name : {"contents.html", "topic-25.html"}) {
            QFile page(installed.filePath(name));
            QVERIFY(page.open(QIODevice::WriteOnly));
        }
        const QString folder = installed.path();
        QCOMPARE(HelpWindow::PageFor({Command::kContext, 25}, folder),
                 QUrl::fromLocalFile(folder + "/topic-25.html").toString());
        QCOMPARE(HelpWindow::PageFor({Command::kContext, 26}, folder),
                 QUrl::fromLocalFile(folder + "/contents.html").toString());
        // The build tree has no installed help: the pages built in answer.
        QCOMPARE(HelpWindow::Folder(), QString(":/help"));
        QCOMPARE(HelpWindow::PageFor({Command::kContext, 25}), QString("qrc:/help/topic-25.html"));
    }

    void windowShowsContentsIndexAndTopics() {
        HelpWindow& window = HelpWindow::Instance();
        auto* browser = window.findChild<QTextBrowser*>("HelpBrowser");
        QVERIFY(browser);
        const struct {
            qvt::help::Request request;
            const char* title;
        } cases[] = {{{Command::kContents, 0}, "QVT410 - Inhalt"},
                     {{Command::kIndex, 0}, "QVT410 - Index"},
                     {{Command::kContext, 25}, "Senden"},
                     {{Command::kContext, 0}, "Gerätewahl"},
                     {{Command::kContext, 43}, "Druckseite löschen"}};
        for (const auto& c : cases) {
            window.Show(c.request);
            QCOMPARE(browser->documentTitle(), QString::fromUtf8(c.title));
        }
        QVERIFY(window.isVisible());
        window.close();
    }

    void keysInTheHelpWindow() {
        HelpWindow& window = HelpWindow::Instance();
        auto* browser = window.findChild<QTextBrowser*>("HelpBrowser");
        window.Show({Command::kContext, 25});
        QTest::keyClick(browser, Qt::Key_F1);
        QCOMPARE(browser->documentTitle(), QString("QVT410 - Inhalt"));
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // The program's handler: once installed, a request opens the window at its page.
    void requestsReachTheInstalledHelpWindow() {
        qvt::help::InstallHelpWindow();
        qvt::help::ShowContents();
        HelpWindow& window = HelpWindow::Instance();
        QVERIFY(window.isVisible());
        QCOMPARE(window.findChild<QTextBrowser*>("HelpBrowser")->documentTitle(),
                 QString("QVT410 - Inhalt"));
        window.close();
        qvt::help::SetHandler({});
    }

    void indexEntriesSayWhereTheyLead() {
        QFile index(":/help/index.html");
        QVERIFY(index.open(QIODevice::ReadOnly));
        QStringList entries;
        for (const auto& match :
             QRegularExpression("<li><a [^>]*>([^<]*)</a>").globalMatch(index.readAll())) {
            entries << match.captured(1);
        }
        QVERIFY(entries.size() > 50);
        QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
        QCOMPARE(entries.filter(QRegularExpression("^Baudrate \\(.+\\)$")).size(), 2);
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
