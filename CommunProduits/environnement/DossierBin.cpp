#include "environnement/KVPath.h"
#include "plateforme/Casse.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Processus.h"

namespace kv {
namespace {

bool FinitPar(std::u16string_view ATexte, std::u16string_view AFin) {
  return ATexte.size() >= AFin.size() &&
         plateforme::EnMinuscules(ATexte.substr(ATexte.size() - AFin.size())) == AFin;
}

TypeNomEtPlateformeDossierBin* Calculer(bool AExePrincipal) {
  auto* entree = new TypeNomEtPlateformeDossierBin;
  entree->Init(AExePrincipal);
  return entree;
}

// Worked out once per process. Never freed: late finalisers may still ask.
const TypeNomEtPlateformeDossierBin& Entree(bool AExePrincipal) {
  if (AExePrincipal) {
    static const TypeNomEtPlateformeDossierBin* const principal = Calculer(true);
    return *principal;
  }
  static const TypeNomEtPlateformeDossierBin* const module = Calculer(false);
  return *module;
}

}  // namespace

void TypeNomEtPlateformeDossierBin::Init(bool AExePrincipal) {
  if (!Nom.empty()) return;
  const std::u16string fichier =
      AExePrincipal ? plateforme::CheminModuleExecutable()
                    : plateforme::CheminModuleContenant(reinterpret_cast<const void*>(&DossierBin));
  InitDepuisModule(plateforme::CheminCadriciel(fichier));
}

void TypeNomEtPlateformeDossierBin::InitDepuisModule(std::u16string_view AFichierModule) {
  static constexpr std::u16string_view DossierPlateforme = u"\\win64\\";
  Nom = TPath::PartieDossier(AFichierModule);
  Plateforme.clear();
  Configuration.clear();
  if (!FinitPar(Nom, DossierPlateforme)) return;
  const std::u16string_view configuration =
      std::u16string_view(Nom).substr(0, Nom.size() - DossierPlateforme.size());
  const std::u16string_view bin = TPath::PartieDossier(configuration);
  if (!FinitPar(bin, u"\\bin\\")) return;
  Configuration = TPath::PartieNom(configuration);
  Plateforme = u"win64";
  Nom = bin;
}

std::u16string DossierBin(bool AExePrincipal) { return Entree(AExePrincipal).Nom; }

std::u16string DossierBinPlateforme(std::u16string_view ASousDossier, bool AExePrincipal) {
  const TypeNomEtPlateformeDossierBin& entree = Entree(AExePrincipal);
  std::u16string resultat = entree.Nom;
  resultat += ASousDossier;
  resultat += u'\\';
  if (!entree.Plateforme.empty()) resultat += entree.Plateforme + u'\\';
  return resultat;
}

}  // namespace kv
