#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// A command line split into the command, its positional arguments and its
// options ("--name VALUE", "--name=VALUE", or "--name" alone for a flag).
struct CommandLine {
    std::wstring command;
    std::vector<std::wstring> arguments;
    std::map<std::wstring, std::wstring> options;
    std::vector<std::wstring> flags;

    [[nodiscard]] bool HasFlag(const std::wstring& name) const;
    [[nodiscard]] std::optional<std::wstring> Option(const std::wstring& name) const;
};

// Splits argv (without the program name). `valueOptions` are the options that
// take a value; every other "--name" is a flag. Empty, with the reason in
// `error`, when an option lacks its value.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::wstring>& args,
                                            const std::vector<std::wstring>& valueOptions, std::wstring& error);
