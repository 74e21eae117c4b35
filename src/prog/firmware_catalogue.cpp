#include "prog/firmware_catalogue.h"

#include <array>

#include "core/parameter_record.h"

namespace qvt {
namespace {

using G = CatalogueGroup;
using O = OfferRule;

constexpr const char* kPtTable = "QVTPTTAB.HEX";
constexpr const char* kThTable = "QVTTHTAB.HEX";

// The power variants of the 430..460 lines: in the menu as designed, but
// never shown, and without firmware for an 8253 in a QVT410.
constexpr OfferRule kNotYetMade = O::HiddenAsDesigned | O::DisabledAtStart | O::NotFor8253In410;

// The 430..460 lines share the firmware of the 410 for their 070..090
// variants; the 420 line has its own.
constexpr std::array<CatalogueEntry, 65> kCatalogue{{
    {"QVT410UI71351", "&QVT410UI (7135)", G::TopLevel, "QVTUI_M.HEX"},
    // QVT410
    {"QVT410UI2", "QVT410-010/020/030 U&I", G::Qvt410, "QVTUI_I.HEX"},
    {"QVT410PT2", "QVT410-050 P&T", G::Qvt410, "QVTPT_I.HEX", kPtTable},
    {"QVT410TH2", "QVT410-060 T&H", G::Qvt410, "QVTTH_I.HEX", kThTable},
    {"QVT4100352", "QVT410-03&5 (UI ohne Rel.)", G::Qvt410, "Q410_035.HEX"},
    {"QVT410070Drehzahl1", "QVT410-070 &Drehzahl", G::Qvt410, "QVT070.HEX"},
    {"QVT410075Frequenz1", "QVT410-075 &Frequenz", G::Qvt410, "QVT075.HEX"},
    {"QVT410080Durchflu1", "QVT410-080 D&urchfluß", G::Qvt410, "QVT080.HEX"},
    {"QVT410085Zhler1", "QVT410-085 &Zähler", G::Qvt410, "QVT085.HEX"},
    {"QVT410025Leistung1", "QVT410-025 &Leistung", G::Qvt410, "QVT410025.HEX", "",
     O::SingleDeviceOnly},
    {"QVT410055PT100Uhr1", "QVT410-055 &PT100 Uhr", G::Qvt410, "QVT055.HEX", "QVPT.HEX", O::Always,
     Edition::kFixed},
    {"QVT410090Feuchte1", "QVT410-090 Feu&chte", G::Qvt410, "QVT410090.HEX"},
    // QVT420
    {"QVT420UI1", "QVT420-010/020/030 U&I", G::Qvt420, "Q420UI.HEX"},
    {"QVT420PT1", "QVT420-050 P&T", G::Qvt420, "Q420PT.HEX", kPtTable},
    {"QVT420TH1", "QVT420-060 T&H", G::Qvt420, "Q420TH.HEX", kThTable},
    {"QVT420070Drehzahl1", "QVT420-070 &Drehzahl", G::Qvt420, "QVT42070.HEX"},
    {"QVT420075Frequenz1", "QVT420-075 &Frequenz", G::Qvt420, "QVT42075.HEX"},
    {"QVT420080Durchflu1", "QVT420-080 D&urchfluß", G::Qvt420, "QVT42080.HEX"},
    {"QVT420085Zhler1", "QVT420-085 &Zähler", G::Qvt420, "QVT42085.HEX"},
    {"QVT420025Leistung1", "QVT420-025 &Leistung", G::Qvt420, "QVT420025.HEX", "",
     O::SingleDeviceOnly},
    {"QVT420090Feuchte", "QVT420-090 Feu&chte", G::Qvt420, "QVT420090.HEX"},
    // QVT430
    {"QVT430UI1", "QVT430-010/020/030 U&I", G::Qvt430, "Q430UI.HEX"},
    {"QVT430035UIohneRel1", "QVT430-035 UI ohne &Rel.", G::Qvt430, "Q430_035.HEX"},
    {"QVT430PT1", "QVT430-050 P&T", G::Qvt430, "Q430PT.HEX", kPtTable},
    {"QVT430TH1", "QVT430-060 T&H", G::Qvt430, "Q430TH.HEX", kThTable},
    {"QVT430070Drehzahl1", "QVT430-070 &Drehzahl", G::Qvt430, "QVT070.HEX"},
    {"QVT430075Frequenz1", "QVT430-075 &Frequenz", G::Qvt430, "QVT075.HEX"},
    {"QVT430080Durchflu1", "QVT430-080 D&urchfluß", G::Qvt430, "QVT080.HEX"},
    {"QVT430085Zhler1", "QVT430-085 &Zähler", G::Qvt430, "QVT085.HEX"},
    {"QVT430025Leistung1", "QVT430-025 &Leistung", G::Qvt430, "QVT410025.HEX", "", kNotYetMade},
    {"QVT430090Feuchte", "QVT430-090 Feu&chte", G::Qvt430, "QVT410090.HEX"},
    // QVT440
    {"QVT440UI1", "QVT440-010/020/030 U&I", G::Qvt440, "Q440UI.HEX"},
    {"QVT440035UIohneRel1", "QVT440-035 UI ohne &Rel.", G::Qvt440, "Q440_035.HEX"},
    {"QVT44PT1", "QVT440-050 P&T", G::Qvt440, "Q440PT.HEX", kPtTable},
    {"QVT440TH1", "QVT440-060 T&H", G::Qvt440, "Q440TH.HEX", kThTable},
    {"QVT440070Drehzahl1", "QVT440-070 &Drehzahl", G::Qvt440, "QVT070.HEX"},
    {"QVT440075Frequenz1", "QVT440-075 &Frequenz", G::Qvt440, "QVT075.HEX"},
    {"QVT440080Durchflu1", "QVT440-080 D&urchfluß", G::Qvt440, "QVT080.HEX"},
    {"QVT440085Zhler1", "QVT440-085 &Zähler", G::Qvt440, "QVT085.HEX"},
    {"QVT440025Leistung1", "QVT440-025 &Leistung", G::Qvt440, "QVT410025.HEX", "", kNotYetMade},
    {"QVT440090Feuchte", "QVT440-090 Feu&chte", G::Qvt440, "QVT410090.HEX"},
    // QVT450
    {"QVT4502", "QVT450-010/020/030 U&I", G::Qvt450, "Q450UI.HEX"},
    {"QVT450035UIohneRel2", "QVT450-035 UI ohne &Rel.", G::Qvt450, "Q450_035.HEX"},
    {"QVT450050PT1", "QVT450-050 P&T", G::Qvt450, "Q450PT.HEX", kPtTable},
    {"QVT450060TH1", "QVT450-060 T&H", G::Qvt450, "Q450TH.HEX", kThTable},
    {"QVT450070Drehzahl", "QVT450-070 &Drehzahl", G::Qvt450, "QVT070.HEX"},
    {"QVT450075Frequenz", "QVT450-075 &Frequenz", G::Qvt450, "QVT075.HEX"},
    {"QVT450080Durchflu", "QVT450-080 D&urchfluß", G::Qvt450, "QVT080.HEX"},
    {"QVT450085Zhler", "QVT450-085 &Zähler", G::Qvt450, "QVT085.HEX"},
    {"QVT450025Leistung", "QVT450-025 &Leistung", G::Qvt450, "QVT410025.HEX", "", kNotYetMade},
    {"QVT450090Feuchte", "QVT450-090 Feu&chte", G::Qvt450, "QVT410090.HEX"},
    // QVT460
    {"QVT460UI1", "QVT460-010/020/030 U&I", G::Qvt460, "Q460UI.HEX"},
    {"QVT460035UIohneRel1", "QVT460-035 UI ohne &Rel.", G::Qvt460, "Q460_035.HEX"},
    {"QVT460PT1", "QVT460-050 P&T", G::Qvt460, "Q460PT.HEX", kPtTable},
    {"QVT460TH1", "QVT460-060 T&H", G::Qvt460, "Q460TH.HEX", kThTable},
    {"QVT460070Drehzahl", "QVT460-070 &Drehzahl", G::Qvt460, "QVT070.HEX"},
    {"QVT460075Frequenz", "QVT460-075 &Frequenz", G::Qvt460, "QVT075.HEX"},
    {"QVT460080Durchflu", "QVT460-080 D&urchfluß", G::Qvt460, "QVT080.HEX"},
    {"QVT460085Zhler", "QVT460-085 &Zähler", G::Qvt460, "QVT085.HEX"},
    {"QVT460025Leistung", "QVT460-025 &Leistung", G::Qvt460, "QVT410025.HEX", "", kNotYetMade},
    {"QVT460090Feuchte", "QVT460-090 Feu&chte", G::Qvt460, "QVT410090.HEX"},
    // QVT410BV
    {"N001UIM1", "001UI-M", G::Qvt410Bv, "Q480UI_M.HEX"},
    {"N001UII1", "001UI-I", G::Qvt410Bv, "Q480UI_I.HEX", "", O::Always, Edition::kByFirstLetter,
     "N11"},
    {"N001PTI1", "001PT-I", G::Qvt410Bv, "Q480PT_I.HEX", kPtTable},
    {"N001THI1", "001TH-I", G::Qvt410Bv, "Q480TH_I.HEX", kThTable},
}};

constexpr std::array<CatalogueSubmenu, 8> kSubmenus{{
    {G::Qvt410, "QVT410I1", "QVT4&10", O::Always, "N4"},
    {G::Qvt420, "N7", "QVT4&20"},
    {G::Qvt430, "N13", "QVT&430"},
    {G::Qvt440, "QVT4401", "QVT4&40"},
    {G::Qvt450, "QVT4501", "QVT4&50"},
    {G::Qvt460, "QVT4601", "QVT46&0"},
    {G::Qvt410Bv, "QVT410BV1", "QVT410B&V..."},
    // Usable at start; the chip type command disables it for an 8253 in a QVT410.
    {G::Qvt470, "QVT4701", "Q&VT470", O::NotFor8253In410, "N12"},
}};

constexpr std::array<OutsideProgrammerEntry, 2> kOutsideProgrammer{{
    {"QVT470010UI1", "&QVT470", G::Qvt470, "QVT470"},
    {"Q470401", "QVT470-0&40", G::Qvt470, "QVT47040"},
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
