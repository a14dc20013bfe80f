#pragma once

// Standard streams. Text is written as UTF-8, each line whole and followed by
// this machine's line end.

#include <string_view>

namespace kv::plateforme {

// Readies the standard streams once, before the first write: a write to a
// closed pipe then fails with an error instead of ending the process.
void PreparerFluxStandard();

// Raises EInOutError when the line cannot be written.
void EcrireLigneSortie(std::u16string_view ALigne);
// Best effort: the error stream is the last place left to report anything.
void EcrireLigneErreur(std::u16string_view ALigne) noexcept;

// Blocks until a line has been read from standard input, which is discarded,
// or until the input ends or fails.
void IgnorerLigneEntree();

}  // namespace kv::plateforme
