#pragma once

// Locale-aware comparison of text. Every such comparison of the framework goes
// through one entry point, CompareString, which the string-comparison
// subsystem may redirect process-wide to its own comparison and put back.
//
// Results follow the platform's convention: 1 when the first text sorts
// before the second, 2 when they are equal, 3 when it sorts after, and 0 for a
// failure, with the last system error set. A negative length stands for a
// zero-terminated text; a null text with a length other than 0 is a failure.

#include <cstdint>
#include <string_view>

namespace kv::plateforme {

// Comparison flags; other bits are ignored.
inline constexpr std::uint32_t IgnorerCasse = 1;
inline constexpr std::uint32_t IgnorerDiacritiques = 2;

inline constexpr int ComparaisonInferieure = 1;
inline constexpr int ComparaisonEgale = 2;
inline constexpr int ComparaisonSuperieure = 3;

using TypeFonctionCompareString = int (*)(std::uint32_t ALcid, std::uint32_t AOptions,
                                          const char16_t* AChaine1, int ALongueur1,
                                          const char16_t* AChaine2, int ALongueur2);

// The framework's entry: whatever function is installed, the system's own
// comparison at start.
int CompareString(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                  int ALongueur1, const char16_t* AChaine2, int ALongueur2);

// Installs AFonction as the entry (null installs the system's own) and answers
// the function it replaces. Safe to call while other threads compare.
TypeFonctionCompareString RemplacerCompareString(TypeFonctionCompareString AFonction) noexcept;

// The system's own comparison, by locale identifier and by locale name (empty:
// the invariant locale; null: the user's; one that EstNomLocaleValide refuses
// is a failure). A locale whose collation this machine lacks compares as the
// invariant one. IgnorerCasse compares lower case; IgnorerDiacritiques drops
// combining marks and takes the Latin letters of U+00C0-U+017F that carry
// marks as their base letter. Texts may hold zeros: the zero-separated pieces
// are compared in turn, and when all are equal the text with fewer pieces
// sorts first. Without either flag, texts that collate equal are ordered by
// their UTF-16 units, so that only identical texts are equal.
int CompareStringSysteme(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                         int ALongueur1, const char16_t* AChaine2, int ALongueur2);
int CompareStringExSysteme(const char16_t* ANomLocale, std::uint32_t AOptions,
                           const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
                           int ALongueur2);

// Comparisons of two texts in the user's locale through the entry, case
// counting and not: the entry's result minus 2, so -1, 0, 1, or -2 for a
// failure (a text longer than INT_MAX units among them).
int ComparerChaines(std::u16string_view AChaine1, std::u16string_view AChaine2);
int ComparerTexte(std::u16string_view AChaine1, std::u16string_view AChaine2);
// ComparerTexte answers 0.
bool MemeTexte(std::u16string_view AChaine1, std::u16string_view AChaine2);

}  // namespace kv::plateforme
