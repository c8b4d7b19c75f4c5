#pragma once

#include <cryptopp/rsa.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "file_set.h"
#include "file_set_archive_reader.h"

// A folder of the test's own under the system's temporary folder, removed with
// everything in it when the object goes. Unlike tests/support's ScratchFolder
// it builds natively too, and takes UTF-8 paths with '/' in both trees.
class PortableScratchFolder {
public:
    PortableScratchFolder();
    ~PortableScratchFolder();
    PortableScratchFolder(const PortableScratchFolder&) = delete;
    PortableScratchFolder& operator=(const PortableScratchFolder&) = delete;

    // `relative` uses '/'; folders on the way are made.
    void Write(std::string_view relative, std::string_view content) const;
    void Write(std::string_view relative, const Bytes& content) const;
    [[nodiscard]] std::string Read(std::string_view relative) const;
    [[nodiscard]] bool Exists(std::string_view relative) const;

    // The path as the export takes it: wide, with the system's separators.
    [[nodiscard]] std::wstring Path(std::string_view relative = {}) const;
    [[nodiscard]] const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path root_;
};

Bytes ToBytes(std::string_view text);
std::string ToText(std::span<const std::uint8_t> bytes);

// The build's public key, read from the PEM file the build wrote, without the
// code under test.
CryptoPP::RSAFunction BuildPublicKey();

// The entries of a signed container's archive (name to content); fails the
// current test when the container or archive is malformed or the signature
// does not verify with the build's public key.
std::map<std::string, std::string> OpenSignedFile(std::span<const std::uint8_t> container);

// Decompresses with Crypto++'s own Gunzip, independent of the archive reader.
std::string Gunzip(std::span<const std::uint8_t> archive);
