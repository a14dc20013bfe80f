#include <locale.h>
#include <wctype.h>

#include "plateforme/Casse.h"

namespace kv::plateforme {
namespace {

// The character classes of the built-in UTF-8 locale: the whole of Unicode,
// unlike the "C" locale the process starts in. Never freed, as it is shared by
// every thread until the process ends.
locale_t LocaleUnicode() {
  static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  return locale;
}

char16_t Minuscule(char16_t ACaractere, locale_t ALocale) {
  if (ACaractere >= u'A' && ACaractere <= u'Z') return ACaractere + (u'a' - u'A');
  if (ACaractere < 0x80 || ALocale == locale_t{} ||
      (ACaractere >= 0xD800 && ACaractere <= 0xDFFF)) {
    return ACaractere;
  }
  const wint_t minuscule = ::towlower_l(ACaractere, ALocale);
  return minuscule <= 0xFFFF ? static_cast<char16_t>(minuscule) : ACaractere;
}

char16_t Majuscule(char16_t ACaractere, locale_t ALocale) {
  if (ACaractere >= u'a' && ACaractere <= u'z') return ACaractere - (u'a' - u'A');
  if (ACaractere < 0x80 || ALocale == locale_t{} ||
      (ACaractere >= 0xD800 && ACaractere <= 0xDFFF)) {
    return ACaractere;
  }
  const wint_t majuscule = ::towupper_l(ACaractere, ALocale);
  return majuscule <= 0xFFFF ? static_cast<char16_t>(majuscule) : ACaractere;
}

}  // namespace

std::u16string EnMinuscules(std::u16string_view ATexte) {
  const locale_t locale = LocaleUnicode();
  std::u16string resultat(ATexte);
  for (char16_t& c : resultat) c = Minuscule(c, locale);
  return resultat;
}

std::u16string EnMajuscules(std::u16string_view ATexte) {
  const locale_t locale = LocaleUnicode();
  std::u16string resultat(ATexte);
  for (char16_t& c : resultat) c = Majuscule(c, locale);
  return resultat;
}

}  // namespace kv::plateforme
