#pragma once

#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QObject;

namespace qvt {

struct CatalogueEntry;
struct CatalogueSubmenu;
struct OutsideProgrammerEntry;

// The main menu's menus and items that the program acts on, named for their
// captions; main_menu.cpp gives each its object name, which help and the
// tests know it by. Filled when the menu is built.
struct MainMenu {
    QMenu* infoMenu = nullptr;
    QAction* programInfoItem = nullptr;
    QAction* exitItem = nullptr;

    QMenu* fileMenu = nullptr;
    QAction* newItem = nullptr;
    QAction* loadItem = nullptr;
    QAction* saveItem = nullptr;
    QAction* saveAsItem = nullptr;
    QAction* sendItem = nullptr;
    QAction* fileExitItem = nullptr;

    QMenu* parameterMenu = nullptr;
    QAction* functionChoiceItem = nullptr;
    QAction* displayItem = nullptr;
    QAction* switchingPointsItem = nullptr;
    QAction* deviceSerialItem = nullptr;  // the device's own serial port
    QAction* clockItem = nullptr;         // the real-time clock
    QAction* expansionCardItem = nullptr;
    QAction* specialFunctionsItem = nullptr;  // "So&nstiges"

    QMenu* settingsMenu = nullptr;
    QMenu* deviceTypeMenu = nullptr;
    QAction* qvt410Item = nullptr;  // the main family, QVT010 to QVT060
    QAction* qvt0xxItem = nullptr;  // the counter family, QVT070 to QVT085
    QAction* qvt055Item = nullptr;  // the clock device
    QAction* printItem = nullptr;
    QAction* clearPrintPageItem = nullptr;
    QAction* logToFileItem = nullptr;  // "In Datei speichern"
    QAction* showTelegramsItem = nullptr;
    QAction* pcSerialItem = nullptr;  // this PC's serial port

    QMenu* viewMenu = nullptr;
    QAction* valueTrendItem = nullptr;

    QMenu* programmingMenu = nullptr;
    QAction* programFileItem = nullptr;  // "&Programm...": a freely chosen program file
    QAction* dataFileItem = nullptr;     // "&Daten...": a freely chosen data file
    QAction* eraseChipItem = nullptr;
    QAction* chip8253Item = nullptr;      // checked for an 8253, clear for an 8252
    QAction* editionItem = nullptr;       // "&Einzelgerät" or "N&etzwerkgerät"
    QAction* parallelPortItem = nullptr;  // "Sch&nittstelle...": the programming cable's port

    QMenu* helpMenu = nullptr;
    QAction* helpContentsItem = nullptr;
    QAction* helpIndexItem = nullptr;

    // The catalogue's items, each with the row of the table it was made from.
    template <class Row>
    struct Item {
        const Row* row;
        QAction* action;
    };
    std::vector<Item<CatalogueEntry>> firmware;
    std::vector<Item<CatalogueSubmenu>> submenus;  // their menu actions
    std::vector<Item<OutsideProgrammerEntry>> outsideProgrammer;
};

// Builds the window's menu bar from the menu tables and the firmware
// catalogue. Every menu reports its key presses to helpKeys (F1 on an item).
// The programming menu is placed in the bar only when programmingShown.
MainMenu BuildMainMenu(QMainWindow& window, QObject& helpKeys, bool programmingShown);

}  // namespace qvt
