#include "command_line.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

std::optional<std::string> QuotedOption(std::string_view commandLine, std::string_view key)
{
    const size_t keyAt = commandLine.find(key);
    if (keyAt == std::string_view::npos) {
        return std::nullopt;
    }
    const size_t open = commandLine.find('"', keyAt + key.size());
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    const size_t close = commandLine.find('"', open + 1);
    const size_t end = close == std::string_view::npos ? commandLine.size() : close;
    return std::string(commandLine.substr(open + 1, end - open - 1));
}

std::optional<int> IntegerOption(std::string_view commandLine, std::string_view key)
{
    const size_t keyAt = commandLine.find(key);
    if (keyAt == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string rest(commandLine.substr(keyAt + key.size()));
    size_t start = 0;
    while (start < rest.size() && (rest[start] == ' ' || rest[start] == '\t' || rest[start] == '\n' ||
                                   rest[start] == '\r' || rest[start] == '\v' || rest[start] == '\f')) {
        ++start;
    }
    const char* begin = rest.c_str() + start;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return 0;
    }
    return static_cast<int>(value);
}

WrapperOptions ParseWrapperOptions(std::string_view commandLine)
{
    WrapperOptions options;
    options.language = QuotedOption(commandLine, "--language=");
    options.machineDirectory = QuotedOption(commandLine, "--machineDirectory=");
    options.defaultUnit = IntegerOption(commandLine, "--defaultUnit=");
    options.pipeName = QuotedOption(commandLine, "--pipeName=");
    return options;
}
