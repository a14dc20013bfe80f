#include <locale.h>
#include <wchar.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plateforme/ComparaisonLocale.h"
#include "plateforme/Locales.h"

namespace kv::plateforme {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char32_t), "wide characters hold a whole code point");

// The base letter of each character from U+00C0 to U+017F whose canonical
// decomposition is a letter followed by marks; '.' for the others.
constexpr std::string_view LettresDeBase =
    "AAAAAA.CEEEEIIII"   // U+00C0
    ".NOOOOO..UUUUY.."   // U+00D0
    "aaaaaa.ceeeeiiii"   // U+00E0
    ".nooooo..uuuuy.y"   // U+00F0
    "AaAaAaCcCcCcCcDd"   // U+0100
    "..EeEeEeEeEeGgGg"   // U+0110
    "GgGgHh..IiIiIiIi"   // U+0120
    "I...JjKk.LlLlLl."   // U+0130
    "...NnNnNn...OoOo"   // U+0140
    "Oo..RrRrRrSsSsSs"   // U+0150
    "SsTtTt..UuUuUuUu"   // U+0160
    "UuUuWwYyYZzZzZz.";  // U+0170
static_assert(LettresDeBase.size() == 0x180 - 0xC0);

bool EstMarqueCombinante(char32_t AC) {
  return (AC >= 0x0300 && AC <= 0x036F) || (AC >= 0x1AB0 && AC <= 0x1AFF) ||
         (AC >= 0x1DC0 && AC <= 0x1DFF) || (AC >= 0x20D0 && AC <= 0x20FF) ||
         (AC >= 0xFE20 && AC <= 0xFE2F);
}

// The text in code points with the options applied; a lone surrogate becomes
// U+FFFD. Case goes first, so that the locale's own lower case of a marked
// capital (Turkish dotted I) is what loses its marks.
std::wstring Preparer(std::u16string_view ATexte, std::uint32_t AOptions, locale_t ALocale) {
  std::wstring resultat;
  resultat.reserve(ATexte.size());
  for (std::size_t i = 0; i < ATexte.size(); ++i) {
    char32_t c = ATexte[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < ATexte.size() && ATexte[i + 1] >= 0xDC00 &&
          ATexte[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (ATexte[++i] - 0xDC00);
      } else {
        c = 0xFFFD;
      }
    }
    if ((AOptions & IgnorerCasse) != 0) c = ::towlower_l(c, ALocale);
    if ((AOptions & IgnorerDiacritiques) != 0) {
      if (EstMarqueCombinante(c)) continue;
      if (c >= 0xC0 && c < 0x180 && LettresDeBase[c - 0xC0] != '.') c = LettresDeBase[c - 0xC0];
    }
    resultat += static_cast<wchar_t>(c);
  }
  return resultat;
}

// Collation stops at a zero, so each zero-separated piece is compared on its
// own; the string's own terminating zero ends the last one.
int ComparerMorceaux(const std::wstring& ATexte1, const std::wstring& ATexte2, locale_t ALocale) {
  std::size_t debut1 = 0;
  std::size_t debut2 = 0;
  for (;;) {
    const wchar_t* morceau1 = ATexte1.c_str() + debut1;
    const wchar_t* morceau2 = ATexte2.c_str() + debut2;
    const int resultat = ::wcscoll_l(morceau1, morceau2, ALocale);
    if (resultat != 0) return resultat;
    debut1 += ::wcslen(morceau1) + 1;
    debut2 += ::wcslen(morceau2) + 1;
    const bool fini1 = debut1 > ATexte1.size();
    const bool fini2 = debut2 > ATexte2.size();
    if (fini1 || fini2) return static_cast<int>(fini2) - static_cast<int>(fini1);
  }
}

locale_t CreerLocale(const char* ANom) {
  return ::newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, ANom, locale_t{});
}

// The built-in UTF-8 locale, or "C" on a machine without it. Never freed: every
// thread may use it until the process ends.
locale_t LocaleInvariante() {
  static const locale_t locale = [] {
    const locale_t utf8 = CreerLocale("C.UTF-8");
    return utf8 != locale_t{} ? utf8 : CreerLocale("C");
  }();
  return locale;
}

