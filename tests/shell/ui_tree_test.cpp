// What a technician and the help see of the program: every menu, item and
// dialog control with its object name, caption, help context and state, in
// 24 states of the window (either chip, programming menu shown or not,
// the three device types, telegram list shown or hidden). Compared with
// ui_tree.golden, written from the program as released: renaming code must
// not change a caption, a name the help uses or a state.
//   QVT_WRITE_GOLDEN=1 shell_ui_tree_test   writes the file anew.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <optional>

#include "support/app_fixture.h"
#include "support/menu_items.h"

namespace {

// The Qt class a control is made of; the program's own subclasses are left
// out, so their C++ names may change.
QString QtClassOf(const QObject& object) {
    const QMetaObject* meta = object.metaObject();
    while (meta && !QString(meta->className()).startsWith('Q')) meta = meta->superClass();
    return meta ? meta->className() : "?";
}

QString Quoted(const QString& text) {
    QString escaped = text;
    escaped.replace('\\', "\\\\").replace('\n', "\\n").replace('"', "\\\"");
    return '"' + escaped + '"';
}

class TreeWriter {
  public:
    explicit TreeWriter(QString& out) : out_(out) {}

    void Object(const QObject& object, int depth) {
        const bool named = !object.objectName().isEmpty();
        if (named) {
            Line(depth, QtClassOf(object) + ' ' + object.objectName() + Details(object));
            if (qobject_cast<const QMenu*>(&object) || qobject_cast<const QMenuBar*>(&object))
                Entries(static_cast<const QWidget&>(object), depth + 1);
        }
        QObjectList children = object.children();
        for (const QObject* child : children) {
            if (!child->isWidgetType() && !qobject_cast<const QAction*>(child))
                continue;
            if (const auto* widget = qobject_cast<const QWidget*>(child);
                widget && widget->isWindow())
                continue;  // dialogs are written on their own
            Object(*child, named ? depth + 1 : depth);
        }
    }

  private:
    // A menu's entries in the order shown, separators included, each
    // submenu with its own entries.
    void Entries(const QWidget& menu, int depth) {
        for (const QAction* action : menu.actions()) {
            if (action->isSeparator())
                Line(depth, "-");
            else
                Line(depth, "> " + action->objectName() + Details(*action));
            if (action->menu())
                Object(*action->menu(), depth + 1);
        }
    }

    static QString Details(const QObject& object) {
        QStringList parts;
        if (const auto* action = qobject_cast<const QAction*>(&object)) {
            parts << Quoted(action->text());
            if (!action->isEnabled())
                parts << "disabled";
            if (!action->isVisible())
                parts << "hidden";
            if (action->isCheckable())
                parts << (action->isChecked() ? "checked" : "unchecked");
            if (!action->shortcut().isEmpty())
                parts << "key=" + action->shortcut().toString();
            if (!action->statusTip().isEmpty())
                parts << "tip=" + Quoted(action->statusTip());
        }
        if (const auto* widget = qobject_cast<const QWidget*>(&object)) {
            if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                parts << Quoted(button->text());
                if (button->isCheckable())
                    parts << (button->isChecked() ? "checked" : "unchecked");
            } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                parts << Quoted(label->text());
            } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
                parts << Quoted(group->title());
            } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
                parts << Quoted(edit->text()) << "max=" + QString::number(edit->maxLength());
                if (!edit->inputMask().isEmpty())
                    parts << "mask=" + Quoted(edit->inputMask());
                if (edit->isReadOnly())
                    parts << "readonly";
            } else if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
                QStringList items;
                for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
                parts << Quoted(items.join('|')) << "at=" + QString::number(box->currentIndex());
            } else if (widget->isWindow()) {
                parts << Quoted(widget->windowTitle());
            }
            if (!widget->isEnabled())
                parts << "disabled";
            if (widget->isHidden() && !widget->isWindow())
                parts << "hidden";
        }
        const QVariant help = object.property("helpContext");
        if (help.isValid())
            parts << "help=" + help.toString();
        return parts.isEmpty() ? QString() : ' ' + parts.join(' ');
    }

    void Line(int depth, const QString& text) { out_ += QString(depth * 2, ' ') + text + '\n'; }

    QString& out_;
};

QString WindowTree(QMainWindow& window) {
    QString out;
    TreeWriter writer(out);
    writer.Object(window, 0);
    QList<QWidget*> dialogs;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &window && qobject_cast<QDialog*>(w) && !w->objectName().isEmpty())
            dialogs << w;
    std::sort(dialogs.begin(), dialogs.end(),
              [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
    for (QWidget* dialog : dialogs) writer.Object(*dialog, 0);
    return out;
}

}  // namespace

class UiTreeTest : public QObject {
    Q_OBJECT

  private slots:
    void matchesTheReleasedProgram() {
        QString all;
        for (const bool otherChip : {false, true}) {
            for (const bool programming : {false, true}) {
                for (const char* deviceType : {"QVT4101", "QVT0xx1", "QVT055"}) {
                    for (const bool toggleTelegrams : {false, true}) {
                        std::optional<AppFixture> app;
                        app.emplace();
                        app->context.settings.programmingMenuVisible = programming;
                        QMainWindow* window = app->Start();
                        QVERIFY(window);
                        if (otherChip)
                            ActionNamed(*window, "Baustein1")->trigger();
                        ActionNamed(*window, deviceType)->trigger();
                        if (toggleTelegrams)
                            ActionNamed(*window, "Datumzeigen1")->trigger();
                        QCoreApplication::processEvents();
                        all += QString("==== chip %1, programming menu %2, %3, telegrams %4\n")
                                   .arg(app->context.state.chipType)
                                   .arg(programming ? "shown" : "hidden", deviceType,
                                        toggleTelegrams ? "toggled" : "as started");
                        all += WindowTree(*window);
                        all += "messages: " + app->messages.join(" | ") + '\n';
                    }
                }
            }
        }
        const QString golden = QStringLiteral(QVT_SOURCE_DIR "/tests/shell/ui_tree.golden");
        if (qEnvironmentVariableIsSet("QVT_WRITE_GOLDEN")) {
            QFile file(golden);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(all.toUtf8());
            return;
        }
        QFile file(golden);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(golden));
        const QString expected = QString::fromUtf8(file.readAll());
        if (all != expected) {
            const QStringList got = all.split('\n'), want = expected.split('\n');
            for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
                const QString g = got.value(i), w = want.value(i);
                if (g != w)
                    QFAIL(qPrintable(QString("line %1 differs:\n  golden: %2\n  now:    %3")
                                         .arg(i + 1)
                                         .arg(w, g)));
            }
        }
    }
};

QTEST_MAIN(UiTreeTest)
#include "ui_tree_test.moc"
