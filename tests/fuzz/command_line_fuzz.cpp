// qvt410-cli's arguments as a script might pass them: the input is the
// argument list, each argument ended by a zero byte. Every parse ends in a
// command the program can run (or help, or the version) or in a usage error
// with its text; what a command receives has the form it relies on.
#include <charconv>
#include <set>
#include <string>
#include <vector>

#include "arguments.h"
#include "core/cable_choice.h"
#include "fuzz/fuzz_support.h"

namespace {

bool IsNumber(const std::string& text, long low, long high) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end && value >= low &&
           value <= high;
}

void CheckRunnable(const cli::Invocation& call) {
    static const std::set<std::string> commands = {"send", "test", "monitor",  "program", "erase",
                                                   "show", "diff", "variants", "hex",     "cables"};
    if (call.help || call.version)
        return;
    FUZZ_CHECK(commands.count(call.command) == 1);
    if (call.Has("--count"))
        FUZZ_CHECK(IsNumber(call.Option("--count"), 1, 1'000'000'000));
    if (call.Has("--seconds"))
        FUZZ_CHECK(IsNumber(call.Option("--seconds"), 1, 1'000'000'000));
    if (call.Has("--point"))
        FUZZ_CHECK(IsNumber(call.Option("--point"), 0, 3));
    if (call.Has("--chip"))
        FUZZ_CHECK(call.Option("--chip") == "8252" || call.Option("--chip") == "8253");
    if (call.Has("--cable")) {
        // A cable a run is given is one the parser accepts, and its pin map
        // reads back from its written form as the same map.
        const auto cable = qvt::ParseCableChoice(call.Option("--cable"));
        FUZZ_CHECK(cable.has_value());
        if (cable->type == qvt::CableType::kFtdi) {
            const qvt::PinMapResult pins = qvt::ParsePinMap(cable->pins, qvt::kFtdiPinCount);
            if (pins.map)
                FUZZ_CHECK(qvt::ParsePinMap(qvt::PinMapText(*pins.map), qvt::kFtdiPinCount).map ==
                           pins.map);
        }
    }
    if (call.Has("--karte"))
        FUZZ_CHECK(IsNumber(call.Option("--karte"), 0, 2));
    if (call.command == "program")
        FUZZ_CHECK(call.Has("--variant") != call.Has("--code"));
    if (call.Has("--variant"))  // names something once the mnemonic and blanks are gone
        FUZZ_CHECK(call.Option("--variant").find_first_not_of("& ") != std::string::npos);
    const std::size_t operands = call.command == "diff" ? 2
                                 : call.command == "send" || call.command == "test" ||
                                         call.command == "hex" || call.command == "show"
                                     ? 1
                                     : 0;
    FUZZ_CHECK(call.operands.size() == operands);
    // test right-aligns its value in four positions.
    if (call.command == "test")
        FUZZ_CHECK(call.operands[0].size() <= 4 &&
                   call.operands[0].find_first_not_of("0123456789") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back().push_back(static_cast<char>(data[i]));
    }
    if (arguments.back().empty())
        arguments.pop_back();
    const cli::ParseResult result = cli::ParseArguments(arguments);
    if (result.invocation) {
        FUZZ_CHECK(result.error.empty());
        CheckRunnable(*result.invocation);
    } else {
        FUZZ_CHECK(!result.error.empty());  // the usage error, exit 1, says what is wrong
    }
    return 0;
}
