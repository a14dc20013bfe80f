#pragma once

// The process-wide slot of the CompareString interceptor. While it holds one,
// the platform's locale-aware comparison entry is routed to it; emptying the
// slot puts back exactly the entry that was there before.

#include "comparaison/I_IntercepteurCompareString.h"
#include "objets/Reference.h"

namespace kv {

// The interceptor in place; null when the system answers.
TRef<IIntercepteurCompareString> IntercepteurCompareString() noexcept;

// Puts AIntercepteur in the slot, keeping it alive, or empties the slot with
// null, releasing the previous one. Main thread only. Emptying never raises.
void DefinirIntercepteurCompareString(TRef<IIntercepteurCompareString> AIntercepteur);

}  // namespace kv
