#include "comparaison/KVIcu.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstddef>

#include "commun/Format.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/Locales.h"

namespace kv {

std::u16string NomLocaleDepuisLcid(std::uint32_t ALcid) {
  std::array<char16_t, plateforme::LongueurMaxNomLocale> tampon{};
  const int ecrits = plateforme::NomLocaleDepuisIdentifiant(ALcid, tampon);
  if (ecrits == 0) {
    throw plateforme::CreerExceptionSysteme(plateforme::FormatErreurInterneSysteme,
                                            u"LCIDToLocaleName");
  }
  return std::u16string(tampon.data(), static_cast<std::size_t>(ecrits - 1));
}

bool EstNomLocaleInvariant(const char16_t* ALocale) noexcept {
  return ALocale != nullptr && *ALocale == u'\0';
}

bool MesurerTexte(const char16_t* AChaine, int& ALongueur) noexcept {
  if (ALongueur == 0) return true;
  if (!AChaine) {
    errno = EINVAL;
    return false;
  }
  if (ALongueur > 0) return true;
  for (std::size_t longueur = 0;; ++longueur) {
    if (AChaine[longueur] == u'\0') {
      ALongueur = static_cast<int>(longueur);
      return true;
    }
    if (longueur == INT_MAX) {
      errno = EOVERFLOW;
      return false;
    }
  }
}

EErreurIcu ErreurIcu(std::int32_t ACode, std::u16string_view AFonction) {
  return EErreurIcu(
      Formater(u"Erreur dans le composant ICU (%1:s, code %0:d)", {ACode, AFonction}));
}

}  // namespace kv
