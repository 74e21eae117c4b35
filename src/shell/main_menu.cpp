// The main menu as designed, built from tables: every item carries its form
// name as objectName, its caption and its help context number (property
// "helpContext"). The variants of the programming menu come from the
// firmware catalogue.
#include "shell/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <span>

#include "prog/firmware_catalogue.h"

namespace {

constexpr const char* kHelpContext = "helpContext";

enum ItemFlag : unsigned { kCheckable = 1, kChecked = 2, kDisabled = 4, kHidden = 8 };

enum class RowKind { Item, Separator, Submenu, Catalogue };

struct Row {
    RowKind kind;
    const char* name = "";
    const char* caption = "";  // UTF-8, with its mnemonic
    int help = 0;
    unsigned flags = 0;
    QAction* MainMenu::*item = nullptr;
    QMenu* MainMenu::*menu = nullptr;
    std::span<const Row> rows = {};
    const char* statusTip = "";
};

constexpr Row Item(const char* name, const char* caption, int help, QAction* MainMenu::*item,
                   unsigned flags = 0, const char* statusTip = "") {
    return {RowKind::Item, name, caption, help, flags, item, nullptr, {}, statusTip};
}
constexpr Row Separator(const char* name) {
    return {RowKind::Separator, name};
}
constexpr Row Submenu(const char* name, const char* caption, int help, QMenu* MainMenu::*menu,
                      std::span<const Row> rows) {
    return {RowKind::Submenu, name, caption, help, 0, nullptr, menu, rows};
}
// The catalogue's variants: the top-level entries and the device lines' submenus.
constexpr Row CatalogueSection() {
    return {RowKind::Catalogue};
}

using M = MainMenu;

constexpr Row kInfo[] = {
    Item("Info2", "&Info", 0, &M::Info2),
    Separator("N1"),
    Item("Beenden1", "&Beenden", 0, &M::Beenden1),
};

constexpr Row kDatei[] = {
    Item("Neu1", "&Neu", 21, &M::Neu1),
    Item("Laden1", "&Laden...", 22, &M::Laden1),
    Item("Speichern1", "&Speichern", 23, &M::Speichern1, kDisabled),
    Item("Speichernunter1", "S&peichern unter...", 24, &M::Speichernunter1, kDisabled),
    Item("Senden1", "Sen&den", 25, &M::Senden1),
    Separator("N2"),
    Item("Beenden2", "&Beenden", 26, &M::Beenden2),
};

constexpr Row kParameter[] = {
    Item("Funktionswahl1", "&Funktionswahl...", 31, &M::Funktionswahl1),
    Item("Anzeige1", "&Anzeige", 32, &M::Anzeige1),
    Item("Schaltpunkte1", "&Schaltpunkte", 33, &M::Schaltpunkte1),
    Item("SIO1", "Serielle Schnittstelle SI&O", 34, &M::SIO1),
    Item("RTC1", "Echtzeituhr &RTC", 35, &M::RTC1),
    Item("AnalogausgangDAC1", "&Erweiterungskarte", 36, &M::AnalogausgangDAC1),
    Item("Sonstiges1", "So&nstiges", 37, &M::Sonstiges1),
};

constexpr Row kDeviceType[] = {
    Item("QVT4101", "&QVT010/020/030/050/060", 0, &M::QVT4101, kCheckable | kChecked, "U/I,Temp"),
    Item("QVT0xx1", "Q&VT070/075/080/085", 0, &M::QVT0xx1, kCheckable,
         "Frequenz, Drehzahl, Ereignis, Durchfluß"),
    Item("QVT055", "QV&T055 (PT100Uhr)", 0, &M::QVT055, kCheckable),
};

constexpr Row kEinstellungen[] = {
    Submenu("Gertetyp1", "&Gerätetyp...", 41, &M::Gertetyp1, kDeviceType),
    Separator("N10"),
    Item("Drucken1", "&Drucken", 42, &M::Drucken1, kCheckable),
    Item("Druckseitercksetzen1", "D&ruckseite löschen", 43, &M::Druckseitercksetzen1),
    Item("InDateispeichern1", "In Datei speichern", 46, &M::InDateispeichern1, kCheckable),
    Separator("N8"),
    Item("Datumzeigen1", "Telegramm zeigen", 44, &M::Datumzeigen1, kCheckable | kChecked),
    Separator("N3"),
    Item("PCSIO1", "&PC-SIO...", 45, &M::PCSIO1),
};

// Not of the original design: the trend of the measured value.
constexpr Row kAnsicht[] = {
    Item("Messwertverlauf1", "&Messwertverlauf...", 61, &M::Messwertverlauf1),
};

constexpr Row kProgrammieren[] = {
    CatalogueSection(),
    Separator("N6"),
    Item("Datei2", "&Programm...", 0, &M::Datei2),
    Item("Daten1", "&Daten...", 0, &M::Daten1),
    Separator("N9"),
    Item("Bausteinlschen1", "&Baustein löschen", 0, &M::Bausteinlschen1),
    Item("Baustein1", "Baustein 825&3", 0, &M::Baustein1, kCheckable | kChecked),
    Item("SIOTYP1", "&Einzelgerät", 0, &M::SIOTYP1, kHidden),
    Separator("N5"),
    Item("Schnittstelle1", "Sch&nittstelle...", 0, &M::Schnittstelle1),
};

constexpr Row kHilfe[] = {
    Item("Hilfe2", "&Inhalt", 0, &M::Hilfe2, 0, "Hilfe anzeigen"),
    Item("Index1", "I&ndex", 0, &M::Index1),
};

struct TopMenu {
    const char* name;
    const char* caption;
    int help;
    QMenu* MainMenu::*menu;
    std::span<const Row> rows;
    // "Programmieren" is hidden as designed. While hidden it is not even
    // placed in the menu bar; when shown it takes R, so that Alt+P always
    // means "&Parameter" and never, alternating, a menu that erases the chip.
    bool onlyWhenProgrammingShown = false;
};

constexpr TopMenu kMenuBar[] = {
    {"Info1", "&Info", 1, &M::Info1, kInfo},
    {"Datei1", "&Datei", 2, &M::Datei1, kDatei},
    {"Parameter1", "&Parameter", 3, &M::Parameter1, kParameter},
    {"Einstellungen1", "&Einstellungen", 4, &M::Einstellungen1, kEinstellungen},
    {"Ansicht1", "&Ansicht", 61, &M::Ansicht1, kAnsicht},
    // One help topic for the whole menu.
    {"Programmieren1", "P&rogrammieren", 50, &M::Programmieren1, kProgrammieren, true},
    {"Hilfe1", "&Hilfe", 0, &M::Hilfe1, kHilfe},
};

class MenuBuilder {
  public:
    MenuBuilder(MainMenu& menu, QObject& helpKeys) : menu_(menu), helpKeys_(helpKeys) {}

