#pragma once

// What a call layout (DispositionAppel.h) needs to know of one parameter,
// derived from its description and its serializer: size, management,
// floating point, argument positions, C++ copy semantics and scalar leaves.

#include <vector>

#include "serialisation/DispositionAppel.h"
#include "serialisation/I_SerialisateurParametre.h"

namespace kv {

class TInfoParametreServiceInvocable;

// The scalar leaves of a value of ASerialisateur, by offset: records and
// fixed arrays by their parts, an open array as its address and its two
// 4-byte integers, a raw value as integers of its alignment (at most 8
// bytes), other values as one scalar. Empty for a value larger than 16
// bytes: no convention classifies those by their parts.
std::vector<TypeFeuilleScalaire> FeuillesScalaires(ISerialisateurParametre& ASerialisateur);

// The input of a layout for AInfo, with its ModesAPriori. AResultat: AInfo is
// a function's result. The C++ form of a value decides whether its copy is a
// copy of bytes: strings, dynamic arrays and records or arrays holding them
// are not, nor an interface held as TRef (a result, a field, an element); an
// interface parameter passed by value is a plain pointer and is. Raises
// Exception when AInfo has no serializer.
TypeEntreeDisposition EntreeDisposition(TInfoParametreServiceInvocable& AInfo, bool AResultat);

}  // namespace kv
