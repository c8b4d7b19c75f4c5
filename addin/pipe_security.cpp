#include "pipe_security.h"

#include <sddl.h>

#include <memory>
#include <string>

#include "unique_handle.h"

namespace {

std::wstring CurrentUserSidText()
{
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &rawToken)) {
        return {};
    }
    const UniqueHandle token(rawToken);
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size == 0) {
        return {};
    }
    auto buffer = std::make_unique<BYTE[]>(size);
    if (!::GetTokenInformation(token.Get(), TokenUser, buffer.get(), size, &size)) {
        return {};
    }
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.get());
    wchar_t* sidText = nullptr;
    if (!::ConvertSidToStringSidW(user->User.Sid, &sidText)) {
        return {};
    }
    std::wstring text(sidText);
    ::LocalFree(sidText);
    return text;
}

} // namespace

CurrentUserOnlySecurity::CurrentUserOnlySecurity()
{
    const std::wstring sid = CurrentUserSidText();
    if (sid.empty()) {
        return;
    }
    // Protected DACL: deny network logons, allow the current user full access, nobody else.
    const std::wstring sddl = L"D:P(D;;GA;;;NU)(A;;GA;;;" + sid + L")";
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor_,
                                                                nullptr)) {
        descriptor_ = nullptr;
        return;
    }
    attributes_.nLength = sizeof(attributes_);
    attributes_.lpSecurityDescriptor = descriptor_;
    attributes_.bInheritHandle = FALSE;
}

CurrentUserOnlySecurity::~CurrentUserOnlySecurity()
{
    if (descriptor_ != nullptr) {
        ::LocalFree(descriptor_);
    }
}
