#include "platform/help.h"

namespace qvt::help {
namespace {
Handler& CurrentHandler() {
    static Handler handler;
    return handler;
}

void Dispatch(const Request& request) {
    if (CurrentHandler())
        CurrentHandler()(request);
}
}  // namespace

void ShowContext(int context) {
    Dispatch({Command::kContext, context});
}
void ShowContents() {
    Dispatch({Command::kContents, 0});
}
void ShowIndex() {
    Dispatch({Command::kIndex, 0});
}

Handler SetHandler(Handler handler) {
    Handler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

}  // namespace qvt::help
