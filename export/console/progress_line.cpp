#include "progress_line.h"

#include <cstdio>

#include "console_output.h"
#include "text_encoding.h"

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kConsoleInterval = std::chrono::milliseconds(250);
constexpr auto kLogInterval = std::chrono::seconds(5);

} // namespace

ProgressLine::ProgressLine(std::wstring subject)
    : subject_(std::move(subject)), console_(StandardErrorIsConsole()), start_(Clock::now())
{
}

ProgressLine::~ProgressLine()
{
    if (shown_ && console_) {
        WriteToStandardError(L"\n");
    }
}

void ProgressLine::Update(std::string_view step, std::uint64_t done, std::uint64_t total)
{
    const Clock::time_point now = Clock::now();
    const bool newStep = step != lastStep_;
    if (now - start_ < kQuietStart || (!newStep && now - lastShown_ < (console_ ? kConsoleInterval : kLogInterval))) {
        return;
    }
    lastShown_ = now;
    lastStep_ = step;
    wchar_t amount[96] = {};
    if (total > 0) {
        std::swprintf(amount, std::size(amount), L" %3u%% (%.1f of %.1f MB)",
                      static_cast<unsigned>(done * 100 / total), static_cast<double>(done) / 1e6,
                      static_cast<double>(total) / 1e6);
    }
    const std::wstring text = L"rigsmith: " + subject_ + L": " + Utf8ToWide(step) + amount;
    WriteToStandardError(console_ ? L"\r" + text + L"   " : text + L"\n");
    shown_ = true;
}
