#include "firmware_table.h"

#include <QStringList>
#include <array>

#include "core/parameter_record.h"
#include "prog/firmware_catalogue.h"

namespace {

// A state of the programming menu: the chip and edition chosen, and whether
// the chip type command has decided the enabling since the start.
struct MenuState {
    QString heading;
    qvt::Chip chip;
    std::uint8_t networkDevice;
    bool chipChosen;
};

// The window starts with chip 8253 and a single device for a QVT410; the
// 8252 column is what the chip type command leaves.
const std::array<MenuState, 3> kColumns{{
    {"Baustein 8252", qvt::Chip::k8252, 0, true},
    {"Baustein 8253, Einzelgerät", qvt::Chip::k8253, 0, false},
    {"Baustein 8253, Netzwerkgerät", qvt::Chip::k8253, 1, false},
}};

QString WithoutMnemonic(const char* caption) {
    return QString::fromUtf8(caption).remove('&');
}

bool Offered(qvt::OfferRule rules, const MenuState& state) {
    const bool enabled = state.chipChosen
                             ? qvt::EnabledAfterChipChoice(rules, qvt::kDeviceQvt410, state.chip)
                             : qvt::EnabledAtStart(rules);
    return enabled && qvt::ShownFor(rules, state.networkDevice);
}

// Offered as an item, and so is the submenu that leads to it.
bool Offered(const qvt::CatalogueEntry& entry, const MenuState& state) {
    const qvt::CatalogueSubmenu* submenu = qvt::FindCatalogueSubmenu(entry.group);
    return Offered(entry.offer, state) && (!submenu || Offered(submenu->offer, state));
}

// "QVT410 > QVT410-050 PT".
QString MenuPath(const qvt::CatalogueEntry& entry) {
    const qvt::CatalogueSubmenu* submenu = qvt::FindCatalogueSubmenu(entry.group);
    const QString item = WithoutMnemonic(entry.caption);
    return submenu ? WithoutMnemonic(submenu->caption) + " > " + item : item;
}

QString Cell(const qvt::CatalogueEntry& entry, const MenuState& state) {
    if (!Offered(entry, state))
        return {};
    const qvt::FirmwareFiles files = qvt::FilesFor(entry, state.chip, state.networkDevice);
    QString cell = "`" + QString::fromStdString(files.program) + "`";
    if (!files.data.empty())
        cell += " + `" + QString::fromStdString(files.data) + "`";
    return cell;
}

}  // namespace

QString FirmwareTable() {
    QString table = "| Menü „Programmieren“ |";
    QString rule = "|---|";
    for (const MenuState& column : kColumns) {
        table += " " + column.heading + " |";
        rule += "---|";
    }
    table += "\n" + rule + "\n";
    QStringList neverOffered;
    for (const qvt::CatalogueEntry& entry : qvt::FirmwareCatalogue()) {
        const QString name = MenuPath(entry);
        QString line = "| " + name + " |";
        bool offered = false;
        for (const MenuState& column : kColumns) {
            const QString cell = Cell(entry, column);
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
