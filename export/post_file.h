#pragma once

#include <optional>
#include <string>

#include "file_set.h"

// An external post processor file shipped with a machine.
struct PostFile {
    std::string name; // the text after the path's last separator, UTF-8
    Bytes bytes;
};

// Reads the post file at `postPath` into `post` (left empty for an empty
// path). False when a path is given but the file cannot be read whole: an
// export must not silently go without the post the user chose. An empty file
// is a post without bytes. `failure`, when given, receives the reason.
bool ReadPostFile(const std::wstring& postPath, std::optional<PostFile>& post, std::string* failure = nullptr);
