#pragma once

// The one converter between the framework's UTF-16 text and the UTF-8 of this
// machine's system calls and streams. Only the platform layer calls it.

#include <optional>
#include <string>
#include <string_view>

namespace kv::plateforme {

// A lone surrogate becomes U+FFFD.
std::string VersUtf8(std::u16string_view ATexte);
// Nothing when the text holds a lone surrogate.
std::optional<std::string> VersUtf8Strict(std::u16string_view ATexte);

// Each maximal ill-formed subsequence becomes one U+FFFD.
std::u16string DepuisUtf8(std::string_view ATexte);
// Nothing when the input is not well-formed UTF-8.
std::optional<std::u16string> DepuisUtf8Strict(std::string_view ATexte);

}  // namespace kv::plateforme
