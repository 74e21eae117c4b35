#include "prog/firmware_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace qvt {
namespace {

TEST(FirmwareCatalogue, HasEveryVariantOnce) {
    std::set<std::string> names;
    for (const CatalogueEntry& entry : FirmwareCatalogue()) {
        EXPECT_TRUE(names.insert(entry.itemName).second) << entry.itemName;
        EXPECT_TRUE(std::string(entry.programFile).ends_with(".HEX")) << entry.itemName;
    }
    EXPECT_EQ(names.size(), 65u);
}

struct FilesCase {
    const char* item;
    std::uint16_t chip;
    std::uint8_t network;
    const char* program;
    const char* data;
};

class CatalogueFiles : public ::testing::TestWithParam<FilesCase> {};

TEST_P(CatalogueFiles, NameTheFilesOfTheEdition) {
    const FilesCase& c = GetParam();
    const CatalogueEntry* entry = FindCatalogueEntry(c.item);
    ASSERT_NE(entry, nullptr) << c.item;
    const FirmwareFiles files = FilesFor(*entry, *ChipFromNumber(c.chip), c.network);
    EXPECT_EQ(files.program, c.program) << c.item;
    EXPECT_EQ(files.data, c.data) << c.item;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CatalogueFiles,
    ::testing::Values(FilesCase{"QVT410UI71351", 8252, 0, "QVTUI_M.HEX", ""},
                      FilesCase{"QVT410UI71351", 8253, 0, "EVTUI_M.HEX", ""},
                      FilesCase{"QVT410UI71351", 8253, 1, "NVTUI_M.HEX", ""},
                      FilesCase{"QVT410PT2", 8253, 1, "NVTPT_I.HEX", "QVTPTTAB.HEX"},
                      FilesCase{"QVT410TH2", 8252, 1, "QVTTH_I.HEX", "QVTTHTAB.HEX"},
                      // The clock variant has one edition only.
                      FilesCase{"QVT410055PT100Uhr1", 8253, 0, "QVT055.HEX", "QVPT.HEX"},
                      FilesCase{"QVT410055PT100Uhr1", 8253, 1, "QVT055.HEX", "QVPT.HEX"},
                      FilesCase{"QVT420070Drehzahl1", 8253, 0, "EVT42070.HEX", ""},
                      FilesCase{"QVT420090Feuchte", 8252, 0, "QVT420090.HEX", ""},
                      // 430..460 share the 410 firmware of their variant.
                      FilesCase{"QVT430085Zhler1", 8252, 0, "QVT085.HEX", ""},
                      FilesCase{"QVT440090Feuchte", 8253, 1, "NVT410090.HEX", ""},
                      FilesCase{"QVT450025Leistung", 8252, 0, "QVT410025.HEX", ""},
                      FilesCase{"QVT460080Durchflu", 8253, 0, "EVT080.HEX", ""},
                      FilesCase{"QVT44PT1", 8253, 0, "E440PT.HEX", "QVTPTTAB.HEX"},
                      FilesCase{"QVT4502", 8253, 1, "N450UI.HEX", ""},
                      FilesCase{"QVT450035UIohneRel2", 8252, 0, "Q450_035.HEX", ""},
                      FilesCase{"N001THI1", 8253, 0, "E480TH_I.HEX", "QVTTHTAB.HEX"},
                      FilesCase{"N001UIM1", 8252, 1, "Q480UI_M.HEX", ""}));

TEST(FirmwareCatalogue, FindsAVariantByItemNameOrCaption) {
    for (const char* key : {"QVT410PT2", "QVT410-050 P&T", "QVT410-050 PT"}) {
        const CatalogueEntry* entry = FindCatalogueEntry(key);
        ASSERT_NE(entry, nullptr) << key;
        EXPECT_STREQ(entry->itemName, "QVT410PT2") << key;
    }
    EXPECT_EQ(FindCatalogueEntry("Datei2"), nullptr);
    EXPECT_EQ(FindCatalogueEntry("QVT410-050"), nullptr);
}

// The menu rules the table gives, as the names of the items (entries and
// submenus) each state leaves unusable.
std::set<std::string> ItemsWhere(bool (*unusable)(OfferRule)) {
    std::set<std::string> names;
    for (const CatalogueEntry& entry : FirmwareCatalogue()) {
        if (unusable(entry.offer))
            names.insert(entry.itemName);
    }
    for (const CatalogueSubmenu& submenu : CatalogueSubmenus()) {
        if (unusable(submenu.offer))
            names.insert(submenu.name);
    }
    return names;
}

TEST(FirmwareCatalogue, OffersEachVariantByItsRules) {
    const std::set<std::string> notYetMade = {"QVT430025Leistung1", "QVT440025Leistung1",
                                              "QVT450025Leistung", "QVT460025Leistung"};
    std::set<std::string> singleOnly = notYetMade;
    singleOnly.insert({"QVT410025Leistung1", "QVT420025Leistung1"});
    std::set<std::string> notFor8253 = notYetMade;
    notFor8253.insert("QVT4701");

    EXPECT_EQ(ItemsWhere([](OfferRule r) { return !ShownFor(r, 0); }), notYetMade);
    EXPECT_EQ(ItemsWhere([](OfferRule r) { return !ShownFor(r, 1); }), singleOnly);
    EXPECT_EQ(ItemsWhere([](OfferRule r) { return !EnabledAtStart(r); }), notYetMade);
    EXPECT_EQ(ItemsWhere([](OfferRule r) { return !EnabledAfterChipChoice(r, 0, Chip::k8253); }),
              notFor8253);
    // Only the 8253 in a QVT410 lacks firmware.
    for (const auto& [type, chip] : {std::pair{0, 8252}, {1, 8253}, {2, 8253}, {1, 8252}}) {
        for (const CatalogueEntry& entry : FirmwareCatalogue()) {
            EXPECT_TRUE(EnabledAfterChipChoice(entry.offer, static_cast<std::uint8_t>(type),
                                               *ChipFromNumber(chip)))
                << entry.itemName << " " << type << " " << chip;
        }
    }
}

TEST(FirmwareCatalogue, EveryDeviceLineHasItsSubmenu) {
    for (const CatalogueEntry& entry : FirmwareCatalogue()) {
        EXPECT_EQ(FindCatalogueSubmenu(entry.group) == nullptr,
                  entry.group == CatalogueGroup::kTopLevel)
            << entry.itemName;
    }
}

}  // namespace
}  // namespace qvt
