#include "environnement/LigneDeCommande.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "environnement/ListeArguments.h"
#include "plateforme/Processus.h"

namespace kv {
namespace {

// -1 until worked out. A count of 0 is worked out again on each call, which
// gives the same answer. Threads that meet here first all store the same value.
std::atomic<std::int32_t> NombreParametres{-1};

TListeArguments::TypeArguments ArgumentsPlateforme() { return plateforme::ArgumentsProcessus(); }

TListeArguments Ligne() {
  return TListeArguments(ArgumentsPlateforme(), TLigneDeCommande::ParamCount());
}

}  // namespace

std::int32_t TLigneDeCommande::ParamCount() {
  const std::int32_t connu = NombreParametres.load(std::memory_order_relaxed);
  if (connu > 0) return connu;
  const std::int32_t nombre = TListeArguments::CompterParametres(ArgumentsPlateforme());
  NombreParametres.store(nombre, std::memory_order_relaxed);
  return nombre;
}

std::u16string TLigneDeCommande::ParamStr(std::int32_t AIndex) { return Ligne().ParamStr(AIndex); }

bool TLigneDeCommande::IemeParametreEst(std::int32_t AIndex, std::u16string_view aCommutateur) {
  return Ligne().IemeParametreEst(AIndex, aCommutateur);
}

bool TLigneDeCommande::ParametrePresent(std::u16string_view aCommutateur) {
  return Ligne().ParametrePresent(aCommutateur);
}

bool TLigneDeCommande::ValeurParam(std::u16string_view aCommutateur, std::u16string& aValeur) {
  return Ligne().ValeurParam(aCommutateur, aValeur);
}

std::vector<std::u16string> TLigneDeCommande::ParamsDbg() { return Ligne().ParamsDbg(); }

std::u16string TLigneDeCommande::GetLigneDeCommandeEntiere(bool AAvecNomExe) {
  return Ligne().GetLigneDeCommandeEntiere(AAvecNomExe);
}

bool TLigneDeCommande::ParametreEstUneOption(std::u16string_view AParam) {
  return !AParam.empty() && (AParam.front() == u'/' || AParam.front() == u'-');
}

bool TLigneDeCommande::ParametreEstOptionAide(std::u16string_view AParam) {
  static constexpr std::array<std::u16string_view, 7> OptionsAide = {
      u"/h", u"/H", u"/?", u"-h", u"-help", u"--help", u"-?"};
  return std::find(OptionsAide.begin(), OptionsAide.end(), AParam) != OptionsAide.end();
}

bool TLigneDeCommande::AideDemandee(std::span<const std::u16string> AParametres) {
  return std::any_of(AParametres.begin(), AParametres.end(),
                     [](const std::u16string& AParam) { return ParametreEstOptionAide(AParam); });
}

}  // namespace kv
