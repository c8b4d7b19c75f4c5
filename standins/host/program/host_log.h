#pragma once

#include <string>

namespace standin {

// What the stand-in host did, one UTF-8 line at a time, appended to a file so
// that tests and demos can follow it while the program runs.
class HostLog {
public:
    explicit HostLog(std::wstring path) : path_(std::move(path)) {}

    void Line(const std::string& text) const;

private:
    std::wstring path_;  // empty: lines go nowhere
};

} // namespace standin
