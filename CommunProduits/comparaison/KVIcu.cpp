#include "comparaison/KVIcu.h"

#include <array>

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

EErreurIcu ErreurIcu(std::int32_t ACode, std::u16string_view AFonction) {
  return EErreurIcu(
      Formater(u"Erreur dans le composant ICU (%1:s, code %0:d)", {ACode, AFonction}));
}

}  // namespace kv
