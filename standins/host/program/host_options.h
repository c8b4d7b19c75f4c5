#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

// The stand-in host program's command line.
struct HostOptions {
    std::wstring drawing;  // empty: start with an empty drawing
    std::wstring addin;    // empty: no add-in
    std::wstring log;      // empty: no log
    std::optional<int> hostVersion;  // default: the release's version base
    bool runCommand = false;
    std::vector<int> runCommandAfterMs;
    std::optional<int> exitAfterMs;
};

struct HostOptionsResult {
    std::optional<HostOptions> options;
    std::string error;
};

inline constexpr char kHostUsage[] =
    "usage: StandinHost<release> [--drawing FILE] [--addin DLL] [--host-version N] [--run-command] "
    "[--run-command-after-ms N]... [--exit-after-ms N] [--log FILE]";

// The arguments after the program name.
HostOptionsResult ParseHostOptions(const std::vector<std::wstring>& arguments);

} // namespace standin
