#pragma once

#include <string>

#include "file_set.h"

// Results of ReadWholeFile.
enum WholeFileResult : int {
    kWholeFileRead = 0,        // `bytes` holds the whole file
    kWholeFileNotReadable = 1, // the file cannot be opened for reading (IsReadableFile is false)
    kWholeFileReadFailed = 2,  // opened, but its size or bytes could not be read
    kWholeFileTooLarge = 3,    // longer than 0xFFFFFFFF bytes; nothing is read
    kWholeFileEmpty = 4,       // the file has no bytes
};

// Reads a file whole into `bytes` (left empty unless the result is kWholeFileRead).
int ReadWholeFile(const std::wstring& path, Bytes& bytes);

// True when the path names a file that can be opened for reading (a folder is not one).
bool IsReadableFile(const std::wstring& path);

// "cannot read <path>: <why>", in UTF-8, for a result other than kWholeFileRead.
std::string DescribeReadFailure(int result, const std::wstring& path);
