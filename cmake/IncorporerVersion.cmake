# The version record of an executable or shared library, made at build time
# from the project's version (project(... VERSION major.minor.patch.tweak),
# missing numbers counting as 0): the fixed block that
# plateforme/RessourceVersion.h reads back, in the section ".kv_version".

set(_kv_modele_version ${CMAKE_CURRENT_LIST_DIR}/EnregistrementVersion.cpp.in)

function(kv_incorporer_version cible)
  get_target_property(_type ${cible} TYPE)
  if(_type STREQUAL "EXECUTABLE")
    set(KV_TYPE_FICHIER 1)  # application
  elseif(_type STREQUAL "SHARED_LIBRARY" OR _type STREQUAL "MODULE_LIBRARY")
    set(KV_TYPE_FICHIER 2)  # dynamic library
  else()
    # Linked into other files, the record would end up in each of them.
    message(FATAL_ERROR "kv_incorporer_version : ${cible} n'est ni un exécutable ni une bibliothèque dynamique")
  endif()

  set(KV_CIBLE ${cible})
  foreach(_partie MAJOR MINOR PATCH TWEAK)
    set(_nombre "${PROJECT_VERSION_${_partie}}")
    if(_nombre STREQUAL "")
      set(_nombre 0)
    endif()
    # Each number has 16 bits of the record.
    if(_nombre GREATER 65535)
      message(FATAL_ERROR "kv_incorporer_version : le numéro ${_nombre} de la version ${PROJECT_VERSION} dépasse 65535")
    endif()
    # Written in decimal in the source: drop the leading zeros CMake keeps.
    math(EXPR KV_VERSION_${_partie} "${_nombre}")
  endforeach()

  set(_source ${CMAKE_CURRENT_BINARY_DIR}/${cible}_EnregistrementVersion.cpp)
  configure_file(${_kv_modele_version} ${_source} @ONLY)
  target_sources(${cible} PRIVATE ${_source})
endfunction()
