// variants and hex: what the catalogue holds and what a firmware file holds,
// read without touching a port.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core/chip.h"
#include "exit_code.h"
#include "prog/firmware_catalogue.h"
#include "prog/firmware_file.h"
#include "prog/hex_reader.h"
#include "text_output.h"

namespace cli {
namespace {

std::string Rules(qvt::OfferRule rules) {
    using O = qvt::OfferRule;
    const std::pair<O, const char*> names[] = {
        {O::kNoFirmwareYet, "verborgen"},
        {O::kSingleDeviceOnly, "nur Einzelgerät"},
        {O::kDisabledAtStart, "anfangs gesperrt"},
        {O::kNotFor8253In410, "nicht 8253 im QVT410"},
    };
    std::string text;
    for (const auto& [rule, name] : names) {
        if (qvt::Has(rules, rule))
            text += (text.empty() ? "" : ", ") + std::string(name);
    }
    return text;
}

struct Edition {
    const char* name;
    qvt::Chip chip;
    std::uint8_t network;
};
constexpr Edition kEditions[] = {{"8252", qvt::Chip::k8252, 0},
                                 {"8253", qvt::Chip::k8253, 0},
                                 {"8253-Netz", qvt::Chip::k8253, 1}};

struct Memory {
    std::string name;
    std::size_t size;
};

std::vector<Memory> MemoriesOf(qvt::Chip chip) {
    const qvt::ChipProfile& profile = qvt::ProfileOf(chip);
    const std::string number = std::to_string(profile.number);
    return {{number + " Programmspeicher", profile.codeSize},
            {number + " Datenspeicher", profile.dataSize}};
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int RunVariants(const Invocation& call, Session&) {
    const bool json = call.Has("--json");
    for (const qvt::CatalogueEntry& entry : qvt::FirmwareCatalogue()) {
        std::vector<std::pair<std::string, std::string>> fields = {
            {"name", entry.itemName}, {"caption", entry.caption}, {"rules", Rules(entry.offer)}};
        for (const Edition& edition : kEditions) {
            const qvt::FirmwareFiles files = qvt::FilesFor(entry, edition.chip, edition.network);
            fields.push_back({std::string(edition.name) + " program", files.program});
            fields.push_back({std::string(edition.name) + " data", files.data});
        }
        std::printf("%s\n", json ? JsonObject(fields).c_str() : TextLine(fields).c_str());
    }
    for (const qvt::OutsideProgrammerEntry& entry : qvt::OutsideProgrammerCatalogue()) {
        const std::vector<std::pair<std::string, std::string>> fields = {
            {"name", entry.itemName},
            {"caption", entry.caption},
            {"rules", "XPG.EXE " + std::string(entry.variant)}};
        std::printf("%s\n", json ? JsonObject(fields).c_str() : TextLine(fields).c_str());
    }
    return kSuccess;
}

int RunHex(const Invocation& call, Session&) {
    const std::string path = FromStartFolder(call.operands[0]);
    const qvt::FirmwareFile file = qvt::OpenFirmwareFile(path);
    if (!file.file) {
        std::fprintf(stderr, "qvt410-cli: %s %s\n", path.c_str(), file.problem.c_str());
        return kBadFile;
    }
    std::vector<std::pair<std::size_t, std::size_t>> ranges;  // [first, last]
    std::size_t bytes = 0;
    qvt::HexRecord record;
    qvt::HexResult result;
    while ((result = qvt::ReadHexRecord(file.file.get(), record)) == qvt::HexResult::kDataRecord) {
        if (record.length == 0)
            continue;
        bytes += record.length;
        const std::size_t first = record.address;
        const std::size_t last = first + record.length - 1;
        if (!ranges.empty() && ranges.back().second + 1 == first)
            ranges.back().second = last;
        else
            ranges.push_back({first, last});
    }
    if (result != qvt::HexResult::kEndOfData) {
        std::fprintf(stderr, "qvt410-cli: %s: %s\n", path.c_str(),
                     result == qvt::HexResult::kChecksumError ? "Prüfsumme fehlerhaft"
                                                              : "keine Intel-HEX-Datei");
        return kBadFile;
    }
    std::size_t end = 0;
    for (const auto& [first, last] : ranges) {
        std::printf("%04zX-%04zX  %zu Bytes\n", first, last, last - first + 1);
        end = std::max(end, last + 1);
    }
    std::printf("zusammen %zu Bytes\n", bytes);
    std::vector<qvt::Chip> chips = {qvt::Chip::k8252, qvt::Chip::k8253};
    if (call.Has("--chip")) {
        // The argument check has accepted only a chip's number.
        chips = {qvt::ChipFromNumber(std::stol(call.Option("--chip"))).value_or(qvt::kDefaultChip)};
    }
    for (const qvt::Chip chip : chips) {
        for (const Memory& memory : MemoriesOf(chip)) {
            std::printf("%-22s %5zu Bytes: %s\n", memory.name.c_str(), memory.size,
                        end <= memory.size ? "passt" : "passt nicht");
        }
    }
    return kSuccess;
}

}  // namespace cli
