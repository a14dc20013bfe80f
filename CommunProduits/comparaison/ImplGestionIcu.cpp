#include "comparaison/ImplGestionIcu.h"

#include <algorithm>

#include "comparaison/ComparateursChaines.h"
#include "comparaison/IntercepteurCompareString.h"
#include "comparaison/IntercepteurCompareStringIcu.h"
#include "comparaison/KVIcu.h"
#include "commun/Format.h"
#include "environnement/KVPath.h"
#include "environnement/OptionsLibrairies.h"
#include "memoire/GestionnaireMemoire.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv {

namespace {

// The process memory manager, as ICU calls it; the context is not used.
void* U_CALLCONV AllouerPourIcu(const void*, size_t ATaille) { return memoire::Allouer(ATaille); }
void* U_CALLCONV ReallouerPourIcu(const void*, void* ABloc, size_t ATaille) {
  return memoire::Reallouer(ABloc, ATaille);
}
void U_CALLCONV LibererPourIcu(const void*, void* ABloc) { memoire::Liberer(ABloc); }

bool EstFichier(const std::u16string& AChemin) {
  return plateforme::FichierExiste(plateforme::CheminNatif(AChemin));
}

// Looks ANom up in AModule into AChamp; on failure says so in ADiagnostic.
template <class AFonction>
bool Trouver(plateforme::TypeModule AModule, const std::string& ANom, const std::u16string& AFichier,
             AFonction& AChamp, std::vector<std::u16string>& ADiagnostic) {
  AChamp = reinterpret_cast<AFonction>(plateforme::AdresseProcedure(AModule, ANom));
  if (AChamp) return true;
  ADiagnostic.push_back(Formater(u"Symbole %0:s absent de %1:s",
                                 {plateforme::DepuisUtf8(ANom), AFichier}));
  return false;
}

// The managers whose ICU is initialised, oldest first. Never freed: a manager
// may still go while the process ends.
std::vector<TGestionIcu*>& GestionsActives() {
  static std::vector<TGestionIcu*>& gestions = *new std::vector<TGestionIcu*>;
  return gestions;
}

plateforme::TypeModule ChargerModule(const std::u16string& AFichier,
                               std::vector<std::u16string>& ADiagnostic) {
  plateforme::TypeModule module = plateforme::ChargerBibliotheque(plateforme::CheminNatif(AFichier));
  if (!module) {
    ADiagnostic.push_back(Formater(u"Chargement impossible de %0:s : %1:s",
                                   {AFichier, plateforme::DerniereErreurBibliotheque()}));
  }
  return module;
}

}  // namespace

TypeNomsIcu NomsIcuVersion(unsigned AVersion) {
  const std::string version = std::to_string(AVersion);
  const std::string suffixe = "_" + version;
  return {"libicuuc.so." + version,       "u_init" + suffixe,
          "u_cleanup" + suffixe,          "u_setMemoryFunctions" + suffixe,
          "libicui18n.so." + version,     "ucol_open" + suffixe,
          "ucol_close" + suffixe,         "ucol_strcoll" + suffixe,
          "ucol_setAttribute" + suffixe};
}

TypeNomsIcu NomsIcuApplication() { return NomsIcuVersion(57); }

std::vector<TypeEmplacementIcu> EmplacementsIcuParDefaut() {
  std::vector<TypeEmplacementIcu> emplacements;
  if (const auto systeme = plateforme::ChercherPaireBibliotheques("libicuuc", "libicui18n")) {
    emplacements.push_back(
        {plateforme::CheminCadriciel(systeme->Dossier), NomsIcuVersion(systeme->Version)});
  }
  emplacements.push_back({DossierBinPlateforme(u"icu", true), NomsIcuApplication()});
  return emplacements;
}

TGestionIcu::TGestionIcu() : TGestionIcu(std::vector<TypeEmplacementIcu>(), true) {}

