#pragma once

#include <cstdint>
#include <string_view>

#include "serialisation/I_Formatter.h"

namespace kv {

// Reads the count of the items that follow in AFormateur's stream. Each item
// takes at least one byte, so a negative count or one beyond the bytes left
// is corrupt: EReadError, naming the items (AQuoi, plural), before anything is
// made for them.
std::int32_t LireNombreAnnonce(IFormatter& AFormateur, std::u16string_view AQuoi);

}  // namespace kv
