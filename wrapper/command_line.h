#pragma once

#include <optional>
#include <string>
#include <string_view>

// The options the add-in passes to the editor host program. Each is found by
// its first occurrence anywhere in the text; anything else is ignored.
struct WrapperOptions {
    std::optional<std::string> language;
    std::optional<std::string> machineDirectory;
    std::optional<int> defaultUnit;
    std::optional<std::string> pipeName;
};

// Parses the command line text after the program name (UTF-8).
WrapperOptions ParseWrapperOptions(std::string_view commandLine);

// The value of `key` written as key"value": the text between the first double
// quote at or after the key and the next one (or the end). Missing when the key
// is absent or no double quote follows it.
std::optional<std::string> QuotedOption(std::string_view commandLine, std::string_view key);

// The integer written directly after `key`, read as a stream reads one (leading
// blanks skipped, reading stops at the first character that cannot continue
// it); 0 when none can be read or it does not fit. Missing when the key is absent.
std::optional<int> IntegerOption(std::string_view commandLine, std::string_view key);
