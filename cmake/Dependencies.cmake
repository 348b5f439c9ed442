find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)

# The static archive keeps the resident size of the program small; the
# shared library is the fallback where no archive is installed.
find_library(QM_CRYPTOPP_STATIC NAMES libcrypto++.a libcryptopp.a)
find_path(QM_CRYPTOPP_INCLUDE NAMES crypto++/cryptlib.h cryptopp/cryptlib.h REQUIRED)
add_library(qm_cryptopp_lib INTERFACE)
if(QM_CRYPTOPP_STATIC)
  target_link_libraries(qm_cryptopp_lib INTERFACE ${QM_CRYPTOPP_STATIC})
else()
  pkg_check_modules(CRYPTOPP REQUIRED IMPORTED_TARGET libcrypto++)
  target_link_libraries(qm_cryptopp_lib INTERFACE PkgConfig::CRYPTOPP)
endif()
target_include_directories(qm_cryptopp_lib SYSTEM INTERFACE ${QM_CRYPTOPP_INCLUDE})
