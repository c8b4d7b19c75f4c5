# cmake -DKEY=<der file> -DOUTPUT=<cpp file> -P WriteKeyFragments.cmake
# Writes the key as three byte arrays (596 bytes, 596 bytes, the rest) that
# LoadSigningKey joins; the key is never stored whole in the program.
file(READ "${KEY}" _hex HEX)
string(LENGTH "${_hex}" _hex_length)
math(EXPR _size "${_hex_length} / 2")
if(_size LESS 1193)
  message(FATAL_ERROR "${KEY} is too short (${_size} bytes) to be an RSA private key")
endif()

function(_as_array hex out)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${hex}")
  # Sixteen bytes a line (CMake's expressions have no repeat count).
  string(REPEAT "0x..," 16 _line)
  string(REGEX REPLACE "(${_line})" "\\1\n    " _bytes "${_bytes}")
  set(${out} "${_bytes}" PARENT_SCOPE)
endfunction()

math(EXPR _third_length "${_hex_length} - 2384")
string(SUBSTRING "${_hex}" 0 1192 _first)
string(SUBSTRING "${_hex}" 1192 1192 _second)
string(SUBSTRING "${_hex}" 2384 ${_third_length} _third)
_as_array("${_first}" _first)
_as_array("${_second}" _second)
_as_array("${_third}" _third)

set(_text "// Generated from the build's signing key; not to be committed.
#include \"signing_key_fragments.h\"

namespace {
const std::uint8_t kFirst[] = {
    ${_first}
};
const std::uint8_t kSecond[] = {
    ${_second}
};
const std::uint8_t kThird[] = {
    ${_third}
};
} // namespace

std::array<std::span<const std::uint8_t>, 3> SigningKeyFragments()
{
    return {std::span<const std::uint8_t>(kFirst), std::span<const std::uint8_t>(kSecond),
            std::span<const std::uint8_t>(kThird)};
}
")
file(WRITE "${OUTPUT}.tmp" "${_text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
