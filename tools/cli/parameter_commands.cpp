// show and diff: the parameters a .QVC file stores, with their dialog labels
// and what they mean for the file's device type.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "core/parameter_listing.h"
#include "core/parameter_record.h"
#include "exit_code.h"
#include "platform/files/parameter_file.h"
#include "text_output.h"

namespace cli {
namespace {

std::optional<std::vector<qvt::ParameterLine>> Listing(const std::string& operand) {
    const std::string path = FromStartFolder(operand);
    qvt::ParameterRecord record;
    if (!qvt::LoadParameterFile(path, record)) {
        std::fprintf(stderr, "qvt410-cli: Parameterdatei %s nicht lesbar\n", path.c_str());
        return std::nullopt;
    }
    return qvt::ListParameters(record);
}

std::string Shown(const qvt::ParameterLine& line) {
    return line.meaning.empty() || line.meaning == line.stored
               ? line.stored
               : line.stored + " (" + line.meaning + ")";
}

void PrintJsonArray(const std::vector<Fields>& objects) {
    std::printf("[");
    for (std::size_t i = 0; i < objects.size(); ++i)
        std::printf("%s\n%s", i ? "," : "", JsonObject(objects[i]).c_str());
    std::printf("\n]\n");
}

}  // namespace

int RunShow(const Invocation& call, Session&) {
    const auto lines = Listing(call.operands[0]);
    if (!lines)
        return kBadFile;
    std::vector<Fields> objects;
    for (const qvt::ParameterLine& line : *lines) {
        if (call.Has("--json"))
            objects.push_back(
                {{"label", line.label}, {"stored", line.stored}, {"meaning", line.meaning}});
        else
            std::printf("%s: %s\n", line.label.c_str(), Shown(line).c_str());
    }
    if (call.Has("--json"))
        PrintJsonArray(objects);
    return kSuccess;
}

int RunDiff(const Invocation& call, Session&) {
    const auto a = Listing(call.operands[0]);
    const auto b = Listing(call.operands[1]);
    if (!a || !b)
        return kBadFile;
    std::vector<Fields> objects;
    for (std::size_t i = 0; i < a->size() && i < b->size(); ++i) {
        const qvt::ParameterLine& left = (*a)[i];
        const qvt::ParameterLine& right = (*b)[i];
        if (left.stored == right.stored && left.meaning == right.meaning)
            continue;
        objects.push_back({{"label", left.label},
                           {"a", left.stored},
                           {"b", right.stored},
                           {"meaningA", left.meaning},
                           {"meaningB", right.meaning}});
        if (!call.Has("--json"))
            std::printf("%s: %s -> %s\n", left.label.c_str(), Shown(left).c_str(),
                        Shown(right).c_str());
    }
    if (call.Has("--json"))
        PrintJsonArray(objects);
    return objects.empty() ? kSuccess : kDifferent;
}

}  // namespace cli
