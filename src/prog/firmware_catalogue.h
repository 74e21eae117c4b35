#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/chip.h"

namespace qvt {

// Where an item of the programming menu sits: directly in the menu, or in
// the submenu of a device line.
enum class CatalogueGroup : std::uint8_t {
    kTopLevel,
    kQvt410,
    kQvt420,
    kQvt430,
    kQvt440,
    kQvt450,
    kQvt460,
    kQvt410Bv,
    kQvt470,
};

// When the menu does not offer an item; the rules combine.
enum class OfferRule : std::uint8_t {
    kAlways = 0,
    // Never shown: the device line has no firmware for it yet.
    kNoFirmwareYet = 1 << 0,
    // There is no network edition: hidden while the network device is chosen.
    kSingleDeviceOnly = 1 << 1,
    // Disabled from the start of the program.
    kDisabledAtStart = 1 << 2,
    // There is no firmware for an 8253 in a QVT410: disabled whenever the
    // chip type command chooses the 8253 for device type 0, enabled when it
    // chooses anything else.
    kNotFor8253In410 = 1 << 3,
};

constexpr OfferRule operator|(OfferRule a, OfferRule b) {
    return static_cast<OfferRule>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr bool Has(OfferRule rules, OfferRule rule) {
    return (static_cast<std::uint8_t>(rules) & static_cast<std::uint8_t>(rule)) != 0;
}

// How an 8253's program file is named for its edition.
enum class Edition : std::uint8_t {
    // The first letter becomes "E" for a single device, "N" for a network device.
    kByFirstLetter,
    // One edition for every chip: the names are used as listed.
    kFixed,
};

// One device variant of the programming menu and its firmware files.
struct CatalogueEntry {
    const char* itemName;  // menu item (objectName)
    const char* caption;   // with its mnemonic, UTF-8
    CatalogueGroup group;
    const char* programFile;    // program memory
    const char* dataFile = "";  // data memory, or "" for none
    OfferRule offer = OfferRule::kAlways;
    Edition edition = Edition::kByFirstLetter;
    const char* separatorBefore = "";  // objectName of a separator above the item
};

// A device line's submenu, in menu order after the top-level entries.
struct CatalogueSubmenu {
    CatalogueGroup group;
    const char* name;     // objectName
    const char* caption;  // with its mnemonic
    OfferRule offer = OfferRule::kAlways;
    const char* separatorBefore = "";
};

// A variant programmed by the outside programmer XPG.EXE.
struct OutsideProgrammerEntry {
    const char* itemName;
    const char* caption;
    CatalogueGroup group;
    const char* variant;  // its first argument
};

// Every firmware variant, in menu order.
std::span<const CatalogueEntry> FirmwareCatalogue();
std::span<const CatalogueSubmenu> CatalogueSubmenus();
std::span<const OutsideProgrammerEntry> OutsideProgrammerCatalogue();

// A variant by its menu item name, or by its caption with or without the
// mnemonic's "&"; nullptr when there is none.
const CatalogueEntry* FindCatalogueEntry(const std::string& nameOrCaption);
const CatalogueSubmenu* FindCatalogueSubmenu(CatalogueGroup group);

struct FirmwareFiles {
    std::string program;
    std::string data;
};

// The files to program for an entry. With chip 8253 the program file's first
// letter names the edition: "E" for a single device, "N" for a network device.
FirmwareFiles FilesFor(const CatalogueEntry& entry, Chip chip, std::uint8_t networkDevice);

// The menu state an item's rules give. Enabling changes only at start and
// with the chip type command; showing only with the edition command.
bool ShownFor(OfferRule rules, std::uint8_t networkDevice);
bool EnabledAtStart(OfferRule rules);
bool EnabledAfterChipChoice(OfferRule rules, std::uint8_t deviceType, Chip chip);

}  // namespace qvt