TGestionIcu::TGestionIcu(const std::vector<TypeEmplacementIcu>& AEmplacements)
    : TGestionIcu(AEmplacements, false) {}

TGestionIcu::TGestionIcu(const std::vector<TypeEmplacementIcu>& AEmplacements,
                         bool AParDefaut)
    : TObjetInterfacable(true) {
  // Read here only: a later change waits for the next start.
  if (!OptionsLibrairiesCourantes.ComparaisonsParIcu) {
    FDiagnostic.push_back(u"ICU écarté par l'option ComparaisonsParIcu");
    return;
  }
  // The default places are searched only when ICU may be used.
  Charger(AParDefaut ? EmplacementsIcuParDefaut() : AEmplacements);
  if (!FModuleUc) return;
  try {
    InitialiserIcu();
  } catch (...) {
    // The destructor will not run for an object whose construction failed.
    Decharger();
    throw;
  }
}

TGestionIcu::~TGestionIcu() { Decharger(); }

void TGestionIcu::Charger(const std::vector<TypeEmplacementIcu>& AEmplacements) {
  for (const TypeEmplacementIcu& emplacement : AEmplacements) {
    if (ChargerBibliotheques(emplacement.Dossier, emplacement.Noms)) {
      FDossierIcu = emplacement.Dossier;
      return;
    }
  }
}

bool TGestionIcu::ChargerBibliotheques(const std::u16string& ADossier, const TypeNomsIcu& ANoms) {
  std::u16string dossier = ADossier;
  if (dossier.empty() || dossier.back() != u'\\') dossier += u'\\';
  const std::u16string fichierUc = dossier + plateforme::DepuisUtf8(ANoms[0]);
  const std::u16string fichierIn = dossier + plateforme::DepuisUtf8(ANoms[4]);
  for (const std::u16string* fichier : {&fichierUc, &fichierIn}) {
    if (!EstFichier(*fichier)) {
      FDiagnostic.push_back(Formater(u"Fichier absent : %0:s", {*fichier}));
      return false;
    }
  }

  plateforme::TypeModule moduleUc = ChargerModule(fichierUc, FDiagnostic);
  if (!moduleUc) return false;
  if (!Trouver(moduleUc, ANoms[1], fichierUc, FPoints.u_init, FDiagnostic) ||
      !Trouver(moduleUc, ANoms[2], fichierUc, FPoints.u_cleanup, FDiagnostic) ||
      !Trouver(moduleUc, ANoms[3], fichierUc, FPoints.u_setMemoryFunctions, FDiagnostic)) {
    plateforme::LibererBibliotheque(moduleUc);
    return false;
  }

  plateforme::TypeModule moduleIn = ChargerModule(fichierIn, FDiagnostic);
  if (!moduleIn) {
    plateforme::LibererBibliotheque(moduleUc);
    return false;
  }
  if (!Trouver(moduleIn, ANoms[5], fichierIn, FPoints.ucol_open, FDiagnostic) ||
      !Trouver(moduleIn, ANoms[6], fichierIn, FPoints.ucol_close, FDiagnostic) ||
      !Trouver(moduleIn, ANoms[7], fichierIn, FPoints.ucol_strcoll, FDiagnostic) ||
      !Trouver(moduleIn, ANoms[8], fichierIn, FPoints.ucol_setAttribute, FDiagnostic)) {
    plateforme::LibererBibliotheque(moduleIn);
    plateforme::LibererBibliotheque(moduleUc);
    return false;
  }
  FModuleUc = moduleUc;
  FModuleIn = moduleIn;
  return true;
}

bool TGestionIcu::IcuPartagee() const {
  const std::vector<TGestionIcu*>& gestions = GestionsActives();
  return std::any_of(gestions.begin(), gestions.end(), [this](const TGestionIcu* AGestion) {
    return AGestion != this && AGestion->FModuleUc == FModuleUc;
  });
}

