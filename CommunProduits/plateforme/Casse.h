#pragma once

// Letter case of the framework's text.

#include <string>
#include <string_view>

namespace kv::plateforme {

// Each UTF-16 unit replaced by its simple lower-case form, the same whatever
// the user's language; units without one, surrogates among them, are kept.
std::u16string EnMinuscules(std::u16string_view ATexte);

// Each UTF-16 unit replaced by its simple upper-case form, the same whatever
// the user's language ("i" is always "I"); units without one are kept: "\u00DF"
// stays, since its upper case is two letters, and surrogates stay.
std::u16string EnMajuscules(std::u16string_view ATexte);

}  // namespace kv::plateforme
