#include "post_file.h"

#include "export_failure.h"
#include "machine_paths.h"
#include "text_encoding.h"
#include "whole_file.h"

bool ReadPostFile(const std::wstring& postPath, std::optional<PostFile>& post, std::string* failure)
{
    post.reset();
    if (postPath.empty()) {
        return true;
    }
    PostFile file;
    file.name = WideToUtf8(FileNameOfPath(postPath));
    const int result = ReadWholeFile(postPath, file.bytes);
    if (file.name.empty()) {
        return Fail(failure, "the post file path " + WideToUtf8(postPath) + " names no file");
    }
    if (result != kWholeFileRead && result != kWholeFileEmpty) {
        return Fail(failure, DescribeReadFailure(result, postPath));
    }
    post = std::move(file);
    return true;
}
