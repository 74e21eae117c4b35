#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qvt {

// One device variant of the programming menu and its firmware files.
struct CatalogueEntry {
    const char* itemName;       // menu item (objectName)
    const char* programFile;    // program memory
    const char* dataFile;       // data memory, or "" for none
    bool editionByFirstLetter;  // 8253 editions: "E..." single, "N..." network device
};

// Every variant, in menu order.
std::span<const CatalogueEntry> FirmwareCatalogue();
const CatalogueEntry* FindCatalogueEntry(const std::string& itemName);

struct FirmwareFiles {
    std::string program;
    std::string data;
};

// The files to program for an entry. With chip 8253 the program file's first
// letter names the edition: "E" for a single device, "N" for a network device.
FirmwareFiles FilesFor(const CatalogueEntry& entry, std::uint16_t chipType,
                       std::uint8_t networkDevice);

}  // namespace qvt
