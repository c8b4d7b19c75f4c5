#pragma once

// The level calls of the releases from 2026 on.

#include <cstddef>
#include <string>
#include <vector>

#include "standin_sdk/host_common.h"

#define STANDIN_SDK_LEVELS_FORM_B 1

// The SDK's own wide text.
class SdkString {
public:
    SdkString() = default;
    SdkString(const wchar_t* text, std::size_t length) : text_(text, length) {}

    [[nodiscard]] const wchar_t* GetString() const { return text_.c_str(); }
    [[nodiscard]] int GetLength() const { return static_cast<int>(text_.size()); }

private:
    std::wstring text_;
};

STANDIN_SDK_API std::vector<int> get_active_levels();

// The numbers of the levels named exactly so (case matters); empty when none.
STANDIN_SDK_API std::vector<int> GetLevelNumbersByName(const std::wstring& name);

// Empty for a number no level has.
STANDIN_SDK_API SdkString GetLevelName(int number);
