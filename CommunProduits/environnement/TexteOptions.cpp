#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "environnement/OptionsLibrairies.h"

namespace kv {
namespace {

// Numbers are ASCII digits: widening each byte is the whole conversion.
std::u16string TexteNombre(std::int64_t ANombre) {
  const std::string chiffres = std::to_string(ANombre);
  return std::u16string(chiffres.begin(), chiffres.end());
}

// Decimal digits with an optional leading '-'; nothing when out of [AMin, AMax].
std::optional<std::int64_t> LireEntier(std::u16string_view ATexte, std::int64_t AMin,
                                       std::int64_t AMax) {
  const bool negatif = !ATexte.empty() && ATexte.front() == u'-';
  if (negatif && AMin >= 0) return std::nullopt;
  if (negatif) ATexte.remove_prefix(1);
  if (ATexte.empty()) return std::nullopt;
  std::int64_t valeur = 0;
  for (const char16_t c : ATexte) {
    if (c < u'0' || c > u'9') return std::nullopt;
    valeur = valeur * 10 + (c - u'0');
    // Stop well before the accumulator could wrap.
    if (valeur > AMax + 1 - AMin) return std::nullopt;
  }
  if (negatif) valeur = -valeur;
  if (valeur < AMin || valeur > AMax) return std::nullopt;
  return valeur;
}

bool EgalSansCasse(std::u16string_view ATexte, std::u16string_view AMinuscules) {
  if (ATexte.size() != AMinuscules.size()) return false;
  for (std::size_t i = 0; i < ATexte.size(); ++i) {
    char16_t c = ATexte[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != AMinuscules[i]) return false;
  }
  return true;
}

std::u16string NomComplet(const TypeDescripteurOption& AOption) {
  if (AOption.Groupe.empty()) return std::u16string(AOption.Champ);
  return std::u16string(AOption.Groupe) + u"." + std::u16string(AOption.Champ);
}

std::u16string Attendu(const TypeDescripteurOption& AOption) {
  switch (AOption.Genre) {
    case TypeGenreOption::goBooleen:
      return u"true ou false";
    case TypeGenreOption::goEntierSigne:
      return u"un entier de -2147483648 à 2147483647";
    case TypeGenreOption::goEntierNonSigne:
      return u"un entier de 0 à 4294967295";
    case TypeGenreOption::goEnumeration:
      break;
    case TypeGenreOption::goChaine:
      return u"un texte";
  }
  std::u16string noms = u"une des valeurs ";
  for (std::size_t i = 0; i < AOption.NomsValeurs.size(); ++i) {
    if (i > 0) noms += u", ";
    noms += AOption.NomsValeurs[i];
  }
  return noms;
}

[[noreturn]] void RefuserValeur(const TypeDescripteurOption& AOption, std::u16string_view AValeur) {
  throw EValeurOptionInvalide(u"La valeur \"" + std::u16string(AValeur) +
                              u"\" n'est pas valide pour l'option " + NomComplet(AOption) + u" : " +
                              Attendu(AOption) + u" attendu.");
}

std::optional<std::uint8_t> LireNomValeur(const TypeDescripteurOption& AOption,
                                          std::u16string_view AValeur) {
  for (std::size_t i = 0; i < AOption.NomsValeurs.size(); ++i) {
    if (AOption.NomsValeurs[i] == AValeur) return static_cast<std::uint8_t>(i);
  }
  return std::nullopt;
}

}  // namespace

std::u16string LireOption(const TypeDescripteurOption& AOption,
                          const TypeOptionsLibrairies& AOptions) {
  // The accessor takes a writable record; nothing is written through it here.
  void* champ = AOption.Acces(const_cast<TypeOptionsLibrairies&>(AOptions));
  switch (AOption.Genre) {
    case TypeGenreOption::goBooleen:
      return *static_cast<const bool*>(champ) ? u"true" : u"false";
    case TypeGenreOption::goEntierSigne:
      return TexteNombre(*static_cast<const std::int32_t*>(champ));
    case TypeGenreOption::goEntierNonSigne:
      return TexteNombre(*static_cast<const std::uint32_t*>(champ));
    case TypeGenreOption::goEnumeration: {
      // Enumerations are one byte; a byte may be read through unsigned char.
      const unsigned char ordinal = *static_cast<const unsigned char*>(champ);
      if (ordinal < AOption.NomsValeurs.size()) return std::u16string(AOption.NomsValeurs[ordinal]);
      return TexteNombre(ordinal);
    }
    case TypeGenreOption::goChaine:
      return *static_cast<const std::u16string*>(champ);
  }
  return {};
}

void EcrireOption(const TypeDescripteurOption& AOption, TypeOptionsLibrairies& AOptions,
                  std::u16string_view AValeur) {
  void* champ = AOption.Acces(AOptions);
  switch (AOption.Genre) {
    case TypeGenreOption::goBooleen: {
      const bool vrai = EgalSansCasse(AValeur, u"true");
      if (!vrai && !EgalSansCasse(AValeur, u"false")) RefuserValeur(AOption, AValeur);
      *static_cast<bool*>(champ) = vrai;
      return;
    }
    case TypeGenreOption::goEntierSigne: {
      using Limites = std::numeric_limits<std::int32_t>;
      const auto valeur = LireEntier(AValeur, Limites::min(), Limites::max());
      if (!valeur) RefuserValeur(AOption, AValeur);
      *static_cast<std::int32_t*>(champ) = static_cast<std::int32_t>(*valeur);
      return;
    }
    case TypeGenreOption::goEntierNonSigne: {
      const auto valeur = LireEntier(AValeur, 0, std::numeric_limits<std::uint32_t>::max());
      if (!valeur) RefuserValeur(AOption, AValeur);
      *static_cast<std::uint32_t*>(champ) = static_cast<std::uint32_t>(*valeur);
      return;
    }
    case TypeGenreOption::goEnumeration: {
      const auto ordinal = LireNomValeur(AOption, AValeur);
      if (!ordinal) RefuserValeur(AOption, AValeur);
      *static_cast<unsigned char*>(champ) = *ordinal;
      return;
    }
    case TypeGenreOption::goChaine:
      *static_cast<std::u16string*>(champ) = AValeur;
      return;
  }
}

}  // namespace kv
