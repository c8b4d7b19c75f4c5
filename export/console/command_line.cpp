#include "command_line.h"

#include <algorithm>

bool CommandLine::HasFlag(const std::wstring& name) const
{
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

std::optional<std::wstring> CommandLine::Option(const std::wstring& name) const
{
    const auto found = options.find(name);
    return found == options.end() ? std::nullopt : std::optional<std::wstring>(found->second);
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::wstring>& args,
                                            const std::vector<std::wstring>& valueOptions, std::wstring& error)
{
    CommandLine line;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (optionsEnded || arg.size() < 3 || !arg.starts_with(L"--")) {
            if (arg == L"--") {
                optionsEnded = true;
            } else if (line.command.empty()) {
                line.command = arg;
            } else {
                line.arguments.push_back(arg);
            }
            continue;
        }
        const size_t equals = arg.find(L'=');
        const std::wstring name = arg.substr(2, equals == std::wstring::npos ? std::wstring::npos : equals - 2);
        const bool takesValue = std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end();
        if (!takesValue) {
            if (equals != std::wstring::npos) {
                error = L"--" + name + L" takes no value";
                return std::nullopt;
            }
            line.flags.push_back(name);
        } else if (equals != std::wstring::npos) {
            line.options[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            line.options[name] = args[++i];
        } else {
            error = L"--" + name + L" needs a value";
            return std::nullopt;
        }
    }
    return line;
}
