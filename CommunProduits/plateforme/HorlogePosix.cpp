#include <langinfo.h>
#include <locale.h>

#include <ctime>

#include "plateforme/Horloge.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

bool EstOptionConversion(char AChar) {
  return AChar == 'E' || AChar == 'O' || AChar == '_' || AChar == '-' || AChar == '^' ||
         AChar == '#' || (AChar >= '0' && AChar <= '9');
}

TypeSeparateursDateHeure LireSeparateurs() {
  TypeSeparateursDateHeure separateurs;
  const locale_t locale = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return separateurs;
  separateurs.Date = PremierSeparateur(::nl_langinfo_l(D_FMT, locale), separateurs.Date);
  separateurs.Heure = PremierSeparateur(::nl_langinfo_l(T_FMT, locale), separateurs.Heure);
  ::freelocale(locale);
  return separateurs;
}

}  // namespace

TypeDateHeureLocale DateHeureLocale() {
  timespec maintenant{};
  ::clock_gettime(CLOCK_REALTIME, &maintenant);
  // The conversion takes a process-wide lock; within one second it gives the
  // same answer, and traces ask many times a second.
  thread_local std::time_t seconde = -1;
  thread_local std::tm local{};
  if (maintenant.tv_sec != seconde) {
    ::localtime_r(&maintenant.tv_sec, &local);
    seconde = maintenant.tv_sec;
  }
  return {local.tm_year + 1900,
          local.tm_mon + 1,
          local.tm_mday,
          local.tm_hour,
          local.tm_min,
          local.tm_sec,
          static_cast<int>(maintenant.tv_nsec / 1000000)};
}

TypeSeparateursDateHeure SeparateursDateHeure() {
  static const TypeSeparateursDateHeure separateurs = LireSeparateurs();
  return separateurs;
}

char16_t PremierSeparateur(std::string_view AModele, char16_t ADefaut) {
  std::size_t i = 0;
  while (i < AModele.size() && AModele[i] == '%') {
    ++i;
    while (i < AModele.size() && EstOptionConversion(AModele[i])) ++i;
    ++i;  // the conversion itself
  }
  if (i >= AModele.size()) return ADefaut;
  const std::u16string reste = DepuisUtf8(AModele.substr(i));
  const char16_t premier = reste[0];
  // Not a whole character in one unit, or not text in UTF-8.
  if ((premier >= 0xD800 && premier <= 0xDFFF) || premier == u'\uFFFD') return ADefaut;
  return premier;
}

}  // namespace kv::plateforme
