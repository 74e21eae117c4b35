#pragma once

#include <functional>

namespace qvt::help {

// The help file the program asks for; the topics ship inside the program.
inline constexpr const char* kHelpFileName = "QVT.HLP";

enum class Command { kContext, kContents, kIndex };

struct Request {
    Command command = Command::kContext;
    int context = 0;
};

void ShowContext(int context);
void ShowContents();  // contents page
void ShowIndex();     // keyword index

// Where requests go: the program installs its help window at start (see
// platform/qt/help_window.h), tests install a recorder. Without a handler a
// request is dropped. Returns the previous handler.
using Handler = std::function<void(const Request&)>;
Handler SetHandler(Handler handler);

}  // namespace qvt::help
