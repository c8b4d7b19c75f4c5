#include "resource_module.h"

#include <atomic>

namespace {

std::atomic<HINSTANCE> g_resourceModule{nullptr};

} // namespace

HINSTANCE ModuleOfThisCode()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ModuleOfThisCode), &module);
    return module;
}

HINSTANCE CurrentResourceModule()
{
    HINSTANCE module = g_resourceModule.load();
    return module != nullptr ? module : ModuleOfThisCode();
}

void SetCurrentResourceModule(HINSTANCE module)
{
    g_resourceModule.store(module);
}

ScopedResourceModule::ScopedResourceModule(HINSTANCE module)
{
    if (module == nullptr || module == g_resourceModule.load()) {
        return;
    }
    previous_ = g_resourceModule.exchange(module);
    switched_ = true;
}

ScopedResourceModule::~ScopedResourceModule()
{
    if (switched_) {
        g_resourceModule.store(previous_);
    }
}
