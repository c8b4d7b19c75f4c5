#include "pick_script.h"

#include <charconv>

namespace standin {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

std::optional<ScriptedPick> ParseLine(std::string_view line)
{
    ScriptedPick pick;
    std::size_t position = 0;
    while (position < line.size()) {
        if (IsSeparator(line[position])) {
            ++position;
            continue;
        }
        std::size_t end = position;
        while (end < line.size() && !IsSeparator(line[end])) {
            ++end;
        }
        const std::string_view token = line.substr(position, end - position);
        position = end;
        if (token == "cancel") {
            pick.cancelled = true;
            continue;
        }
        std::int32_t number = 0;
        const auto [last, error] = std::from_chars(token.data(), token.data() + token.size(), number);
        if (error != std::errc() || last != token.data() + token.size()) {
            return std::nullopt;
        }
        pick.entityNumbers.push_back(number);
    }
    if (pick.cancelled && !pick.entityNumbers.empty()) {
        return std::nullopt;
    }
    return pick;
}

} // namespace

std::optional<ScriptedPick> ScriptedPickOfCall(std::string_view script, std::size_t call)
{
    std::size_t lineStart = 0;
    for (std::size_t line = 0; lineStart < script.size(); ++line) {
        std::size_t lineEnd = script.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = script.size();
        }
        if (line == call) {
            return ParseLine(script.substr(lineStart, lineEnd - lineStart));
        }
        lineStart = lineEnd + 1;
    }
    return ScriptedPick{true, {}};
}

} // namespace standin
