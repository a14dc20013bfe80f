#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "plateforme/Locales.h"

namespace kv::plateforme {
namespace {

using namespace std::string_view_literals;

// Identifier = sub-language << 10 | primary language.
constexpr TypeLocaleConnue Locales[] = {
    {0x0401, u"ar-SA"sv}, {0x0C01, u"ar-EG"sv}, {0x0402, u"bg-BG"sv}, {0x0403, u"ca-ES"sv},
    {0x0404, u"zh-TW"sv}, {0x0804, u"zh-CN"sv}, {0x0C04, u"zh-HK"sv}, {0x1004, u"zh-SG"sv},
    {0x0405, u"cs-CZ"sv}, {0x0406, u"da-DK"sv}, {0x0407, u"de-DE"sv}, {0x0807, u"de-CH"sv},
    {0x0C07, u"de-AT"sv}, {0x1007, u"de-LU"sv}, {0x1407, u"de-LI"sv}, {0x0408, u"el-GR"sv},
    {0x0409, u"en-US"sv}, {0x0809, u"en-GB"sv}, {0x0C09, u"en-AU"sv}, {0x1009, u"en-CA"sv},
    {0x1409, u"en-NZ"sv}, {0x1809, u"en-IE"sv}, {0x1C09, u"en-ZA"sv}, {0x4009, u"en-IN"sv},
    {0x0C0A, u"es-ES"sv}, {0x080A, u"es-MX"sv}, {0x240A, u"es-CO"sv}, {0x2C0A, u"es-AR"sv},
    {0x340A, u"es-CL"sv}, {0x040B, u"fi-FI"sv}, {0x040C, u"fr-FR"sv}, {0x080C, u"fr-BE"sv},
    {0x0C0C, u"fr-CA"sv}, {0x100C, u"fr-CH"sv}, {0x140C, u"fr-LU"sv}, {0x180C, u"fr-MC"sv},
    {0x040D, u"he-IL"sv}, {0x040E, u"hu-HU"sv}, {0x040F, u"is-IS"sv}, {0x0410, u"it-IT"sv},
    {0x0810, u"it-CH"sv}, {0x0411, u"ja-JP"sv}, {0x0412, u"ko-KR"sv}, {0x0413, u"nl-NL"sv},
    {0x0813, u"nl-BE"sv}, {0x0414, u"nb-NO"sv}, {0x0814, u"nn-NO"sv}, {0x0415, u"pl-PL"sv},
    {0x0416, u"pt-BR"sv}, {0x0816, u"pt-PT"sv}, {0x0418, u"ro-RO"sv}, {0x0419, u"ru-RU"sv},
    {0x041A, u"hr-HR"sv}, {0x041B, u"sk-SK"sv}, {0x041C, u"sq-AL"sv}, {0x041D, u"sv-SE"sv},
    {0x081D, u"sv-FI"sv}, {0x041E, u"th-TH"sv}, {0x041F, u"tr-TR"sv}, {0x0421, u"id-ID"sv},
    {0x0422, u"uk-UA"sv}, {0x0423, u"be-BY"sv}, {0x0424, u"sl-SI"sv}, {0x0425, u"et-EE"sv},
    {0x0426, u"lv-LV"sv}, {0x0427, u"lt-LT"sv}, {0x042A, u"vi-VN"sv}, {0x042D, u"eu-ES"sv},
    {0x0439, u"hi-IN"sv},
};

bool EstCaractereNom(char32_t AC) {
  return (AC >= u'a' && AC <= u'z') || (AC >= u'A' && AC <= u'Z') || (AC >= u'0' && AC <= u'9') ||
         AC == u'-' || AC == u'_';
}

char16_t MinusculeAscii(char16_t AC) { return AC >= u'A' && AC <= u'Z' ? AC + (u'a' - u'A') : AC; }

bool MemeNom(std::u16string_view A1, std::u16string_view A2) {
  return std::ranges::equal(A1, A2, {}, MinusculeAscii, MinusculeAscii);
}

}  // namespace

bool EstNomLocaleValide(std::u16string_view ANom) noexcept {
  return ANom.size() < LongueurMaxNomLocale && std::ranges::all_of(ANom, EstCaractereNom);
}

std::u16string NomLocaleUtilisateur() {
  const char* valeur = nullptr;
  for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    valeur = std::getenv(variable);
    if (valeur != nullptr && *valeur != '\0') break;
  }
  if (valeur == nullptr) return {};
  std::string_view texte = valeur;
  texte = texte.substr(0, texte.find_first_of(".@"));
  if (texte == "C" || texte == "POSIX" || texte.size() >= LongueurMaxNomLocale) return {};
  std::u16string nom;
  for (const char c : texte) {
    if (!EstCaractereNom(static_cast<unsigned char>(c))) return {};
    nom += c == '_' ? u'-' : static_cast<char16_t>(c);
  }
  return nom;
}

std::uint32_t IdLocaleUtilisateur() {
  const std::u16string nom = NomLocaleUtilisateur();
  if (nom.empty()) return IdLocaleInvariante;
  const std::uint32_t identifiant = IdentifiantDepuisNomLocale(nom);
  return identifiant != 0 ? identifiant : IdLocalePersonnalisee;
}

int NomLocaleDepuisIdentifiant(std::uint32_t ALcid, std::span<char16_t> ATampon) {
  std::u16string utilisateur;
  std::u16string_view nom;
  if (ALcid == IdLocaleUtilisateurParDefaut || ALcid == IdLocaleSystemeParDefaut ||
      ALcid == IdLocalePersonnalisee) {
    utilisateur = NomLocaleUtilisateur();
    nom = utilisateur;
  } else if (ALcid != IdLocaleInvariante) {
    const auto trouvee = std::ranges::find(Locales, ALcid, &TypeLocaleConnue::Identifiant);
    if (trouvee == std::end(Locales)) {
      errno = EINVAL;
      return 0;
    }
    nom = trouvee->Nom;
  }
  if (nom.size() >= ATampon.size()) {
    errno = ERANGE;
    return 0;
  }
  *std::ranges::copy(nom, ATampon.begin()).out = u'\0';
  return static_cast<int>(nom.size() + 1);
}

std::uint32_t IdentifiantDepuisNomLocale(std::u16string_view ANom) noexcept {
  if (ANom.empty()) return IdLocaleInvariante;
  for (const TypeLocaleConnue& locale : Locales) {
    if (MemeNom(locale.Nom, ANom)) return locale.Identifiant;
  }
  errno = EINVAL;
  return 0;
}

std::span<const TypeLocaleConnue> LocalesConnues() noexcept { return Locales; }

}  // namespace kv::plateforme
