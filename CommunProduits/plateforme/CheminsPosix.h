#pragma once

// Private to the POSIX sources of the platform layer.

#include <optional>
#include <string>
#include <string_view>

namespace kv::plateforme {

// The bytes the system calls take for a path; nothing when the path cannot be
// handed over unchanged (a lone surrogate, or a NUL that would cut it short).
std::optional<std::string> CheminSysteme(std::u16string_view AChemin);

// ANom in the folder ADossier: one separator between them, none added to an
// empty folder.
std::u16string Joindre(std::u16string ADossier, std::u16string_view ANom);

}  // namespace kv::plateforme
