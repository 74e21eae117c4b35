#include "devsim/sim_options.h"

#include <charconv>

namespace devsim {

const char* const kUsage =
    "usage: qvt410-devsim [options]\n"
    "Simulates a QVT device on a pseudo terminal and prints the path to connect\n"
    "to as the first line of its output.\n"
    "  --tty PATH          serve this tty instead of creating a pseudo terminal\n"
    "  --link PATH         also make PATH a symbolic link to the pseudo terminal\n"
    "  --form F            telegram form: short, 27 (26 characters, CR, LF) or 28\n"
    "                      (27 characters, CR); default 27\n"
    "  --value TEXT        measured value, right-aligned in its field (8 characters\n"
    "                      in form 27, 9 in form 28); a short telegram is the\n"
    "                      text as given (up to 14 characters); given more than\n"
    "                      once, the telegrams carry the values in turn, so short\n"
    "                      ones change their length\n"
    "  --numbered          the value is the telegram's running number\n"
    "  --unit C            character after the value in the long forms (default C)\n"
    "  --zeros             put zero bytes into each telegram\n"
    "  --crlf              end the short form and form 28 with CR LF as well; the\n"
    "                      LF then starts the next telegram\n"
    "  --cycle MS          pause between telegrams in milliseconds (default 1000)\n"
    "  --delay MS          wait this long before the first telegram\n"
    "  --count N           send N telegrams, then only answer (default endless)\n"
    "  --baud N            pace the output as a line of N baud does (default 19200,\n"
    "                      0: as fast as the PC takes it)\n"
    "  --chunk N           hand the bytes over N at a time, each piece after the\n"
    "                      line time of the one before (default: whole telegrams,\n"
    "                      as a serial adapter delivers them)\n"
    "  --reply MODE        judge: 0x06 for a correct telegram, 0x15 otherwise\n"
    "                      (default); nak: always 0x15; none: stay silent\n"
    "  --reply-delay MS    answer this long after the telegram's last byte\n"
    "                      (default 20; 0 answers at once)\n"
    "  --type T            device type 0, 1 or 2 for decoding parameters (default 0)\n";

namespace {

bool ToNumber(const std::string& text, long& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            error = "help";
            return std::nullopt;
        }
        if (name == "--numbered") {
            o.numbered = true;
            continue;
        }
        if (name == "--zeros") {
            o.zeros = true;
            continue;
        }
        if (name == "--crlf") {
            o.crlf = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "missing value or unknown option: " + name;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        long number = 0;
        const bool isNumber = ToNumber(value, number);
        auto bad = [&] {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        };
        if (name == "--tty") {
            o.tty = value;
        } else if (name == "--link") {
            o.link = value;
        } else if (name == "--form") {
            if (value == "short")
                o.form = Form::kShort;
            else if (value == "27")
                o.form = Form::kLong27;
            else if (value == "28")
                o.form = Form::kLong28;
            else
                return bad();
        } else if (name == "--value") {
            o.values.push_back(value);
        } else if (name == "--unit") {
            if (value.size() != 1)
                return bad();
            o.unit = value[0];
        } else if (name == "--cycle") {
            if (!isNumber || number < 0)
                return bad();
            o.cycleMs = static_cast<int>(number);
        } else if (name == "--delay") {
            if (!isNumber || number < 0)
                return bad();
            o.delayMs = static_cast<int>(number);
        } else if (name == "--count") {
            if (!isNumber || number < -1)
                return bad();
            o.count = number;
        } else if (name == "--baud") {
            if (!isNumber || number < 0)
                return bad();
            o.baud = static_cast<int>(number);
        } else if (name == "--chunk") {
            if (!isNumber || number < 0)
                return bad();
            o.chunk = static_cast<int>(number);
        } else if (name == "--reply") {
            if (value == "judge")
                o.reply = ReplyMode::kJudge;
            else if (value == "nak")
                o.reply = ReplyMode::kAlwaysNak;
            else if (value == "none")
                o.reply = ReplyMode::kSilent;
            else
                return bad();
        } else if (name == "--reply-delay") {
            if (!isNumber || number < 0)
                return bad();
            o.replyDelayMs = static_cast<int>(number);
        } else if (name == "--type") {
            if (!isNumber || number < 0 || number > 2)
                return bad();
            o.deviceType = static_cast<std::uint8_t>(number);
        } else {
            error = "unknown option: " + name;
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace devsim
