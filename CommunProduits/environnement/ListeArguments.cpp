#include "environnement/ListeArguments.h"

namespace kv {
namespace {

constexpr std::u16string_view Separateur = u"--";

}  // namespace

std::int32_t TListeArguments::CompterParametres(TypeArguments AArguments) {
  std::int32_t nombre = 0;
  for (std::size_t i = 1; i < AArguments.size() && AArguments[i] != Separateur; ++i) ++nombre;
  return nombre;
}

std::int32_t TListeArguments::NombreMots() const {
  return FArguments.empty() ? 0 : static_cast<std::int32_t>(FArguments.size() - 1);
}

std::u16string TListeArguments::ParamStr(std::int32_t AIndex) const {
  if (AIndex < 0 || AIndex > FNombre || static_cast<std::size_t>(AIndex) >= FArguments.size()) {
    return {};
  }
  return FArguments[static_cast<std::size_t>(AIndex)];
}

bool TListeArguments::IemeParametreEst(std::int32_t AIndex,
                                       std::u16string_view aCommutateur) const {
  const std::u16string parametre = ParamStr(AIndex);
  if (parametre.size() != aCommutateur.size() + 1) return false;
  const std::u16string_view nom = std::u16string_view(parametre).substr(1);
  return (parametre.front() == u'-' || parametre.front() == u'/') && nom == aCommutateur;
}

bool TListeArguments::ParametrePresent(std::u16string_view aCommutateur) const {
  for (std::int32_t i = 0; i <= FNombre; ++i) {
    if (IemeParametreEst(i, aCommutateur)) return true;
  }
  return false;
}

bool TListeArguments::ValeurParam(std::u16string_view aCommutateur, std::u16string& aValeur) const {
  for (std::int32_t i = 0; i <= FNombre; ++i) {
    if (IemeParametreEst(i, aCommutateur)) {
      aValeur = ParamStr(i + 1);
      return true;
    }
  }
  return false;
}

std::vector<std::u16string> TListeArguments::ParamsDbg() const {
  std::int32_t nombre = NombreMots() - FNombre;
  if (nombre > 0) --nombre;  // the "--" itself
  std::vector<std::u16string> resultat;
  for (std::int32_t k = 0; k < nombre; ++k) {
    resultat.push_back(FArguments[static_cast<std::size_t>(FNombre + 2 + k)]);
  }
  return resultat;
}

std::u16string TListeArguments::GetLigneDeCommandeEntiere(bool AAvecNomExe) const {
  const std::int32_t premier = AAvecNomExe ? 0 : 1;
  std::u16string ligne;
  for (std::int32_t i = premier; i <= FNombre; ++i) {
    const std::u16string parametre = ParamStr(i);
    if (i > premier) ligne += u' ';
    if (parametre.find(u' ') == parametre.npos) {
      ligne += parametre;
    } else {
      ligne += u'"' + parametre + u'"';
    }
  }
  return ligne;
}

}  // namespace kv
