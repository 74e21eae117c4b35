#include "console_progress.h"

#include "interrupt.h"

namespace cli {
namespace {

// "Programmierung des Programmspeichers   mit\nFILE  läuft" on one line.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n')
            c = ' ';
    }
    return text;
}

std::string MemoryOf(const std::string& text) {
    if (text.find("Programmspeicher") != std::string::npos)
        return "Programmspeicher";
    if (text.find("Datenspeicher") != std::string::npos)
        return "Datenspeicher";
    return "Baustein";
}

}  // namespace

void ConsoleProgress::ShowProgress(const std::string& text) {
    EndBar();
    memory_ = MemoryOf(text);
    const qvt::ChipProfile& profile = qvt::ProfileOf(chip_);
    // A chip written byte by byte counts its progress in bytes of the file read.
    bytesPerStep_ = !profile.writesPages()          ? 1
                    : memory_ == "Programmspeicher" ? profile.codePageSize
                                                    : profile.dataPageSize;
    maximum_ = position_ = 0;
    lastDrawnPercent_ = -1;
    stageStart_ = std::chrono::steady_clock::now();
    std::fprintf(out_, "%s\n", OneLine(text).c_str());
    std::fflush(out_);
}

void ConsoleProgress::SetProgressMaximum(int maximum) {
    maximum_ = maximum;
}

void ConsoleProgress::SetProgressPosition(int position) {
    position_ = position;
    if (terminal_)
        DrawBar();
}

void ConsoleProgress::DrawBar() {
    if (maximum_ <= 0)
        return;
    const int percent = static_cast<int>(100LL * position_ / maximum_);
    if (percent == lastDrawnPercent_)
        return;  // a redraw per byte would cost more than the byte
    lastDrawnPercent_ = percent;
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - stageStart_).count();
    const double left = position_ > 0 ? elapsed * (maximum_ - position_) / position_ : 0;
    std::fprintf(out_, "\r%-16s [%s%s] %3d %% %6d/%d Bytes, noch %.0f s   ", memory_.c_str(),
                 std::string(filled, '#').c_str(), std::string(kWidth - filled, '.').c_str(),
                 percent, position_ * bytesPerStep_, maximum_ * bytesPerStep_, left);
    std::fflush(out_);
    barShown_ = true;
}

void ConsoleProgress::EndBar() {
    if (!barShown_)
        return;
    std::fprintf(out_, "\n");
    std::fflush(out_);
    barShown_ = false;
}

void ConsoleProgress::HideProgress() {
    EndBar();
    closed_ = true;
}

void ConsoleProgress::ShowMessage(const std::string& text, qvt::Severity severity) {
    EndBar();
    if (severity == qvt::Severity::kError) {
        failed_ = true;
        std::fprintf(stderr, "%s\n", OneLine(text).c_str());
    } else {
        std::fprintf(out_, "%s\n", OneLine(text).c_str());
        std::fflush(out_);
    }
}

bool ConsoleProgress::AbortRequested() {
    if (Interrupted())
        aborted_ = true;
    return aborted_;
}

}  // namespace cli
