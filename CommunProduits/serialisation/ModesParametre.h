#pragma once

// How a parameter of a described method travels.

#include <cstdint>

namespace kv {

enum class TypeModeParametre : std::uint8_t {
  mpEntrant,       // the value goes in
  mpSortant,       // the value comes out
  mpParReference,  // the call frame holds the address of the value, not the value
  mpRegles32En64,  // the 32-bit passing rules apply
};

// A set of modes: bit i for the mode of ordinal i.
using TypeModesParametre = std::uint8_t;

constexpr TypeModesParametre ModeParametre(TypeModeParametre AMode) noexcept {
  return static_cast<TypeModesParametre>(1u << static_cast<unsigned>(AMode));
}

constexpr bool ContientMode(TypeModesParametre AModes, TypeModeParametre AMode) noexcept {
  return (AModes & ModeParametre(AMode)) != 0;
}

inline constexpr TypeModesParametre mpsEntrant = ModeParametre(TypeModeParametre::mpEntrant);
inline constexpr TypeModesParametre mpsSortant = ModeParametre(TypeModeParametre::mpSortant);
inline constexpr TypeModesParametre mpsParReference =
    ModeParametre(TypeModeParametre::mpParReference);
inline constexpr TypeModesParametre mpsRegles32En64 =
    ModeParametre(TypeModeParametre::mpRegles32En64);

}  // namespace kv
