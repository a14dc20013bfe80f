#pragma once

// Helpers of the ICU manager and of its comparers.

#include <cstdint>
#include <string>
#include <string_view>

#include "commun/Exception.h"

namespace kv {

// A failure reported by ICU.
KV_DECLARER_EXCEPTION(EErreurIcu, Exception);

// The name of the locale ALcid ("fr-FR"; "" for the invariant locale). Raises
// the system error "LCIDToLocaleName" when the system knows no such locale.
std::u16string NomLocaleDepuisLcid(std::uint32_t ALcid);

// True for the invariant locale's name, the empty text; a null name stands for
// the user's locale.
bool EstNomLocaleInvariant(const char16_t* ALocale) noexcept;

// Makes a text ready for ICU the way the platform reads texts: a negative
// length becomes the length up to the first zero. False, with the system's
// last error set, for a null text that is not empty (EINVAL) and for a text
// longer than an int can count (EOVERFLOW), read no further than where the
// zero of a text of INT_MAX units would be.
bool MesurerTexte(const char16_t* AChaine, int& ALongueur) noexcept;

// ICU's test of a status: failures are positive, warnings negative.
constexpr bool EchecIcu(std::int32_t ACode) noexcept { return ACode > 0; }

// The failure of the ICU function AFonction with the status ACode, built and
// not raised.
EErreurIcu ErreurIcu(std::int32_t ACode, std::u16string_view AFonction);

}  // namespace kv
