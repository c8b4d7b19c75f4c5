find_package(Threads REQUIRED)

# Crypto++: Debian names it crypto++, the mingw build (and vcpkg) cryptopp.
find_path(CRYPTOPP_INCLUDE_DIR NAMES cryptopp/rsa.h)
find_library(CRYPTOPP_LIBRARY NAMES cryptopp crypto++)
if(NOT CRYPTOPP_INCLUDE_DIR OR NOT CRYPTOPP_LIBRARY)
  message(FATAL_ERROR "Crypto++ not found (run scripts/test, which installs or builds it)")
endif()
add_library(rigsmith_cryptopp INTERFACE)
target_include_directories(rigsmith_cryptopp SYSTEM INTERFACE ${CRYPTOPP_INCLUDE_DIR})
target_link_libraries(rigsmith_cryptopp INTERFACE ${CRYPTOPP_LIBRARY})
if(RIGSMITH_WINDOWS)
  # The random-number provider uses BCrypt from _WIN32_WINNT 0x0602 on; mingw ignores #pragma comment(lib).
  target_link_libraries(rigsmith_cryptopp INTERFACE bcrypt)
endif()

find_path(JSONCPP_INCLUDE_DIR NAMES json/json.h PATH_SUFFIXES jsoncpp)
find_library(JSONCPP_LIBRARY NAMES jsoncpp jsoncpp_static)
if(NOT JSONCPP_INCLUDE_DIR OR NOT JSONCPP_LIBRARY)
  message(FATAL_ERROR "JsonCpp not found (run scripts/test, which installs or builds it)")
endif()
add_library(rigsmith_jsoncpp INTERFACE)
target_include_directories(rigsmith_jsoncpp SYSTEM INTERFACE ${JSONCPP_INCLUDE_DIR})
target_link_libraries(rigsmith_jsoncpp INTERFACE ${JSONCPP_LIBRARY})

# GoogleTest from Debian's sources, built with the tree's own compiler.
set(RIGSMITH_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${RIGSMITH_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
