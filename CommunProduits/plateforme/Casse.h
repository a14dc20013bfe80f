#pragma once

// Letter case of the framework's text.

#include <string>
#include <string_view>

namespace kv::plateforme {

// Each UTF-16 unit replaced by its simple lower-case form, the same whatever
// the user's language; units without one, surrogates among them, are kept.
std::u16string EnMinuscules(std::u16string_view ATexte);

}  // namespace kv::plateforme
