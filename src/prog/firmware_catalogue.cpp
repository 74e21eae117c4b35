#include "prog/firmware_catalogue.h"

#include <array>

#include "core/parameter_record.h"

namespace qvt {
namespace {

using G = CatalogueGroup;
using O = OfferRule;

constexpr const char* kPtTable = "QVTPTTAB.HEX";
constexpr const char* kThTable = "QVTTHTAB.HEX";

// The power variants of the 430..460 lines: items of the menu that are never
// shown, since the device line has no firmware for them yet, and none for an
// 8253 in a QVT410 either.
constexpr OfferRule kNotYetMade = O::kNoFirmwareYet | O::kDisabledAtStart | O::kNotFor8253In410;

// The 430..460 lines share the firmware of the 410 for their 070..090
// variants; the 420 line has its own.
constexpr std::array<CatalogueEntry, 65> kCatalogue{{
    {"QVT410UI71351", "&QVT410UI (7135)", G::kTopLevel, "QVTUI_M.HEX"},
    // QVT410
    {"QVT410UI2", "QVT410-010/020/030 U&I", G::kQvt410, "QVTUI_I.HEX"},
    {"QVT410PT2", "QVT410-050 P&T", G::kQvt410, "QVTPT_I.HEX", kPtTable},
    {"QVT410TH2", "QVT410-060 T&H", G::kQvt410, "QVTTH_I.HEX", kThTable},
    {"QVT4100352", "QVT410-03&5 (UI ohne Rel.)", G::kQvt410, "Q410_035.HEX"},
    {"QVT410070Drehzahl1", "QVT410-070 &Drehzahl", G::kQvt410, "QVT070.HEX"},
    {"QVT410075Frequenz1", "QVT410-075 &Frequenz", G::kQvt410, "QVT075.HEX"},
    {"QVT410080Durchflu1", "QVT410-080 D&urchfluß", G::kQvt410, "QVT080.HEX"},
    {"QVT410085Zhler1", "QVT410-085 &Zähler", G::kQvt410, "QVT085.HEX"},
    {"QVT410025Leistung1", "QVT410-025 &Leistung", G::kQvt410, "QVT410025.HEX", "",
     O::kSingleDeviceOnly},
    {"QVT410055PT100Uhr1", "QVT410-055 &PT100 Uhr", G::kQvt410, "QVT055.HEX", "QVPT.HEX",
     O::kAlways, Edition::kFixed},
    {"QVT410090Feuchte1", "QVT410-090 Feu&chte", G::kQvt410, "QVT410090.HEX"},
    // QVT420
    {"QVT420UI1", "QVT420-010/020/030 U&I", G::kQvt420, "Q420UI.HEX"},
    {"QVT420PT1", "QVT420-050 P&T", G::kQvt420, "Q420PT.HEX", kPtTable},
    {"QVT420TH1", "QVT420-060 T&H", G::kQvt420, "Q420TH.HEX", kThTable},
    {"QVT420070Drehzahl1", "QVT420-070 &Drehzahl", G::kQvt420, "QVT42070.HEX"},
    {"QVT420075Frequenz1", "QVT420-075 &Frequenz", G::kQvt420, "QVT42075.HEX"},
    {"QVT420080Durchflu1", "QVT420-080 D&urchfluß", G::kQvt420, "QVT42080.HEX"},
    {"QVT420085Zhler1", "QVT420-085 &Zähler", G::kQvt420, "QVT42085.HEX"},
    {"QVT420025Leistung1", "QVT420-025 &Leistung", G::kQvt420, "QVT420025.HEX", "",
     O::kSingleDeviceOnly},
    {"QVT420090Feuchte", "QVT420-090 Feu&chte", G::kQvt420, "QVT420090.HEX"},
    // QVT430
    {"QVT430UI1", "QVT430-010/020/030 U&I", G::kQvt430, "Q430UI.HEX"},
    {"QVT430035UIohneRel1", "QVT430-035 UI ohne &Rel.", G::kQvt430, "Q430_035.HEX"},
    {"QVT430PT1", "QVT430-050 P&T", G::kQvt430, "Q430PT.HEX", kPtTable},
    {"QVT430TH1", "QVT430-060 T&H", G::kQvt430, "Q430TH.HEX", kThTable},
    {"QVT430070Drehzahl1", "QVT430-070 &Drehzahl", G::kQvt430, "QVT070.HEX"},
    {"QVT430075Frequenz1", "QVT430-075 &Frequenz", G::kQvt430, "QVT075.HEX"},
    {"QVT430080Durchflu1", "QVT430-080 D&urchfluß", G::kQvt430, "QVT080.HEX"},
    {"QVT430085Zhler1", "QVT430-085 &Zähler", G::kQvt430, "QVT085.HEX"},
    {"QVT430025Leistung1", "QVT430-025 &Leistung", G::kQvt430, "QVT410025.HEX", "", kNotYetMade},
    {"QVT430090Feuchte", "QVT430-090 Feu&chte", G::kQvt430, "QVT410090.HEX"},
    // QVT440
    {"QVT440UI1", "QVT440-010/020/030 U&I", G::kQvt440, "Q440UI.HEX"},
    {"QVT440035UIohneRel1", "QVT440-035 UI ohne &Rel.", G::kQvt440, "Q440_035.HEX"},
    {"QVT44PT1", "QVT440-050 P&T", G::kQvt440, "Q440PT.HEX", kPtTable},
    {"QVT440TH1", "QVT440-060 T&H", G::kQvt440, "Q440TH.HEX", kThTable},
    {"QVT440070Drehzahl1", "QVT440-070 &Drehzahl", G::kQvt440, "QVT070.HEX"},
    {"QVT440075Frequenz1", "QVT440-075 &Frequenz", G::kQvt440, "QVT075.HEX"},
    {"QVT440080Durchflu1", "QVT440-080 D&urchfluß", G::kQvt440, "QVT080.HEX"},
    {"QVT440085Zhler1", "QVT440-085 &Zähler", G::kQvt440, "QVT085.HEX"},
    {"QVT440025Leistung1", "QVT440-025 &Leistung", G::kQvt440, "QVT410025.HEX", "", kNotYetMade},
    {"QVT440090Feuchte", "QVT440-090 Feu&chte", G::kQvt440, "QVT410090.HEX"},
    // QVT450
    {"QVT4502", "QVT450-010/020/030 U&I", G::kQvt450, "Q450UI.HEX"},
    {"QVT450035UIohneRel2", "QVT450-035 UI ohne &Rel.", G::kQvt450, "Q450_035.HEX"},
    {"QVT450050PT1", "QVT450-050 P&T", G::kQvt450, "Q450PT.HEX", kPtTable},
    {"QVT450060TH1", "QVT450-060 T&H", G::kQvt450, "Q450TH.HEX", kThTable},
    {"QVT450070Drehzahl", "QVT450-070 &Drehzahl", G::kQvt450, "QVT070.HEX"},
    {"QVT450075Frequenz", "QVT450-075 &Frequenz", G::kQvt450, "QVT075.HEX"},
    {"QVT450080Durchflu", "QVT450-080 D&urchfluß", G::kQvt450, "QVT080.HEX"},
    {"QVT450085Zhler", "QVT450-085 &Zähler", G::kQvt450, "QVT085.HEX"},
    {"QVT450025Leistung", "QVT450-025 &Leistung", G::kQvt450, "QVT410025.HEX", "", kNotYetMade},
    {"QVT450090Feuchte", "QVT450-090 Feu&chte", G::kQvt450, "QVT410090.HEX"},
    // QVT460
    {"QVT460UI1", "QVT460-010/020/030 U&I", G::kQvt460, "Q460UI.HEX"},
    {"QVT460035UIohneRel1", "QVT460-035 UI ohne &Rel.", G::kQvt460, "Q460_035.HEX"},
    {"QVT460PT1", "QVT460-050 P&T", G::kQvt460, "Q460PT.HEX", kPtTable},
    {"QVT460TH1", "QVT460-060 T&H", G::kQvt460, "Q460TH.HEX", kThTable},
    {"QVT460070Drehzahl", "QVT460-070 &Drehzahl", G::kQvt460, "QVT070.HEX"},
    {"QVT460075Frequenz", "QVT460-075 &Frequenz", G::kQvt460, "QVT075.HEX"},
    {"QVT460080Durchflu", "QVT460-080 D&urchfluß", G::kQvt460, "QVT080.HEX"},
    {"QVT460085Zhler", "QVT460-085 &Zähler", G::kQvt460, "QVT085.HEX"},
    {"QVT460025Leistung", "QVT460-025 &Leistung", G::kQvt460, "QVT410025.HEX", "", kNotYetMade},
    {"QVT460090Feuchte", "QVT460-090 Feu&chte", G::kQvt460, "QVT410090.HEX"},
    // QVT410BV
    {"N001UIM1", "001UI-M", G::kQvt410Bv, "Q480UI_M.HEX"},
    {"N001UII1", "001UI-I", G::kQvt410Bv, "Q480UI_I.HEX", "", O::kAlways, Edition::kByFirstLetter,
     "N11"},
    {"N001PTI1", "001PT-I", G::kQvt410Bv, "Q480PT_I.HEX", kPtTable},
    {"N001THI1", "001TH-I", G::kQvt410Bv, "Q480TH_I.HEX", kThTable},
}};

constexpr std::array<CatalogueSubmenu, 8> kSubmenus{{
    {G::kQvt410, "QVT410I1", "QVT4&10", O::kAlways, "N4"},
    {G::kQvt420, "N7", "QVT4&20"},
    {G::kQvt430, "N13", "QVT&430"},
    {G::kQvt440, "QVT4401", "QVT4&40"},
    {G::kQvt450, "QVT4501", "QVT4&50"},
    {G::kQvt460, "QVT4601", "QVT46&0"},
    {G::kQvt410Bv, "QVT410BV1", "QVT410B&V..."},
    // Usable at start; the chip type command disables it for an 8253 in a QVT410.
    {G::kQvt470, "QVT4701", "Q&VT470", O::kNotFor8253In410, "N12"},
}};

constexpr std::array<OutsideProgrammerEntry, 2> kOutsideProgrammer{{
    {"QVT470010UI1", "&QVT470", G::kQvt470, "QVT470"},
    {"Q470401", "QVT470-0&40", G::kQvt470, "QVT47040"},
}};

std::string WithoutMnemonic(std::string caption) {
    std::erase(caption, '&');
    return caption;
}

}  // namespace

std::span<const CatalogueEntry> FirmwareCatalogue() {
    return kCatalogue;
}

std::span<const CatalogueSubmenu> CatalogueSubmenus() {
    return kSubmenus;
}

std::span<const OutsideProgrammerEntry> OutsideProgrammerCatalogue() {
    return kOutsideProgrammer;
}

const CatalogueEntry* FindCatalogueEntry(const std::string& nameOrCaption) {
    for (const CatalogueEntry& entry : kCatalogue) {
        if (nameOrCaption == entry.itemName || nameOrCaption == entry.caption ||
            nameOrCaption == WithoutMnemonic(entry.caption)) {
            return &entry;
        }
    }
    return nullptr;
}

const CatalogueSubmenu* FindCatalogueSubmenu(CatalogueGroup group) {
    for (const CatalogueSubmenu& submenu : kSubmenus) {
        if (submenu.group == group)
            return &submenu;
    }
    return nullptr;
}

FirmwareFiles FilesFor(const CatalogueEntry& entry, Chip chip, std::uint8_t networkDevice) {
    FirmwareFiles files{entry.programFile, entry.dataFile};
    if (ProfileOf(chip).hasEditions && entry.edition == Edition::kByFirstLetter &&
        !files.program.empty()) {
        files.program[0] = networkDevice == 1 ? 'N' : 'E';
    }
    return files;
}

bool ShownFor(OfferRule rules, std::uint8_t networkDevice) {
    if (Has(rules, OfferRule::kNoFirmwareYet))
        return false;
    return !(Has(rules, OfferRule::kSingleDeviceOnly) && networkDevice == 1);
}

bool EnabledAtStart(OfferRule rules) {
    return !Has(rules, OfferRule::kDisabledAtStart);
}

bool EnabledAfterChipChoice(OfferRule rules, std::uint8_t deviceType, Chip chip) {
    return !(Has(rules, OfferRule::kNotFor8253In410) && deviceType == kDeviceQvt410 &&
             !ProfileOf(chip).hasQvt410Firmware);
}

}  // namespace qvt
