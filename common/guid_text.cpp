#include "guid_text.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>

std::string MakeGuidString()
{
    GUID guid{};
    if (FAILED(::CoCreateGuid(&guid))) {
        return {};
    }
    char text[37] = {};
    std::snprintf(text, sizeof(text), "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned long>(guid.Data1), static_cast<unsigned>(guid.Data2),
                  static_cast<unsigned>(guid.Data3), static_cast<unsigned>(guid.Data4[0]),
                  static_cast<unsigned>(guid.Data4[1]), static_cast<unsigned>(guid.Data4[2]),
                  static_cast<unsigned>(guid.Data4[3]), static_cast<unsigned>(guid.Data4[4]),
                  static_cast<unsigned>(guid.Data4[5]), static_cast<unsigned>(guid.Data4[6]),
                  static_cast<unsigned>(guid.Data4[7]));
    return text;
}

std::wstring MakeGuidWString()
{
    const std::string narrow = MakeGuidString();
    return std::wstring(narrow.begin(), narrow.end());
}
