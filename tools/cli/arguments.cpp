#include "arguments.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "core/cable_choice.h"

namespace cli {
namespace {

struct CommandRule {
    const char* name;
    std::size_t minOperands;
    std::size_t maxOperands;
    std::set<std::string> valued;  // options that take a value
    std::set<std::string> flags;
};

const std::vector<CommandRule>& Rules() {
    static const std::vector<CommandRule> kRules = {
        {"send", 1, 1, {"--karte"}, {}},
        {"test", 1, 1, {"--point"}, {}},
        {"monitor", 0, 0, {"--count", "--seconds", "--format", "--output"}, {"--log"}},
        {"program",
         0,
         0,
         {"--variant", "--code", "--data", "--chip", "--access", "--cable"},
         {"--network", "--force"}},
        {"erase", 0, 0, {"--chip", "--access", "--cable"}, {}},
        {"cables", 0, 0, {}, {}},
        {"show", 1, 1, {}, {"--json"}},
        {"diff", 2, 2, {}, {"--json"}},
        {"variants", 0, 0, {}, {"--json"}},
        {"hex", 1, 1, {"--chip"}, {}},
    };
    return kRules;
}

std::optional<long> Number(const std::string& text) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

// The values an option may take; empty when it is fine.
std::string CheckValue(const std::string& option, const std::string& value) {
    const auto number = Number(value);
    if (option == "--count" || option == "--seconds") {
        if (!number || *number < 1 || *number > 1'000'000'000)
            return option + " erwartet eine positive Zahl: " + value;
    } else if (option == "--point") {
        if (!number || *number < 0 || *number > 3)
            return "--point erwartet 0 bis 3: " + value;
    } else if (option == "--karte") {
        if (!number || *number < 0 || *number > 2)
            return "--karte erwartet 0, 1 oder 2: " + value;
    } else if (option == "--chip") {
        if (value != "8252" && value != "8253")
            return "--chip erwartet 8252 oder 8253: " + value;
    } else if (option == "--format") {
        if (value != "text" && value != "csv" && value != "jsonl")
            return "--format erwartet text, csv oder jsonl: " + value;
    } else if (option == "--access") {
        static const std::set<std::string> kModes = {"auto", "ppdev", "direct", "emulated", "none"};
        if (!kModes.count(value))
            return "--access erwartet auto, ppdev, direct, emulated oder none: " + value;
    } else if (option == "--cable") {
        if (std::string problem = qvt::CableChoiceProblem(value); !problem.empty())
            return "--cable: " + problem;
    } else if (value.empty()) {
        return option + " erwartet einen Wert";
    }
    return {};
}

// A catalogue name as it is compared: without the mnemonic's "&" and blanks.
bool NamesNothing(const std::string& name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return c == '&' || c == ' '; });
}

// The test value as written: one to four decimal digits, nothing else.
bool IsTestValue(const std::string& text) {
    return !text.empty() && text.size() <= 4 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string CheckCommand(const Invocation& call) {
    if (call.command == "program") {
        const bool variant = call.Has("--variant");
        if (variant == call.Has("--code"))
            return "program erwartet --variant NAME oder --code DATEI.HEX";
        if (variant && call.Has("--data"))
            return "--data gilt nur mit --code";
        if (variant && NamesNothing(call.Option("--variant")))
            return "--variant erwartet einen Namen: \"" + call.Option("--variant") + "\"";
        if (call.Has("--force") && !variant)
            return "--force gilt nur mit --variant";
    } else if (call.command == "test") {
        if (!IsTestValue(call.operands[0]))
            return "test erwartet eine Zahl aus 1 bis 4 Ziffern: " + call.operands[0];
    }
    return {};
}

}  // namespace

std::string Invocation::Option(const std::string& option, const std::string& otherwise) const {
    const auto it = options.find(option);
    return it == options.end() ? otherwise : it->second;
}

ParseResult ParseArguments(const std::vector<std::string>& arguments) {
    Invocation call;
    const CommandRule* rule = nullptr;
    const auto fail = [](std::string text) { return ParseResult{std::nullopt, std::move(text)}; };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string word = arguments[i];
        std::string value;
        bool inlineValue = false;
        if (word.rfind("--", 0) == 0) {
            if (const auto eq = word.find('='); eq != std::string::npos) {
                value = word.substr(eq + 1);
                word.resize(eq);
                inlineValue = true;
            }
        }
        const auto takeValue = [&]() -> bool {
            if (inlineValue)
                return true;
            if (i + 1 >= arguments.size())
                return false;
            value = arguments[++i];
            return true;
        };
        if (word == "--help" || word == "-h") {
            call.help = true;
        } else if (word == "--version" && !rule) {
            call.version = true;
        } else if (!rule && (word == "--dir" || word == "--port" || word == "--baud")) {
            if (!takeValue() || value.empty())
                return fail(word + " erwartet einen Wert");
            if (word == "--dir") {
                call.dir = value;
            } else if (word == "--port") {
                call.port = value;
            } else {
                const auto rate = Number(value);
                if (!rate || *rate < 50 || *rate > 4'000'000)
                    return fail("--baud erwartet eine Baudrate: " + value);
                call.baud = static_cast<int>(*rate);
            }
        } else if (!rule) {
            const auto& rules = Rules();
            const auto found = std::find_if(rules.begin(), rules.end(),
                                            [&](const CommandRule& r) { return word == r.name; });
            if (found == rules.end())
                return fail("Unbekannter Befehl oder Option: " + word);
            rule = &*found;
            call.command = word;
        } else if (rule->flags.count(word)) {
            if (inlineValue)
                return fail(word + " erwartet keinen Wert");
            call.options[word] = "";
        } else if (rule->valued.count(word)) {
            if (!takeValue())
                return fail(word + " erwartet einen Wert");
            if (std::string error = CheckValue(word, value); !error.empty())
                return fail(error);
            call.options[word] = value;
        } else if (word.size() > 1 && word[0] == '-') {
            return fail("Unbekannte Option für " + call.command + ": " + word);
        } else {
            call.operands.push_back(word);
        }
    }
    if (call.help || call.version)
        return {call, {}};
    if (!rule)
        return fail("Befehl fehlt");
    if (call.operands.size() < rule->minOperands)
        return fail(call.command + ": zu wenige Angaben");
    if (call.operands.size() > rule->maxOperands)
        return fail(call.command + ": zu viele Angaben: " + call.operands.back());
    if (std::string error = CheckCommand(call); !error.empty())
        return fail(error);
    return {call, {}};
}

}  // namespace cli
