#pragma once

// Locales of this machine, named the way the framework names them: by a
// numeric identifier or by a tag such as "fr-FR".

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv::plateforme {

// Identifiers with a fixed meaning.
inline constexpr std::uint32_t IdLocaleInvariante = 0x7F;  // the name ""
inline constexpr std::uint32_t IdLocaleUtilisateurParDefaut = 0x400;
inline constexpr std::uint32_t IdLocaleSystemeParDefaut = 0x800;
// A locale of the machine that has no identifier of its own.
inline constexpr std::uint32_t IdLocalePersonnalisee = 0x1000;

// Room for the longest locale name, its terminating zero included.
inline constexpr int LongueurMaxNomLocale = 85;

// A locale name this layer accepts: "" or up to LongueurMaxNomLocale - 1 ASCII
// letters, digits, '-' and '_'. Anything else could not name a locale of the
// machine, and a '/' or '.' would reach the system as a path.
bool EstNomLocaleValide(std::u16string_view ANom) noexcept;

// The user's locale tag ("fr-FR"), from the first of LC_ALL, LC_COLLATE and
// LANG that is set and not empty: language and territory, the codeset and
// modifier dropped ("fr_FR.UTF-8@euro" gives "fr-FR"). Empty (the invariant
// locale) for the C and POSIX locales, when none is set, or when the value
// does not give a valid name.
std::u16string NomLocaleUtilisateur();

// The identifier of the user's locale: the one of NomLocaleUtilisateur when it
// has one, IdLocaleInvariante for the invariant locale, else
// IdLocalePersonnalisee.
std::uint32_t IdLocaleUtilisateur();

// Writes the name of the locale ALcid followed by a zero into ATampon and
// answers the number of units written, the zero included. The two defaults and
// IdLocalePersonnalisee name the user's locale. Answers 0, with the last system
// error set, for an unknown identifier or a buffer too small.
int NomLocaleDepuisIdentifiant(std::uint32_t ALcid, std::span<char16_t> ATampon);

// The identifier of a locale name, letter case ignored; IdLocaleInvariante for
// "". Answers 0, with the last system error set, for a name without one.
std::uint32_t IdentifiantDepuisNomLocale(std::u16string_view ANom) noexcept;

// The locales that have an identifier of their own, each once.
struct TypeLocaleConnue {
  std::uint32_t Identifiant;
  std::u16string_view Nom;
};
std::span<const TypeLocaleConnue> LocalesConnues() noexcept;

}  // namespace kv::plateforme
