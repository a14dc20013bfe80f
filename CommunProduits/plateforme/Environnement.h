#pragma once

// The process's environment variables.

#include <optional>
#include <string>
#include <string_view>

namespace kv::plateforme {

// The value of the variable; nothing when it is not defined or ANom cannot name
// one (empty, or holding '=' or NUL). Names are case-sensitive on this machine.
// Bytes that are not UTF-8 become U+FFFD.
std::optional<std::u16string> VariableEnvironnement(std::u16string_view ANom);

// The text with each reference %NAME% replaced by the variable's value. A
// reference to a variable that is not defined ("%%" among them) stays as
// written, and so does a '%' that no other closes; the scan goes on after the
// reference. Empty when the expansion fails, which it does not on this machine.
std::u16string DevelopperVariablesEnvironnement(std::u16string_view ATexte);

}  // namespace kv::plateforme
