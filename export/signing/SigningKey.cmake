# The private key that signs every exported file, and what the build derives
# from it. A release build passes its key; a developer's tree makes its own once.
#
# Defines rigsmith_signing_key (the key as three fragments, compiled in) and
# writes the matching public key to ${RIGSMITH_SIGNING_PUBLIC_KEY}.

set(RIGSMITH_SIGNING_KEY "" CACHE FILEPATH
  "RSA private key that signs exports (PKCS #8, DER). Empty: a development key of this build tree's own.")

find_program(RIGSMITH_OPENSSL openssl)
if(NOT RIGSMITH_OPENSSL)
  message(FATAL_ERROR "openssl is needed to derive the signing public key (Debian package openssl)")
endif()

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/signing)
if(RIGSMITH_SIGNING_KEY)
  get_filename_component(_signing_key "${RIGSMITH_SIGNING_KEY}" ABSOLUTE)
  if(NOT EXISTS "${_signing_key}")
    message(FATAL_ERROR "RIGSMITH_SIGNING_KEY names no file: ${_signing_key}")
  endif()
  message(STATUS "Exports are signed with ${_signing_key}")
else()
  set(_signing_key ${CMAKE_BINARY_DIR}/signing/development-signing-key.der)
  if(NOT EXISTS "${_signing_key}")
    message(STATUS "Making this build tree's development signing key (RSA, 6144 bits; takes a few seconds)")
    set(_raw ${CMAKE_BINARY_DIR}/signing/development-signing-key.raw.der)
    set(_pkcs8 ${CMAKE_BINARY_DIR}/signing/development-signing-key.pkcs8.der)
    # genpkey writes the traditional RSA structure, which Crypto++ does not load: wrap it as PKCS #8.
    execute_process(
      COMMAND ${RIGSMITH_OPENSSL} genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:6144 -outform DER -out ${_raw}
      RESULT_VARIABLE _generated ERROR_VARIABLE _error OUTPUT_QUIET)
    if(_generated EQUAL 0)
      execute_process(
        COMMAND ${RIGSMITH_OPENSSL} pkcs8 -topk8 -nocrypt -inform DER -outform DER -in ${_raw} -out ${_pkcs8}
        RESULT_VARIABLE _generated ERROR_VARIABLE _error OUTPUT_QUIET)
    endif()
    file(REMOVE ${_raw})
    if(NOT _generated EQUAL 0)
      file(REMOVE ${_pkcs8})
      message(FATAL_ERROR "Cannot make the development signing key: ${_error}")
    endif()
    # Only a complete key takes the final name, so an interrupted configure makes a new one.
    file(RENAME ${_pkcs8} ${_signing_key})
  endif()
  message(WARNING "No RIGSMITH_SIGNING_KEY given: exports are signed with this build tree's development key "
    "${_signing_key}. Only ${CMAKE_BINARY_DIR}/signing-public-key.pem verifies them; "
    "pass -DRIGSMITH_SIGNING_KEY=<PKCS #8 DER file> for a release.")
endif()

# Crypto++ loads only PKCS #8; refuse anything else here rather than at the first export.
execute_process(
  COMMAND ${RIGSMITH_OPENSSL} pkcs8 -nocrypt -inform DER -in ${_signing_key} -out ${CMAKE_BINARY_DIR}/signing/check.pem
  RESULT_VARIABLE _is_pkcs8 OUTPUT_QUIET ERROR_QUIET)
file(REMOVE ${CMAKE_BINARY_DIR}/signing/check.pem)
if(NOT _is_pkcs8 EQUAL 0)
  message(FATAL_ERROR "${_signing_key} is not an unencrypted PKCS #8 private key in DER form "
    "(convert it: openssl pkcs8 -topk8 -nocrypt -inform DER -outform DER -in KEY -out KEY.p8.der)")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_signing_key})

set(RIGSMITH_SIGNING_PUBLIC_KEY ${CMAKE_BINARY_DIR}/signing-public-key.pem CACHE INTERNAL "The public key that verifies this build's exports (PEM)")
set(_fragments ${CMAKE_BINARY_DIR}/generated/signing_key_fragments.cpp)

add_custom_command(
  OUTPUT ${_fragments}
  COMMAND ${CMAKE_COMMAND} -DKEY=${_signing_key} -DOUTPUT=${_fragments}
          -P ${CMAKE_CURRENT_LIST_DIR}/WriteKeyFragments.cmake
  DEPENDS ${_signing_key} ${CMAKE_CURRENT_LIST_DIR}/WriteKeyFragments.cmake
  COMMENT "Embedding the signing key"
  VERBATIM)

add_custom_command(
  OUTPUT ${RIGSMITH_SIGNING_PUBLIC_KEY}
  COMMAND ${RIGSMITH_OPENSSL} pkey -inform DER -in ${_signing_key} -pubout -out ${RIGSMITH_SIGNING_PUBLIC_KEY}
  DEPENDS ${_signing_key}
  COMMENT "Writing the signing public key"
  VERBATIM)
add_custom_target(rigsmith_signing_public_key ALL DEPENDS ${RIGSMITH_SIGNING_PUBLIC_KEY})

add_library(rigsmith_signing_key STATIC ${_fragments})
target_include_directories(rigsmith_signing_key PUBLIC ${CMAKE_CURRENT_LIST_DIR})
add_dependencies(rigsmith_signing_key rigsmith_signing_public_key)
