// Prints what the framework reads of its own command line and bin folder, one
// "name=value" line each, for the tests to run as a child process.

#include <iostream>
#include <string>

#include "environnement/KVPath.h"
#include "environnement/LigneDeCommande.h"
#include "plateforme/Texte.h"

namespace {

using kv::TLigneDeCommande;

void Ecrire(const std::string& ANom, std::u16string_view AValeur) {
  std::cout << ANom << '=' << kv::plateforme::VersUtf8(AValeur) << '\n';
}

}  // namespace

int main() {
  const std::int32_t nombre = TLigneDeCommande::ParamCount();
  std::cout << "ParamCount=" << nombre << '\n';
  for (std::int32_t i = 0; i <= nombre + 1; ++i) {
    Ecrire("ParamStr[" + std::to_string(i) + "]", TLigneDeCommande::ParamStr(i));
  }
  for (const std::u16string& parametre : TLigneDeCommande::ParamsDbg())
    Ecrire("ParamsDbg", parametre);
  Ecrire("Ligne", TLigneDeCommande::GetLigneDeCommandeEntiere(false));
  Ecrire("LigneAvecExe", TLigneDeCommande::GetLigneDeCommandeEntiere(true));
  std::u16string instance = u"(absente)";
  TLigneDeCommande::ValeurParam(u"instance", instance);
  Ecrire("instance", instance);
  std::vector<std::u16string> parametres;
  for (std::int32_t i = 1; i <= nombre; ++i) parametres.push_back(TLigneDeCommande::ParamStr(i));
  std::cout << "Aide=" << TLigneDeCommande::AideDemandee(parametres) << '\n';
  Ecrire("DossierBin", kv::DossierBin(true));
  Ecrire("DossierBinModule", kv::DossierBin(false));
  Ecrire("DossierBinPlateforme", kv::DossierBinPlateforme(u"icu", true));
  return 0;
}
