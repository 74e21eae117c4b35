// The main menu, built from tables: every item carries its object name (which
// help, the tests and the service staff know it by), its caption and its help
// context number (property "helpContext"). The variants of the programming
// menu come from the firmware catalogue.
#include "shell/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <span>

#include "platform/help_topics.h"
#include "prog/firmware_catalogue.h"

namespace qvt {
namespace {

namespace topic = help::topic;

// Items without a topic of their own: F1 on them shows their menu's topic.
constexpr int kNoTopic = topic::kDeviceFamilyChoice;

constexpr const char* kHelpContext = "helpContext";

enum ItemFlag : unsigned { kCheckable = 1, kChecked = 2, kDisabled = 4, kHidden = 8 };

enum class RowKind { kItem, kSeparator, kSubmenu, kCatalogue };

struct Row {
    RowKind kind;
    const char* name = "";
    const char* caption = "";  // UTF-8, with its mnemonic
    int help = kNoTopic;
    unsigned flags = 0;
    QAction* MainMenu::*item = nullptr;
    QMenu* MainMenu::*menu = nullptr;
    std::span<const Row> rows = {};
    const char* statusTip = "";
};

constexpr Row Item(const char* name, const char* caption, int help, QAction* MainMenu::*item,
                   unsigned flags = 0, const char* statusTip = "") {
    return {RowKind::kItem, name, caption, help, flags, item, nullptr, {}, statusTip};
}
constexpr Row Separator(const char* name) {
    return {RowKind::kSeparator, name};
}
constexpr Row Submenu(const char* name, const char* caption, int help, QMenu* MainMenu::*menu,
                      std::span<const Row> rows) {
    return {RowKind::kSubmenu, name, caption, help, 0, nullptr, menu, rows};
}
// The catalogue's variants: the top-level entries and the device lines' submenus.
constexpr Row CatalogueSection() {
    return {RowKind::kCatalogue};
}

using M = MainMenu;

constexpr Row kInfoItems[] = {
    Item("Info2", "&Info", kNoTopic, &M::programInfoItem),
    Separator("N1"),
    Item("Beenden1", "&Beenden", kNoTopic, &M::exitItem),
};

constexpr Row kFileItems[] = {
    Item("Neu1", "&Neu", topic::kNewParameterSet, &M::newItem),
    Item("Laden1", "&Laden...", topic::kLoadParameterFile, &M::loadItem),
    Item("Speichern1", "&Speichern", topic::kSaveParameterFile, &M::saveItem, kDisabled),
    Item("Speichernunter1", "S&peichern unter...", topic::kSaveParameterFileAs, &M::saveAsItem,
         kDisabled),
    Item("Senden1", "Sen&den", topic::kSendParameters, &M::sendItem),
    Separator("N2"),
    Item("Beenden2", "&Beenden", topic::kExit, &M::fileExitItem),
};

constexpr Row kParameterItems[] = {
    Item("Funktionswahl1", "&Funktionswahl...", topic::kFunctionChoice, &M::functionChoiceItem),
    Item("Anzeige1", "&Anzeige", topic::kDisplay, &M::displayItem),
    Item("Schaltpunkte1", "&Schaltpunkte", topic::kSwitchingPoints, &M::switchingPointsItem),
    Item("SIO1", "Serielle Schnittstelle SI&O", topic::kDeviceSerialPort, &M::deviceSerialItem),
    Item("RTC1", "Echtzeituhr &RTC", topic::kRealTimeClock, &M::clockItem),
    Item("AnalogausgangDAC1", "&Erweiterungskarte", topic::kExpansionCard, &M::expansionCardItem),
    Item("Sonstiges1", "So&nstiges", topic::kSpecialFunctions, &M::specialFunctionsItem),
};

constexpr Row kDeviceTypeItems[] = {
    Item("QVT4101", "&QVT010/020/030/050/060", kNoTopic, &M::qvt410Item, kCheckable | kChecked,
         "U/I,Temp"),
    Item("QVT0xx1", "Q&VT070/075/080/085", kNoTopic, &M::qvt0xxItem, kCheckable,
         "Frequenz, Drehzahl, Ereignis, Durchfluß"),
    Item("QVT055", "QV&T055 (PT100Uhr)", kNoTopic, &M::qvt055Item, kCheckable),
};

constexpr Row kSettingsItems[] = {
    Submenu("Gertetyp1", "&Gerätetyp...", topic::kDeviceType, &M::deviceTypeMenu, kDeviceTypeItems),
    Separator("N10"),
    Item("Drucken1", "&Drucken", topic::kPrinting, &M::printItem, kCheckable),
    Item("Druckseitercksetzen1", "D&ruckseite löschen", topic::kClearPrintPage,
         &M::clearPrintPageItem),
    Item("InDateispeichern1", "In Datei speichern", topic::kLogToFile, &M::logToFileItem,
         kCheckable),
    Separator("N8"),
    Item("Datumzeigen1", "Telegramm zeigen", topic::kShowTelegrams, &M::showTelegramsItem,
         kCheckable | kChecked),
    Separator("N3"),
    Item("PCSIO1", "&PC-SIO...", topic::kPcSerialPort, &M::pcSerialItem),
};

// The trend of the measured value.
constexpr Row kViewItems[] = {
    Item("Messwertverlauf1", "&Messwertverlauf...", topic::kValueTrend, &M::valueTrendItem),
};

constexpr Row kProgrammingItems[] = {
    CatalogueSection(),
    Separator("N6"),
    Item("Datei2", "&Programm...", kNoTopic, &M::programFileItem),
    Item("Daten1", "&Daten...", kNoTopic, &M::dataFileItem),
    Separator("N9"),
    Item("Bausteinlschen1", "&Baustein löschen", kNoTopic, &M::eraseChipItem),
    Item("Baustein1", "Baustein 825&3", kNoTopic, &M::chip8253Item, kCheckable | kChecked),
    Item("SIOTYP1", "&Einzelgerät", kNoTopic, &M::editionItem, kHidden),
    Separator("N5"),
    Item("Schnittstelle1", "Sch&nittstelle...", kNoTopic, &M::parallelPortItem),
};

constexpr Row kHelpItems[] = {
    Item("Hilfe2", "&Inhalt", kNoTopic, &M::helpContentsItem, 0, "Hilfe anzeigen"),
    Item("Index1", "I&ndex", kNoTopic, &M::helpIndexItem),
};

struct TopMenu {
    const char* name;
    const char* caption;
    int help;
    QMenu* MainMenu::*menu;
    std::span<const Row> rows;
    // "Programmieren" is for the service staff and hidden unless the settings
    // show it. While hidden it is not even placed in the menu bar; when shown it takes R, so that
    // Alt+P always means "&Parameter" and never, alternating, a menu that erases the chip.
    bool onlyWhenProgrammingShown = false;
};

constexpr TopMenu kMenuBar[] = {
    {"Info1", "&Info", topic::kInfoMenu, &M::infoMenu, kInfoItems},
    {"Datei1", "&Datei", topic::kFileMenu, &M::fileMenu, kFileItems},
    {"Parameter1", "&Parameter", topic::kParameterMenu, &M::parameterMenu, kParameterItems},
    {"Einstellungen1", "&Einstellungen", topic::kSettingsMenu, &M::settingsMenu, kSettingsItems},
    {"Ansicht1", "&Ansicht", topic::kValueTrend, &M::viewMenu, kViewItems},
    // One help topic for the whole menu.
    {"Programmieren1", "P&rogrammieren", topic::kProgramming, &M::programmingMenu,
     kProgrammingItems, true},
    {"Hilfe1", "&Hilfe", kNoTopic, &M::helpMenu, kHelpItems},
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
                case RowKind::kItem:
                    AddItemRow(parent, row);
                    break;
                case RowKind::kSeparator:
                    AddSeparator(parent, row.name);
                    break;
                case RowKind::kSubmenu:
                    menu_.*row.menu = AddSubmenu(parent, row.name, row.caption, row.help);
                    AddRows(*(menu_.*row.menu), row.rows);
                    break;
                case RowKind::kCatalogue:
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

    QAction* AddItem(QMenu& parent, const char* name, const char* caption, int help = kNoTopic) {
        QAction* item = parent.addAction(QString::fromUtf8(caption));
        item->setObjectName(name);
        item->setProperty(kHelpContext, help);
        return item;
    }

    QMenu* AddSubmenu(QMenu& parent, const char* name, const char* caption, int help = kNoTopic) {
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
    void AddGroup(QMenu& parent, CatalogueGroup group) {
        for (const CatalogueEntry& entry : FirmwareCatalogue()) {
            if (entry.group != group)
                continue;
            AddSeparator(parent, entry.separatorBefore);
            QAction* item = AddItem(parent, entry.itemName, entry.caption);
            item->setVisible(ShownFor(entry.offer, 0));
            item->setEnabled(EnabledAtStart(entry.offer));
            menu_.firmware.push_back({&entry, item});
        }
        for (const OutsideProgrammerEntry& entry : OutsideProgrammerCatalogue()) {
            if (entry.group == group)
                menu_.outsideProgrammer.push_back(
                    {&entry, AddItem(parent, entry.itemName, entry.caption)});
        }
    }

    void AddCatalogue(QMenu& parent) {
        AddGroup(parent, CatalogueGroup::kTopLevel);
        for (const CatalogueSubmenu& submenu : CatalogueSubmenus()) {
            AddSeparator(parent, submenu.separatorBefore);
            QMenu* made = AddSubmenu(parent, submenu.name, submenu.caption);
            made->menuAction()->setEnabled(EnabledAtStart(submenu.offer));
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

}  // namespace qvt
