#include "firmware_table.h"

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <algorithm>
#include <array>

#include "prog/firmware_catalogue.h"
#include "shell/main_window.h"

namespace {

struct Column {
    QString heading;
    QStringList cells;  // one per catalogue entry, empty when not offered
};

QString WithoutMnemonic(QString caption) {
    return caption.remove('&');
}

// The submenus below "Programmieren" that lead to an item, outermost first.
QList<const QMenu*> SubmenusAbove(const QAction& item) {
    QList<const QMenu*> menus;
    for (auto* menu = qobject_cast<const QMenu*>(item.parent());
         menu && menu->objectName() != "Programmieren1";
         menu = qobject_cast<const QMenu*>(menu->parent())) {
        menus.prepend(menu);
    }
    return menus;
}

// "QVT410 > QVT410-050 PT".
QString MenuPath(const QAction& item) {
    QStringList parts;
    for (const QMenu* menu : SubmenusAbove(item)) parts << WithoutMnemonic(menu->title());
    parts << WithoutMnemonic(item.text());
    return parts.join(" > ");
}

// Visible and enabled, and so are the submenus that lead to it.
bool Offered(const QAction& item) {
    const auto usable = [](const QAction& a) { return a.isVisible() && a.isEnabled(); };
    const QList<const QMenu*> menus = SubmenusAbove(item);
    return usable(item) && std::all_of(menus.begin(), menus.end(), [&](const QMenu* menu) {
               return usable(*menu->menuAction());
           });
}

Column ColumnForState(TForm1& form, const QString& heading) {
    const qvt::ApplicationState& state = form.context().state;
    Column column{heading, {}};
    for (const qvt::CatalogueEntry& entry : qvt::FirmwareCatalogue()) {
        const QAction* item = form.action(entry.itemName);
        if (!item || !Offered(*item)) {
            column.cells << QString();
            continue;
        }
        const qvt::FirmwareFiles files = qvt::FilesFor(entry, state.ChipType, state.NetworkDevice);
        QString cell = "`" + QString::fromStdString(files.program) + "`";
        if (!files.data.empty())
            cell += " + `" + QString::fromStdString(files.data) + "`";
        column.cells << cell;
    }
    return column;
}

}  // namespace

QString FirmwareTable(TForm1& form) {
    // The window starts with chip 8253 and a single device.
    std::array<Column, 3> columns;
    columns[1] = ColumnForState(form, "Baustein 8253, Einzelgerät");
    form.action("SIOTYP1")->trigger();
    columns[2] = ColumnForState(form, "Baustein 8253, Netzwerkgerät");
    form.action("SIOTYP1")->trigger();
    form.action("Baustein1")->trigger();
    columns[0] = ColumnForState(form, "Baustein 8252");

    QString table = "| Menü „Programmieren“ |";
    QString rule = "|---|";
    for (const Column& column : columns) {
        table += " " + column.heading + " |";
        rule += "---|";
    }
    table += "\n" + rule + "\n";
    QStringList neverOffered;
    const auto catalogue = qvt::FirmwareCatalogue();
    for (std::size_t row = 0; row < catalogue.size(); ++row) {
        const QAction* item = form.action(catalogue[row].itemName);
        const QString name = item ? MenuPath(*item) : QString(catalogue[row].itemName);
        QString line = "| " + name + " |";
        bool offered = false;
        for (const Column& column : columns) {
            const QString& cell = column.cells[static_cast<qsizetype>(row)];
            offered = offered || !cell.isEmpty();
            line += " " + (cell.isEmpty() ? QString("—") : cell) + " |";
        }
        if (offered)
            table += line + "\n";
        else
            neverOffered << name;
    }
    if (!neverOffered.isEmpty())
        table += "\nNicht im Menü angeboten: " + neverOffered.join(", ") + ".\n";
    return table;
}
