#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace devsim {

enum class Form { kShort, kLong27, kLong28 };
enum class ReplyMode { kJudge, kAlwaysNak, kSilent };

struct Options {
    std::string tty;   // serve this tty; empty: create a pseudo terminal
    std::string link;  // symbolic link to the pseudo terminal, replaced if present
    Form form = Form::kLong27;
    // The values the telegrams carry in turn; none: the form's default.
    std::vector<std::string> values;
    char unit = 'C';        // after the value in the long forms
    bool numbered = false;  // value field carries the telegram's running number
    bool zeros = false;     // zero bytes inside each telegram
    bool crlf = false;      // end every form with CR LF, not only form 27
    int cycleMs = 1000;     // pause between telegrams
    int delayMs = 0;        // pause before the first telegram
    long count = -1;        // telegrams to send; -1 endless, 0 none
    int baud = 19200;       // output paced as on a line of this rate; 0 unpaced
    int chunk = 0;          // bytes handed over at a time; 0: a whole telegram
    ReplyMode reply = ReplyMode::kJudge;
    // The device checks a telegram before it answers; 0 answers at once, as
    // the quickest device would, before a PC's UART driver has even noticed
    // that its last byte has left.
    int replyDelayMs = 20;
    std::uint8_t deviceType = 0;  // how the parameter telegram is decoded
};

// Parses the command line (without the program name). Nothing and an error
// text in `error` when it is not understood; "help" when help was asked for.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace devsim
