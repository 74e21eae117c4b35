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
}  // namespace qvt

// The main menu's menus and items that the program acts on, named as the
// form names them (their object names, which help and tests use as well).
// Filled when the menu is built.
struct MainMenu {
    QMenu* Info1 = nullptr;
    QAction* Info2 = nullptr;
    QAction* Beenden1 = nullptr;

    QMenu* Datei1 = nullptr;
    QAction* Neu1 = nullptr;
    QAction* Laden1 = nullptr;
    QAction* Speichern1 = nullptr;
    QAction* Speichernunter1 = nullptr;
    QAction* Senden1 = nullptr;
    QAction* Beenden2 = nullptr;

    QMenu* Parameter1 = nullptr;
    QAction* Funktionswahl1 = nullptr;
    QAction* Anzeige1 = nullptr;
    QAction* Schaltpunkte1 = nullptr;
    QAction* SIO1 = nullptr;
    QAction* RTC1 = nullptr;
    QAction* AnalogausgangDAC1 = nullptr;
    QAction* Sonstiges1 = nullptr;

    QMenu* Einstellungen1 = nullptr;
    QMenu* Gertetyp1 = nullptr;
    QAction* QVT4101 = nullptr;
    QAction* QVT0xx1 = nullptr;
    QAction* QVT055 = nullptr;
    QAction* Drucken1 = nullptr;
    QAction* Druckseitercksetzen1 = nullptr;
    QAction* InDateispeichern1 = nullptr;
    QAction* Datumzeigen1 = nullptr;
    QAction* PCSIO1 = nullptr;

    QMenu* Ansicht1 = nullptr;
    QAction* Messwertverlauf1 = nullptr;

    QMenu* Programmieren1 = nullptr;
    QAction* Datei2 = nullptr;
    QAction* Daten1 = nullptr;
    QAction* Bausteinlschen1 = nullptr;
    QAction* Baustein1 = nullptr;
    QAction* SIOTYP1 = nullptr;
    QAction* Schnittstelle1 = nullptr;

    QMenu* Hilfe1 = nullptr;
    QAction* Hilfe2 = nullptr;
    QAction* Index1 = nullptr;

    // The catalogue's items, each with the row of the table it was made from.
    template <class Row>
    struct Item {
        const Row* row;
        QAction* action;
    };
    std::vector<Item<qvt::CatalogueEntry>> firmware;
    std::vector<Item<qvt::CatalogueSubmenu>> submenus;  // their menu actions
    std::vector<Item<qvt::OutsideProgrammerEntry>> outsideProgrammer;
};

// Builds the window's menu bar from the menu tables and the firmware
// catalogue. Every menu reports its key presses to helpKeys (F1 on an item).
// The programming menu is placed in the bar only when programmingShown.
MainMenu BuildMainMenu(QMainWindow& window, QObject& helpKeys, bool programmingShown);