// "fr-FR" gives "fr_FR.UTF-8": the language in lower case, a two-letter
// territory in upper case, as the machine's locales are named.
std::string NomLocaleSysteme(std::u16string_view ANom) {
  std::string nom;
  for (const char16_t c : ANom) nom += c == u'-' ? '_' : static_cast<char>(c);  // valid: ASCII
  for (std::size_t debut = 0, fin = 0; debut < nom.size(); debut = fin + 1) {
    fin = std::min(nom.find('_', debut), nom.size());
    for (std::size_t i = debut; i < fin; ++i) {
      const char c = nom[i];
      if (debut == 0 && c >= 'A' && c <= 'Z') nom[i] = static_cast<char>(c - 'A' + 'a');
      if (fin - debut == 2 && debut > 0 && c >= 'a' && c <= 'z') {
        nom[i] = static_cast<char>(c - 'a' + 'A');
      }
    }
  }
  return nom + ".UTF-8";
}

// The collation of a locale name, newlocale being far too slow to call for
// each comparison. Locales of the machine are kept once found; so are those it
// lacks, up to a bound, past which such a name is looked for at each call.
// The table is never freed: every thread may use its locales until the end.
locale_t Collation(std::u16string_view ANom) {
  if (ANom.empty()) return LocaleInvariante();
  struct TypeEntree {
    std::string Nom;
    locale_t Locale;  // none when the machine lacks it
  };
  constexpr int MaxAbsentes = 64;
  static std::mutex verrou;
  static std::vector<TypeEntree>& table = *new std::vector<TypeEntree>;
  static int absentes = 0;

  const std::string nom = NomLocaleSysteme(ANom);
  const std::lock_guard garde(verrou);
  locale_t locale{};
  bool trouvee = false;
  for (const TypeEntree& entree : table) {
    if (entree.Nom == nom) {
      locale = entree.Locale;
      trouvee = true;
      break;
    }
  }
  if (!trouvee) {
    locale = CreerLocale(nom.c_str());
    if (locale != locale_t{} || absentes < MaxAbsentes) {
      table.push_back({nom, locale});
      if (locale == locale_t{}) ++absentes;
    }
  }
  return locale != locale_t{} ? locale : LocaleInvariante();
}

std::optional<std::u16string_view> Texte(const char16_t* AChaine, int ALongueur) {
  if (AChaine == nullptr && ALongueur != 0) return std::nullopt;
  if (ALongueur < 0) return std::u16string_view(AChaine);
  return std::u16string_view(AChaine, static_cast<std::size_t>(ALongueur));
}

// Reads at most one unit past the longest valid name.
std::optional<std::u16string_view> NomLocale(const char16_t* ANom) {
  std::size_t longueur = 0;
  while (longueur < LongueurMaxNomLocale && ANom[longueur] != u'\0') ++longueur;
  const std::u16string_view nom(ANom, longueur);
  if (!EstNomLocaleValide(nom)) return std::nullopt;
  return nom;
}

int Comparer(std::u16string_view ANom, std::uint32_t AOptions, std::u16string_view ATexte1,
             std::u16string_view ATexte2) {
  const locale_t locale = Collation(ANom);
  if (locale == locale_t{}) {
    errno = ENOMEM;
    return 0;
  }
  AOptions &= IgnorerCasse | IgnorerDiacritiques;
  int resultat = ComparerMorceaux(Preparer(ATexte1, AOptions, locale),
                                  Preparer(ATexte2, AOptions, locale), locale);
  if (resultat == 0 && AOptions == 0) resultat = ATexte1.compare(ATexte2);
  return resultat < 0    ? ComparaisonInferieure
         : resultat == 0 ? ComparaisonEgale
                         : ComparaisonSuperieure;
}

}  // namespace

int CompareStringSysteme(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                         int ALongueur1, const char16_t* AChaine2, int ALongueur2) {
  char16_t nom[LongueurMaxNomLocale];
  if (NomLocaleDepuisIdentifiant(ALcid, nom) == 0) return 0;
  return CompareStringExSysteme(nom, AOptions, AChaine1, ALongueur1, AChaine2, ALongueur2);
}

int CompareStringExSysteme(const char16_t* ANomLocale, std::uint32_t AOptions,
                           const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
                           int ALongueur2) {
  const std::optional<std::u16string_view> texte1 = Texte(AChaine1, ALongueur1);
  const std::optional<std::u16string_view> texte2 = Texte(AChaine2, ALongueur2);
  if (!texte1 || !texte2) {
    errno = EINVAL;
    return 0;
  }
  try {
    if (ANomLocale == nullptr) return Comparer(NomLocaleUtilisateur(), AOptions, *texte1, *texte2);
    const std::optional<std::u16string_view> nom = NomLocale(ANomLocale);
    if (!nom) {
      errno = EINVAL;
      return 0;
    }
    return Comparer(*nom, AOptions, *texte1, *texte2);
  } catch (const std::bad_alloc&) {
    errno = ENOMEM;
    return 0;
  }
}

}  // namespace kv::plateforme
