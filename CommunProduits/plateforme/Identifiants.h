#pragma once

// New identifiers from the system's random source.

#include <array>
#include <cstdint>

namespace kv::plateforme {

// The 16 bytes of an identifier in the order of its text form (the first
// group's most significant byte first).
using TypeOctetsIdentifiant = std::array<std::uint8_t, 16>;

// A new random identifier of version 4: 122 random bits, the version 4 in the
// high half of byte 6 and the variant bits 10 at the top of byte 8. The bits
// come from the system's random source; raises Exception when it cannot give
// them, never answers a weaker identifier.
TypeOctetsIdentifiant NouvelIdentifiantAleatoire();

}  // namespace kv::plateforme