void TGestionIcu::InitialiserIcu() {
  // ICU takes its memory functions only before any other call: a copy that
  // another manager already uses is ready as it is.
  if (!IcuPartagee()) {
    UErrorCode statut = U_ZERO_ERROR;
    FPoints.u_setMemoryFunctions(nullptr, &AllouerPourIcu, &ReallouerPourIcu, &LibererPourIcu,
                                 &statut);
    if (EchecIcu(statut)) throw ErreurIcu(statut, u"u_setMemoryFunctions");
    statut = U_ZERO_ERROR;
    FPoints.u_init(&statut);
    if (EchecIcu(statut)) throw ErreurIcu(statut, u"u_init");
  }
  FIntercepteur = Nouveau<TIntercepteurCompareStringIcu>(this);
  DefinirIntercepteurCompareString(FIntercepteur);
  GestionsActives().push_back(this);
}

void TGestionIcu::Decharger() noexcept {
  if (!FModuleUc) return;
  std::vector<TGestionIcu*>& gestions = GestionsActives();
  gestions.erase(std::remove(gestions.begin(), gestions.end(), this), gestions.end());
  // Another manager's interceptor is not this one's to remove; this one's
  // gives way to the newest manager left.
  if (FIntercepteur && IntercepteurCompareString() == FIntercepteur) {
    DefinirIntercepteurCompareString(gestions.empty() ? nullptr : gestions.back()->FIntercepteur);
  }
  // Collators are closed before ICU is cleaned up, and ICU is cleaned up
  // before its code goes, once no other manager uses it.
  FIntercepteur.Relacher();
  if (!IcuPartagee()) FPoints.u_cleanup();
  plateforme::LibererBibliotheque(FModuleIn);
  plateforme::LibererBibliotheque(FModuleUc);
  FModuleIn = nullptr;
  FModuleUc = nullptr;
  FPoints = {};
}

TRef<IComparateurChaines> TGestionIcu::CreerComparateur(std::uint32_t AForce, std::uint32_t ALcid) {
  return CreerComparateur(AForce, NomLocaleDepuisLcid(ALcid));
}

TRef<IComparateurChaines> TGestionIcu::CreerComparateur(std::uint32_t AForce,
                                                        const std::u16string& ALocale) {
  if (IcuDisponible()) return Nouveau<TComparateurChainesIcu>(this, AForce, ALocale);
  return Nouveau<TComparateurChainesNatif>(AForce, ALocale);
}

TypeCollationneur TGestionIcu::OuvrirCollationneur(std::uint32_t AForce,
                                                   const std::u16string& ALocale) {
  // Without ICU its entry points were never found.
  if (!IcuDisponible()) throw ErreurIcu(U_INVALID_STATE_ERROR, u"ucol_open");
  // ICU would refuse any other strength; a value outside its enumeration
  // cannot even be handed over.
  if (AForce > UCOL_IDENTICAL) throw ErreurIcu(U_ILLEGAL_ARGUMENT_ERROR, u"ucol_setAttribute");
  // An empty name is ICU's root locale.
  const std::string locale = plateforme::VersUtf8(ALocale);
  UErrorCode statut = U_ZERO_ERROR;
  TypeCollationneur collationneur = FPoints.ucol_open(locale.c_str(), &statut);
  if (EchecIcu(statut)) throw ErreurIcu(statut, u"ucol_open");
  statut = U_ZERO_ERROR;
  FPoints.ucol_setAttribute(collationneur, UCOL_STRENGTH, static_cast<UColAttributeValue>(AForce),
                            &statut);
  if (EchecIcu(statut)) {
    FPoints.ucol_close(collationneur);
    throw ErreurIcu(statut, u"ucol_setAttribute");
  }
  return collationneur;
}

void TGestionIcu::FermerCollationneur(TypeCollationneur ACollationneur) noexcept {
  if (ACollationneur && FPoints.ucol_close) FPoints.ucol_close(ACollationneur);
}

}  // namespace kv
