# Options shared by every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
if(TALVANE_WERROR)
  add_compile_options(-Werror)
endif()

if(TALVANE_SANITISEURS)
  set(_kv_sanitiseurs -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_kv_sanitiseurs})
  add_link_options(${_kv_sanitiseurs})
endif()

# Declares one framework library: sources of the current folder, headers found as
# "<subsystem>/<Header>.h" from the CommunProduits folder.
function(kv_bibliotheque nom)
  add_library(${nom} STATIC ${ARGN})
  target_include_directories(${nom} PUBLIC ${PROJECT_SOURCE_DIR}/CommunProduits)
endfunction()

# Fuzzing with libFuzzer: everything is instrumented for coverage and checked by
# the sanitizers; only the fuzz targets (tests/fuzz) take libFuzzer's main.
if(TALVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TALVANE_FUZZ demande clang (CXX=clang++)")
  endif()
  set(_kv_fuzz -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_compile_options(${_kv_fuzz})
  add_link_options(-fsanitize=address,undefined)
endif()
