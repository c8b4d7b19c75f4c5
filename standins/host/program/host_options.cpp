#include "host_options.h"

#include <climits>
#include <cwchar>

#include "text_encoding.h"

namespace standin {

namespace {

std::optional<int> WholeNumber(const std::wstring& text, int lowest)
{
    // Digits with an optional minus sign; no blanks, no plus sign.
    const bool startsWell = !text.empty() && (text[0] == L'-' || (text[0] >= L'0' && text[0] <= L'9'));
    if (!startsWell || text.size() > 11) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text.c_str(), &end, 10);
    if (end != text.c_str() + text.size() || value < lowest || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string Quoted(const std::wstring& text)
{
    std::string quoted(1, '"');
    quoted += WideToUtf8(text);
    quoted += '"';
    return quoted;
}

} // namespace

HostOptionsResult ParseHostOptions(const std::vector<std::wstring>& arguments)
{
    HostOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& name = arguments[i];
        if (name == L"--run-command") {
            options.runCommand = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            return {std::nullopt, Quoted(name) + " is not an option of this program or lacks its value"};
        }
        const std::wstring& value = arguments[++i];
        const auto Number = [&](int lowest) -> std::optional<int> { return WholeNumber(value, lowest); };
        if (name == L"--drawing") {
            options.drawing = value;
        } else if (name == L"--addin") {
            options.addin = value;
        } else if (name == L"--log") {
            options.log = value;
        } else if (name == L"--host-version" && Number(INT_MIN)) {
            options.hostVersion = Number(INT_MIN);
        } else if (name == L"--run-command-after-ms" && Number(0)) {
            options.runCommandAfterMs.push_back(*Number(0));
        } else if (name == L"--exit-after-ms" && Number(0)) {
            options.exitAfterMs = Number(0);
        } else {
            return {std::nullopt, Quoted(name + L" " + value) + " is not understood"};
        }
    }
    return {options, {}};
}

} // namespace standin
