#include "environnement/ImplSurchargeRepertoiresWindows.h"

#include <optional>

#include "commun/Format.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Processus.h"
#include "plateforme/Registre.h"

namespace kv {
namespace {

namespace pf = plateforme;

constexpr pf::TypeRacineRegistre Machine = pf::TypeRacineRegistre::rrMachineLocale;

// A value that is not a string is an error of the stored key, not an absence.
std::u16string LireChaine(const pf::TCleRegistre& ACle, std::u16string_view ANom) {
  const std::optional<pf::TValeurRegistre> valeur = ACle.LireValeur(ANom);
  if (!valeur) return {};
  if (valeur->Type != pf::TypeValeurRegistre::tvChaine &&
      valeur->Type != pf::TypeValeurRegistre::tvChaineExtensible) {
    throw EArgumentInvalide(Formater(u"La valeur « %0:s » de la clé « %1:s » n'est pas une chaîne.",
                                     {ANom, CleSurchargeRepertoiresWindows}));
  }
  return valeur->Texte;
}

std::optional<pf::TCleRegistre> OuvrirEnEcriture() {
  try {
    return pf::TCleRegistre::OuvrirOuCreer(Machine, CleSurchargeRepertoiresWindows);
  } catch (const Exception&) {
    // Typically a hive this account may not write: the overrides stay in memory.
    return std::nullopt;
  }
}

}  // namespace

bool TSurchargeRepertoireWindows::AjouterSurcharge(std::u16string_view ANom,
                                                   std::u16string_view AChemin) {
  return FSurcharges.emplace(std::u16string(ANom), std::u16string(AChemin)).second;
}

std::vector<std::u16string> TSurchargeRepertoireWindows::GetNomsSurcharges() {
  std::vector<std::u16string> noms;
  noms.reserve(FSurcharges.size());
  for (const auto& [nom, chemin] : FSurcharges) noms.push_back(nom);
  return noms;
}

std::u16string TSurchargeRepertoireWindows::GetSurcharge(std::u16string_view ANom) {
  const auto trouvee = FSurcharges.find(ANom);
  if (trouvee == FSurcharges.end()) {
    throw EListError(Formater(u"Surcharge de dossier « %0:s » introuvable.", {ANom}));
  }
  return trouvee->second;
}

std::u16string NomSurchargeInstallation() {
  const std::u16string module =
      pf::CheminModuleContenant(reinterpret_cast<const void*>(&NomSurchargeInstallation));
  const std::size_t separateur = module.rfind(pf::SeparateurChemin());
  if (separateur == std::u16string::npos) return {};
  return module.substr(0, separateur == 0 ? 1 : separateur);
}

void EnregistrerSurcharges(ISurchargeRepertoiresWindows& ASurcharges) {
  std::optional<pf::TCleRegistre> cle = OuvrirEnEcriture();
  if (!cle) return;
  for (const std::u16string& nom : ASurcharges.GetNomsSurcharges()) {
    cle->EcrireValeur(nom, {pf::TypeValeurRegistre::tvChaine, ASurcharges.GetSurcharge(nom), 0});
  }
}

void LireSurcharges(std::u16string& ADossierDonneesCommunes, std::u16string& ADossierDocuments) {
  ADossierDonneesCommunes.clear();
  ADossierDocuments.clear();
  try {
    const auto cle = pf::TCleRegistre::Ouvrir(Machine, CleSurchargeRepertoiresWindows);
    if (!cle) return;
    ADossierDonneesCommunes = LireChaine(*cle, NomSurchargeInstallation());
    if (ADossierDonneesCommunes.empty()) {
      ADossierDonneesCommunes = LireChaine(*cle, SurchargeDonneesCommunes);
    }
    ADossierDocuments = LireChaine(*cle, SurchargeDocuments);
  } catch (const Exception&) {
    // Reading the environment is forgiving: what was read so far stays.
  }
}

}  // namespace kv
