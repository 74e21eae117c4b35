#include "prog/firmware_catalogue.h"

#include <array>

namespace qvt {
namespace {

constexpr const char* kPtTable = "QVTPTTAB.HEX";
constexpr const char* kThTable = "QVTTHTAB.HEX";

// The 430..460 lines share the firmware of the 410 for their 070..090
// variants; the 420 line has its own.
constexpr std::array kCatalogue = {
    CatalogueEntry{"QVT410UI71351", "QVTUI_M.HEX", "", true},
    // QVT410
    CatalogueEntry{"QVT410UI2", "QVTUI_I.HEX", "", true},
    CatalogueEntry{"QVT410PT2", "QVTPT_I.HEX", kPtTable, true},
    CatalogueEntry{"QVT410TH2", "QVTTH_I.HEX", kThTable, true},
    CatalogueEntry{"QVT4100352", "Q410_035.HEX", "", true},
    CatalogueEntry{"QVT410070Drehzahl1", "QVT070.HEX", "", true},
    CatalogueEntry{"QVT410075Frequenz1", "QVT075.HEX", "", true},
    CatalogueEntry{"QVT410080Durchflu1", "QVT080.HEX", "", true},
    CatalogueEntry{"QVT410085Zhler1", "QVT085.HEX", "", true},
    CatalogueEntry{"QVT410025Leistung1", "QVT410025.HEX", "", true},
    CatalogueEntry{"QVT410055PT100Uhr1", "QVT055.HEX", "QVPT.HEX", false},  // one edition only
    CatalogueEntry{"QVT410090Feuchte1", "QVT410090.HEX", "", true},
    // QVT420
    CatalogueEntry{"QVT420UI1", "Q420UI.HEX", "", true},
    CatalogueEntry{"QVT420PT1", "Q420PT.HEX", kPtTable, true},
    CatalogueEntry{"QVT420TH1", "Q420TH.HEX", kThTable, true},
    CatalogueEntry{"QVT420070Drehzahl1", "QVT42070.HEX", "", true},
    CatalogueEntry{"QVT420075Frequenz1", "QVT42075.HEX", "", true},
    CatalogueEntry{"QVT420080Durchflu1", "QVT42080.HEX", "", true},
    CatalogueEntry{"QVT420085Zhler1", "QVT42085.HEX", "", true},
    CatalogueEntry{"QVT420025Leistung1", "QVT420025.HEX", "", true},
    CatalogueEntry{"QVT420090Feuchte", "QVT420090.HEX", "", true},
    // QVT430
    CatalogueEntry{"QVT430UI1", "Q430UI.HEX", "", true},
    CatalogueEntry{"QVT430035UIohneRel1", "Q430_035.HEX", "", true},
    CatalogueEntry{"QVT430PT1", "Q430PT.HEX", kPtTable, true},
    CatalogueEntry{"QVT430TH1", "Q430TH.HEX", kThTable, true},
    CatalogueEntry{"QVT430070Drehzahl1", "QVT070.HEX", "", true},
    CatalogueEntry{"QVT430075Frequenz1", "QVT075.HEX", "", true},
    CatalogueEntry{"QVT430080Durchflu1", "QVT080.HEX", "", true},
    CatalogueEntry{"QVT430085Zhler1", "QVT085.HEX", "", true},
    CatalogueEntry{"QVT430025Leistung1", "QVT410025.HEX", "", true},
    CatalogueEntry{"QVT430090Feuchte", "QVT410090.HEX", "", true},
    // QVT440
    CatalogueEntry{"QVT440UI1", "Q440UI.HEX", "", true},
    CatalogueEntry{"QVT440035UIohneRel1", "Q440_035.HEX", "", true},
    CatalogueEntry{"QVT44PT1", "Q440PT.HEX", kPtTable, true},
    CatalogueEntry{"QVT440TH1", "Q440TH.HEX", kThTable, true},
    CatalogueEntry{"QVT440070Drehzahl1", "QVT070.HEX", "", true},
    CatalogueEntry{"QVT440075Frequenz1", "QVT075.HEX", "", true},
    CatalogueEntry{"QVT440080Durchflu1", "QVT080.HEX", "", true},
    CatalogueEntry{"QVT440085Zhler1", "QVT085.HEX", "", true},
    CatalogueEntry{"QVT440025Leistung1", "QVT410025.HEX", "", true},
    CatalogueEntry{"QVT440090Feuchte", "QVT410090.HEX", "", true},
    // QVT450
    CatalogueEntry{"QVT4502", "Q450UI.HEX", "", true},
    CatalogueEntry{"QVT450035UIohneRel2", "Q450_035.HEX", "", true},
    CatalogueEntry{"QVT450050PT1", "Q450PT.HEX", kPtTable, true},
    CatalogueEntry{"QVT450060TH1", "Q450TH.HEX", kThTable, true},
    CatalogueEntry{"QVT450070Drehzahl", "QVT070.HEX", "", true},
    CatalogueEntry{"QVT450075Frequenz", "QVT075.HEX", "", true},
    CatalogueEntry{"QVT450080Durchflu", "QVT080.HEX", "", true},
    CatalogueEntry{"QVT450085Zhler", "QVT085.HEX", "", true},
    CatalogueEntry{"QVT450025Leistung", "QVT410025.HEX", "", true},
    CatalogueEntry{"QVT450090Feuchte", "QVT410090.HEX", "", true},
    // QVT460
    CatalogueEntry{"QVT460UI1", "Q460UI.HEX", "", true},
    CatalogueEntry{"QVT460035UIohneRel1", "Q460_035.HEX", "", true},
    CatalogueEntry{"QVT460PT1", "Q460PT.HEX", kPtTable, true},
    CatalogueEntry{"QVT460TH1", "Q460TH.HEX", kThTable, true},
    CatalogueEntry{"QVT460070Drehzahl", "QVT070.HEX", "", true},
    CatalogueEntry{"QVT460075Frequenz", "QVT075.HEX", "", true},
    CatalogueEntry{"QVT460080Durchflu", "QVT080.HEX", "", true},
    CatalogueEntry{"QVT460085Zhler", "QVT085.HEX", "", true},
    CatalogueEntry{"QVT460025Leistung", "QVT410025.HEX", "", true},
    CatalogueEntry{"QVT460090Feuchte", "QVT410090.HEX", "", true},
    // QVT410BV
    CatalogueEntry{"N001UIM1", "Q480UI_M.HEX", "", true},
    CatalogueEntry{"N001UII1", "Q480UI_I.HEX", "", true},
    CatalogueEntry{"N001PTI1", "Q480PT_I.HEX", kPtTable, true},
    CatalogueEntry{"N001THI1", "Q480TH_I.HEX", kThTable, true},
};

}  // namespace

std::span<const CatalogueEntry> FirmwareCatalogue() {
    return kCatalogue;
}

const CatalogueEntry* FindCatalogueEntry(const std::string& itemName) {
    for (const CatalogueEntry& entry : kCatalogue) {
        if (itemName == entry.itemName)
            return &entry;
    }
    return nullptr;
}

FirmwareFiles FilesFor(const CatalogueEntry& entry, std::uint16_t chipType,
                       std::uint8_t networkDevice) {
    FirmwareFiles files{entry.programFile, entry.dataFile};
    if (chipType == 8253 && entry.editionByFirstLetter && !files.program.empty()) {
        files.program[0] = networkDevice == 1 ? 'N' : 'E';
    }
    return files;
}

}  // namespace qvt
