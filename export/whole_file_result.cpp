#include "text_encoding.h"
#include "whole_file.h"

std::string DescribeReadFailure(int result, const std::wstring& path)
{
    const char* why = "unknown failure";
    switch (result) {
    case kWholeFileRead:
        why = "no failure";
        break;
    case kWholeFileNotReadable:
        why = "the file cannot be opened";
        break;
    case kWholeFileReadFailed:
        why = "reading it failed";
        break;
    case kWholeFileTooLarge:
        why = "it is larger than 4 GiB";
        break;
    case kWholeFileEmpty:
        why = "it is empty";
        break;
    }
    return "cannot read " + WideToUtf8(path) + ": " + why;
}