    QMenu* NameMenu(QMenu* made, const char* name, int help) {
        made->setObjectName(name);
        made->menuAction()->setObjectName(name);
        made->menuAction()->setProperty(kHelpContext, help);
        made->installEventFilter(&helpKeys_);
        return made;
    }

    void AddRows(QMenu& parent, std::span<const Row> rows) {
        for (const Row& row : rows) {
            switch (row.kind) {
                case RowKind::Item:
                    AddItemRow(parent, row);
                    break;
                case RowKind::Separator:
                    AddSeparator(parent, row.name);
                    break;
                case RowKind::Submenu:
                    menu_.*row.menu = AddSubmenu(parent, row.name, row.caption, row.help);
                    AddRows(*(menu_.*row.menu), row.rows);
                    break;
                case RowKind::Catalogue:
                    AddCatalogue(parent);
                    break;
            }
        }
    }

  private:
    // Separators are named like items; a catalogue row without one has "".
    static void AddSeparator(QMenu& parent, const char* name) {
        if (*name)
            parent.addSeparator()->setObjectName(name);
    }

    QAction* AddItem(QMenu& parent, const char* name, const char* caption, int help = 0) {
        QAction* item = parent.addAction(QString::fromUtf8(caption));
        item->setObjectName(name);
        item->setProperty(kHelpContext, help);
        return item;
    }

    QMenu* AddSubmenu(QMenu& parent, const char* name, const char* caption, int help = 0) {
        return NameMenu(parent.addMenu(QString::fromUtf8(caption)), name, help);
    }

    void AddItemRow(QMenu& parent, const Row& row) {
        QAction* item = AddItem(parent, row.name, row.caption, row.help);
        item->setCheckable(row.flags & kCheckable);
        item->setChecked(row.flags & kChecked);
        item->setEnabled(!(row.flags & kDisabled));
        item->setVisible(!(row.flags & kHidden));
        if (*row.statusTip)
            item->setStatusTip(QString::fromUtf8(row.statusTip));
        menu_.*row.item = item;
    }

    // The entries of one group, in catalogue order, as the menu starts.
    void AddGroup(QMenu& parent, qvt::CatalogueGroup group) {
        for (const qvt::CatalogueEntry& entry : qvt::FirmwareCatalogue()) {
            if (entry.group != group)
                continue;
            AddSeparator(parent, entry.separatorBefore);
            QAction* item = AddItem(parent, entry.itemName, entry.caption);
            item->setVisible(qvt::ShownFor(entry.offer, 0));
            item->setEnabled(qvt::EnabledAtStart(entry.offer));
            menu_.firmware.push_back({&entry, item});
        }
        for (const qvt::OutsideProgrammerEntry& entry : qvt::OutsideProgrammerCatalogue()) {
            if (entry.group == group)
                menu_.outsideProgrammer.push_back(
                    {&entry, AddItem(parent, entry.itemName, entry.caption)});
        }
    }

    void AddCatalogue(QMenu& parent) {
        AddGroup(parent, qvt::CatalogueGroup::TopLevel);
        for (const qvt::CatalogueSubmenu& submenu : qvt::CatalogueSubmenus()) {
            AddSeparator(parent, submenu.separatorBefore);
            QMenu* made = AddSubmenu(parent, submenu.name, submenu.caption);
            made->menuAction()->setEnabled(qvt::EnabledAtStart(submenu.offer));
            menu_.submenus.push_back({&submenu, made->menuAction()});
            AddGroup(*made, submenu.group);
        }
    }

    MainMenu& menu_;
    QObject& helpKeys_;
};

}  // namespace

MainMenu BuildMainMenu(QMainWindow& window, QObject& helpKeys, bool programmingShown) {
    MainMenu menu;
    MenuBuilder builder(menu, helpKeys);
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("MainMenu1");
    for (const TopMenu& top : kMenuBar) {
        const QString caption = QString::fromUtf8(top.caption);
        QMenu* made = nullptr;
        if (top.onlyWhenProgrammingShown) {
            made = new QMenu(caption, &window);
            made->menuAction()->setVisible(programmingShown);
            if (programmingShown)
                bar->addMenu(made);
        } else {
            made = bar->addMenu(caption);
        }
        menu.*top.menu = builder.NameMenu(made, top.name, top.help);
        builder.AddRows(*made, top.rows);
    }
    return menu;
}
