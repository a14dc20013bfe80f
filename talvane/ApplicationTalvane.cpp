#include "ApplicationTalvane.h"

#include <optional>

#include "commun/Exception.h"
#include "plateforme/Console.h"
#include "plateforme/DossiersConnus.h"
#include "plateforme/Fichiers.h"

namespace talvane {
namespace {

namespace pf = kv::plateforme;

constexpr std::u16string_view DossierRelatif = u"Microsoft\\Spelling\\";

constexpr std::u16string_view Ouverture = u"Le dossier à créer est \"";
constexpr std::u16string_view BaseDossierConnu = u"\" (basé sur FOLDERID_RoamingAppData)";
constexpr std::u16string_view BaseDossierShell = u"\" (basé sur CSIDL_APPDATA)";
constexpr std::u16string_view DejaPresent =
    u"Le dossier existe déjà, opération terminée avec succès.";
constexpr std::u16string_view CreationEchouee = u"Erreur : la création du dossier a échoué.";
constexpr std::u16string_view CreationReussie = u"Le dossier a été créé avec succès.";
constexpr std::u16string_view CreeInaccessible =
    u"Erreur, le dossier a été créé mais n'est pas accessible.";
constexpr std::u16string_view Invite = u"Appuyez sur Entrée pour quitter...";

bool CreerSansEchapper(const std::u16string& ADossier) {
  try {
    return pf::CreerDossierEtParents(ADossier);
  } catch (...) {
    return false;  // whatever went wrong, the folder was not created
  }
}

void AssurerDossierOrthographe() {
  std::optional<std::u16string> base = pf::DossierDonneesItinerantes();
  const std::u16string_view origine = base ? BaseDossierConnu : BaseDossierShell;
  if (!base) base = pf::DossierDonneesApplicationShell();

  const std::u16string cible = TApplicationTalvane::DossierOrthographe(base.value_or(u""));
  std::u16string annonce(Ouverture);
  annonce.append(cible).append(origine);
  pf::EcrireLigneSortie(annonce);

  if (pf::DossierExiste(cible)) {
    pf::EcrireLigneSortie(DejaPresent);
  } else if (!CreerSansEchapper(cible)) {
    pf::EcrireLigneSortie(CreationEchouee);
  } else {
    pf::EcrireLigneSortie(pf::DossierExiste(cible) ? CreationReussie : CreeInaccessible);
  }
}

}  // namespace

std::u16string TApplicationTalvane::DossierOrthographe(std::u16string_view ABase) {
  std::u16string cible(ABase);
  if (cible.empty() || cible.back() != pf::SeparateurChemin()) cible += pf::SeparateurChemin();
  return cible + pf::CheminNatif(DossierRelatif);
}

void TApplicationTalvane::Traiter() {
  try {
    AssurerDossierOrthographe();
  } catch (const kv::Exception& exception) {
    std::u16string ligne(exception.NomClasse());
    ligne.append(u": ").append(exception.Message());
    pf::EcrireLigneSortie(ligne);
  }
  pf::EcrireLigneSortie(Invite);
  pf::IgnorerLigneEntree();
}

}  // namespace talvane
