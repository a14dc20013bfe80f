# The version record of an executable or shared library, made at build time
# from the project's version (project(... VERSION major.minor.patch.tweak),
# missing numbers counting as 0): the fixed block that
# plateforme/RessourceVersion.h reads back, in the section ".kv_version".
#
#   kv_incorporer_version(<cible> [VERSION <x.y.z.w>])
#
# VERSION replaces the project's version, for tests of the record itself.

set(_kv_modele_version ${CMAKE_CURRENT_LIST_DIR}/EnregistrementVersion.cpp.in)

function(kv_incorporer_version cible)
  cmake_parse_arguments(PARSE_ARGV 1 _kv "" "VERSION" "")
  if(_kv_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "kv_incorporer_version : arguments inconnus ${_kv_UNPARSED_ARGUMENTS}")
  endif()
  set(_version "${PROJECT_VERSION}")
  if(DEFINED _kv_VERSION)
    set(_version "${_kv_VERSION}")
  endif()
  if(NOT _version MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
    message(FATAL_ERROR "kv_incorporer_version : version « ${_version} » invalide")
  endif()
  string(REPLACE "." ";" _nombres "${_version}")
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
    list(LENGTH _nombres _reste)
    if(_reste GREATER 0)
      list(POP_FRONT _nombres _nombre)
    else()
      set(_nombre 0)
    endif()
    # Each number has 16 bits of the record.
    if(_nombre GREATER 65535)
      message(FATAL_ERROR "kv_incorporer_version : le numéro ${_nombre} de la version ${_version} dépasse 65535")
    endif()
    # Written in decimal in the source: drop the leading zeros CMake keeps.
    math(EXPR KV_VERSION_${_partie} "${_nombre}")
  endforeach()

  set(_source ${CMAKE_CURRENT_BINARY_DIR}/${cible}_EnregistrementVersion.cpp)
  configure_file(${_kv_modele_version} ${_source} @ONLY)
  target_sources(${cible} PRIVATE ${_source})
endfunction()
