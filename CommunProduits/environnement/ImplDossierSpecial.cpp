#include "environnement/ImplDossierSpecial.h"

#include <optional>

#include "commun/Format.h"
#include "environnement/ImplSurchargeRepertoiresWindows.h"
#include "environnement/KVPath.h"
#include "environnement/LigneDeCommande.h"
#include "environnement/TypesProduits.h"
#include "plateforme/DossiersConnus.h"
#include "plateforme/Environnement.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/Fichiers.h"

namespace kv {
namespace {

namespace pf = plateforme;

using enum TypeNiveauDossierSpecial;
using enum TypeRacineDossierSpecial;

constexpr std::u16string_view OptionInstance = u"instance";

std::u16string EnCadriciel(const std::optional<std::u16string>& AChemin) {
  return AChemin ? pf::CheminCadriciel(*AChemin) : std::u16string();
}

// One level more, made absolute and normalised.
void Ajouter(std::u16string& AChemin, std::u16string_view ANom) {
  AChemin = TPath::Make(AChemin, ANom, true);
}

void AvecBarreFinale(std::u16string& AChemin) {
  if (AChemin.empty() || AChemin.back() != u'\\') AChemin += u'\\';
}

void Creer(const std::u16string& AChemin) {
  const std::u16string natif = pf::CheminNatif(AChemin);
  if (pf::CreerDossierEtParents(natif)) return;
  const int code = pf::DerniereErreurSysteme();
  throw ECreationDossier(Formater(u"Impossible de créer le dossier « %0:s » : %1:s.",
                                  {natif, pf::MessageErreurSysteme(code)}));
}

// The instance named on the command line, empty when there is none.
std::u16string Instance() {
  std::u16string instance;
  if (!TLigneDeCommande::ValeurParam(OptionInstance, instance)) return {};
  if (const std::u16string defaut = DefautInstance(instance); !defaut.empty()) {
    throw EInstanceInvalide(
        Formater(u"La valeur « %0:s » de l'option « instance » est refusée : elle %1:s ; elle "
                 u"doit nommer un sous-dossier.",
                 {instance, defaut}));
  }
  return instance;
}

bool EstSeparateur(char16_t ACaractere) { return ACaractere == u'\\' || ACaractere == u'/'; }

// A level such as "..", "." or ". .": the system would not take it as a name
// of its own.
bool SansNom(std::u16string_view ANiveau) {
  return ANiveau.find_first_not_of(u". ") == std::u16string_view::npos;
}

}  // namespace

std::u16string DefautInstance(std::u16string_view AInstance) {
  if (AInstance.empty()) return {};
  if (EstSeparateur(AInstance.front())) return u"est un chemin absolu";
  if (!TPath::PartieLecteur(AInstance).empty() || AInstance.find(u':') != AInstance.npos) {
    return u"nomme un lecteur ou contient « : »";
  }
  for (const char16_t caractere : AInstance) {
    if (TPath::EstCaractereInterdit(caractere) || caractere == u'*' || caractere == u'?') {
      return Formater(u"contient un caractère interdit (U+%0:.4x)",
                      {static_cast<unsigned>(caractere)});
    }
  }
  std::size_t debut = 0;
  while (true) {
    std::size_t fin = debut;
    while (fin < AInstance.size() && !EstSeparateur(AInstance[fin])) ++fin;
    const std::u16string_view niveau = AInstance.substr(debut, fin - debut);
    if (niveau.empty()) return u"a un niveau vide";
    if (SansNom(niveau)) {
      return Formater(u"a un niveau « %0:s » qui ne nomme pas de sous-dossier", {niveau});
    }
    if (fin == AInstance.size()) return {};
    debut = fin + 1;
  }
}

TDossierSpecial::TDossierSpecial(IInformationApplication* AInformationApplication,
                                 IContexteExecution* AContexte,
                                 ISurchargeRepertoiresWindows* ASurcharges)
    : TObjetInterfacable(true), FInformationApplication(AInformationApplication) {
  if (!FInformationApplication) {
    throw EArgumentInvalide(u"Dossiers spéciaux : l'information de l'application est absente.");
  }
  if (ASurcharges) EnregistrerSurcharges(*ASurcharges);
  LireSurcharges(FDossierDonneesCommunes, FDossierDocuments);
  if (FDossierDonneesCommunes.empty()) {
    FDossierDonneesCommunes = EnCadriciel(pf::DossierDonneesCommunes());
  }
  if (FDossierDocuments.empty()) FDossierDocuments = EnCadriciel(pf::DossierDocuments());
  if (AContexte) FDossierTravail = GetDossierContexte(AContexte);
}

std::u16string TDossierSpecial::Racine(TypeRacineDossierSpecial ARacine) const {
  switch (ARacine) {
    case RDS_DonneesCommunes:
      return FDossierDonneesCommunes;
    case RDS_Documents:
      return FDossierDocuments;
    case RDS_Temporaire: {
      const auto temporaire = pf::VariableEnvironnement(u"TEMP");
      if (temporaire && !temporaire->empty()) return pf::CheminCadriciel(*temporaire);
      return pf::CheminCadriciel(pf::DossierTemporaireParDefaut());
    }
  }
  return {};
}

std::u16string TDossierSpecial::DossierVersion() {
  const TypeVersion version = FInformationApplication->GetVersion();
  const std::u16string texte = TypeVersion(version, 2).EnChaine(u"-", 0);
  const std::u16string millesime = FInformationApplication->GetMillesime();
  if (!millesime.empty() && millesime != Formater(u"%0:d", {version.VersionMajeure()})) {
    return Formater(u"VERSION %0:s (%1:s)", {texte, millesime});
  }
  return Formater(u"VERSION %0:s", {texte});
}

std::u16string TDossierSpecial::GetDossier(TypeRacineDossierSpecial ARacine,
                                           TypeNiveauDossierSpecial ANiveau,
                                           TypeOptionsDossierSpecial AOptions,
                                           std::u16string_view ASousDossier) {
  return GetDossierPourApplication(FInformationApplication->GetNomDossierGenre(), ARacine, ANiveau,
                                   AOptions, ASousDossier);
}

std::u16string TDossierSpecial::GetDossierPourApplication(
    std::u16string_view ANomDossierApplication, TypeRacineDossierSpecial ARacine,
    TypeNiveauDossierSpecial ANiveau, TypeOptionsDossierSpecial AOptions,
    std::u16string_view ASousDossier) {
  const std::u16string instance = Instance();
  std::u16string chemin = Racine(ARacine);
  if (chemin.empty()) {
    chemin = DossierBin(true);
  } else {
    Ajouter(chemin, u"Korvel");
    if (ANiveau != NDS_Societe) Ajouter(chemin, FInformationApplication->GetNom());
    if (ANiveau != NDS_Societe && ANiveau != NDS_Produit) Ajouter(chemin, ANomDossierApplication);
    if (ANiveau == NDS_ApplicationCommun) Ajouter(chemin, u"TOUTES VERSIONS");
    if (ANiveau == NDS_AppliVersionnee) Ajouter(chemin, DossierVersion());
  }
  if (AOptions & ODS_PaysDistribution) {
    Ajouter(chemin, CodePaysDistribution(FInformationApplication->GetPays()));
  }
  if (!ASousDossier.empty()) Ajouter(chemin, ASousDossier);
  if (!instance.empty()) Ajouter(chemin, instance);
  AvecBarreFinale(chemin);
  if (AOptions & ODS_Creer) Creer(chemin);
  return chemin;
}

std::u16string TDossierSpecial::GetDossierContexte(IContexteExecution* AContexte) {
  if (!AContexte) {
    throw EArgumentInvalide(u"Dossiers spéciaux : le contexte d'exécution est absent.");
  }
  const std::u16string base =
      GetDossier(RDS_DonneesCommunes, NDS_AppliVersionnee, ODS_Creer | ODS_PaysDistribution, u"");
  std::u16string dossier;
  switch (AContexte->GetGenreContexte()) {
    case 0:
      dossier = base + u"Serveurs";
      break;
    case 1:
      dossier = base + u"Plannings";
      break;
    case 2:
      dossier = base + u"Installations";
      break;
    case 3:
      return GetDossier(RDS_DonneesCommunes, NDS_AppliVersionnee, ODS_Creer, u"");
    default:
      break;
  }
  Ajouter(dossier, AContexte->GetNomContexte());
  AvecBarreFinale(dossier);
  return dossier;
}

std::u16string TDossierSpecial::GetDossierTravail() {
  if (FDossierTravail.empty()) {
    FDossierTravail = FInformationApplication->GetProduit() == TypeProduit::prOutils
                          ? GetDossier(RDS_DonneesCommunes, NDS_Application, ODS_Creer, u"")
                          : GetDossier(RDS_DonneesCommunes, NDS_AppliVersionnee,
                                       ODS_Creer | ODS_PaysDistribution, u"");
  }
  return FDossierTravail;
}

bool TDossierSpecial::SetDossierTravail(std::u16string_view ADossier) {
  FDossierTravail = ADossier;
  return pf::CreerDossierEtParents(pf::CheminNatif(ADossier));
}

}  // namespace kv
