#pragma once

#include <memory>
#include <string>

#include "child_process.h"
#include "unique_handle.h"

// Another process that holds a file open without sharing it, until this
// object goes (or Release is called).
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    void Release();

private:
    UniqueHandle held_;
    UniqueHandle release_;
    std::unique_ptr<ChildProcess> holder_;
};
