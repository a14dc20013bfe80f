#include <cstdlib>

#include "plateforme/Environnement.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

std::optional<std::u16string> VariableEnvironnement(std::u16string_view ANom) {
  if (ANom.empty() || ANom.find_first_of(std::u16string_view(u"=\0", 2)) != ANom.npos) {
    return std::nullopt;
  }
  const auto nom = VersUtf8Strict(ANom);
  if (!nom) return std::nullopt;
  const char* valeur = std::getenv(nom->c_str());
  if (valeur == nullptr) return std::nullopt;
  return DepuisUtf8(valeur);
}

std::u16string DevelopperVariablesEnvironnement(std::u16string_view ATexte) {
  std::u16string resultat;
  std::size_t position = 0;
  while (position < ATexte.size()) {
    const std::size_t ouverture = ATexte.find(u'%', position);
    const std::size_t fermeture =
        ouverture == ATexte.npos ? ATexte.npos : ATexte.find(u'%', ouverture + 1);
    if (fermeture == ATexte.npos) {
      resultat += ATexte.substr(position);
      break;
    }
    resultat += ATexte.substr(position, ouverture - position);
    const auto valeur =
        VariableEnvironnement(ATexte.substr(ouverture + 1, fermeture - ouverture - 1));
    resultat +=
        valeur ? std::u16string_view(*valeur) : ATexte.substr(ouverture, fermeture - ouverture + 1);
    position = fermeture + 1;
  }
  return resultat;
}

}  // namespace kv::plateforme
