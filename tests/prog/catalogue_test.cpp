#include "prog/firmware_catalogue.h"

#include <gtest/gtest.h>

#include <set>

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
    const FirmwareFiles files = FilesFor(*entry, c.chip, c.network);
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

TEST(FirmwareCatalogue, UnknownItemIsNotFound) {
    EXPECT_EQ(FindCatalogueEntry("Datei2"), nullptr);
}

}  // namespace
}  // namespace qvt
