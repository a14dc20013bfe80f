#pragma once

// The local date and time, and the separators the user writes them with.

#include <string_view>

namespace kv::plateforme {

struct TypeDateHeureLocale {
  int Annee = 0;
  int Mois = 0;  // 1 to 12
  int Jour = 0;
  int Heure = 0;  // 0 to 23
  int Minute = 0;
  int Seconde = 0;
  int Milliseconde = 0;
};

// Now, in the local time zone.
TypeDateHeureLocale DateHeureLocale();

struct TypeSeparateursDateHeure {
  char16_t Date = u'/';
  char16_t Heure = u':';
};

// The separators of the user's short date and time formats, read once without
// touching the process's own locale; "/" and ":" where the user's settings give
// none.
TypeSeparateursDateHeure SeparateursDateHeure();

// The first character of a date or time pattern (made of "%" conversions, as
// the locale gives it) that belongs to no conversion; ADefaut when there is
// none.
char16_t PremierSeparateur(std::string_view AModele, char16_t ADefaut);

}  // namespace kv::plateforme
