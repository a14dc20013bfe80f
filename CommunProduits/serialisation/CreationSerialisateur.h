#pragma once

// The serializer of a type, made from its type information (objets/InfoType.h).

#include <span>

#include "commun/Exception.h"
#include "objets/InfoType.h"
#include "objets/Reference.h"
#include "serialisation/I_SerialisateurParametre.h"

namespace kv {

// The serializer of AType, with those of its parts (record fields, array
// elements) made the same way:
//
//   ordinal                        Raw of its size, aligned on its size
//   floating point                 Flottant of 4 (single) or 8 (double) bytes
//   set                            Raw of its bytes, alignment 1
//   class                          Object
//   static array                   TableauTailleFixe of its elements; Raw of
//                                  its size when the element type is unknown
//   the GUID record                Raw of 16 bytes, alignment 4
//   record                         Record of its fields (compactness detected);
//                                  Raw of its size, aligned on its largest
//                                  field, when its last field of two or more
//                                  lies at offset 0 (overlapping variants)
//   interface                      Interface of its GUID
//   64-bit integer                 Raw of 8 bytes
//   dynamic array                  TableauDynamique of the managed element
//                                  type, else of the element type, else Raw
//                                  of the element size
//   string                         String
//
// Null for a kind outside these. Raises Exception ("Type interdit dans une
// structure de ce genre") when AType or one of its parts is among
// ATypesInterdits (told by identity).
TRef<ISerialisateurParametre> CreerSerialisateur(
    const TInfoType& AType, std::span<const TInfoType* const> ATypesInterdits = {});

}  // namespace kv
