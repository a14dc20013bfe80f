#include "application/ApplicationKorvel.h"

#include <exception>

#include "application/I_InformationApplication.h"
#include "application/NommageThread.h"
#include "commun/Exception.h"
#include "comparaison/ImplGestionIcu.h"
#include "environnement/I_ContexteExecution.h"
#include "environnement/ImplDossierSpecial.h"
#include "environnement/ImplListePersistanceParametresApplicatif.h"
#include "environnement/ImplSurchargeRepertoiresWindows.h"
#include "environnement/RestrictionsApiWindows.h"
#include "objets/ClasseFinalisable.h"
#include "objets/SingletonDictionnaireExtensions.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Processus.h"

namespace kv {

TApplicationKorvel::TApplicationKorvel(IInformationApplication* AInformationApplication,
                                       IContexteExecution* AContexteExecution,
                                       bool AOrdreStrictSuppressions) {
  try {
    DefinirRestrictionsApiWindows();
    FNom = NomProgramme(plateforme::CheminModuleExecutable());
    FDictionnaireExtensions =
        &TSingletonDictionnaireExtensions::GetDictionnaireExtensions(AOrdreStrictSuppressions);
    if (AInformationApplication) {
      AjouterExtension(IInformationApplication::IID, AInformationApplication);
      // A context means nothing without the application it belongs to.
      if (AContexteExecution) AjouterExtension(IContexteExecution::IID, AContexteExecution);
    }
    AjouterExtension(ISurchargeRepertoiresWindows::IID,
                     Nouveau<TSurchargeRepertoireWindows>()->InterfaceDeBase());
  } catch (...) {
    Detruire();
    throw;
  }
}

TApplicationKorvel::~TApplicationKorvel() { Detruire(); }

void TApplicationKorvel::AjouterExtension(const TGUID& AGuid, IInterface* AExtension) {
  FDictionnaireExtensions->AjouterExtension(AGuid, AExtension);
}

void TApplicationKorvel::SupprimerExtension(const TGUID& AGuid) {
  FDictionnaireExtensions->SupprimerExtension(AGuid);
}

bool TApplicationKorvel::TryGetInformationApplication(
    TRef<IInformationApplication>& AInformation) const {
  return TryGetExtension(*FDictionnaireExtensions, AInformation);
}

bool TApplicationKorvel::TryGetContexteExecution(TRef<IContexteExecution>& AContexte) const {
  return TryGetExtension(*FDictionnaireExtensions, AContexte);
}

bool TApplicationKorvel::TryGetDossierSpecial(TRef<IDossierSpecial>& ADossierSpecial) const {
  return TryGetExtension(*FDictionnaireExtensions, ADossierSpecial);
}

TRef<ISurchargeRepertoiresWindows> TApplicationKorvel::GetSurchargeRepertoiresWindows() const {
  return TyperExtension<ISurchargeRepertoiresWindows>(
      FDictionnaireExtensions->GetNonType(ISurchargeRepertoiresWindows::IID));
}

void TApplicationKorvel::Detruire() noexcept {
  if (FDictionnaireExtensions) {
    for (const TGUID& guid : {ISurchargeRepertoiresWindows::IID, IContexteExecution::IID,
                              IInformationApplication::IID}) {
      try {
        SupprimerExtension(guid);
      } catch (...) {
        // The early finalisation below empties the dictionary all the same.
      }
    }
  }
  TClasseFinalisable::FinaliserTout(TypeGenreClasseFinalisable::cfFinalisationPrecoce);
}

std::u16string TApplicationKorvel::NomProgramme(std::u16string_view ACheminModule) {
  const std::size_t separateur = ACheminModule.rfind(plateforme::SeparateurChemin());
  std::u16string_view nom = separateur == std::u16string_view::npos
                                ? ACheminModule
                                : ACheminModule.substr(separateur + 1);
  const std::size_t point = nom.rfind(u'.');
  if (point != std::u16string_view::npos) nom = nom.substr(0, point);
  return std::u16string(nom);
}

void TApplicationKorvel::Execute() {
  std::exception_ptr enCours;
  try {
    if (ExecuterEtape(&TApplicationKorvel::Initialiser, &TApplicationKorvel::EchecInitialisation)) {
      ExecuterEtape(&TApplicationKorvel::Traiter, &TApplicationKorvel::EchecTraitement);
    }
  } catch (...) {
    enCours = std::current_exception();
  }
  // An exception escaping here replaces the one in progress.
  ExecuterEtape(&TApplicationKorvel::Finaliser, &TApplicationKorvel::EchecFinalisation);
  if (enCours) std::rethrow_exception(enCours);
}

bool TApplicationKorvel::ExecuterEtape(TypeEtape AEtape, TypeRapport ARapport) {
  try {
    (this->*AEtape)();
    return true;
  } catch (const Exception& exception) {
    (this->*ARapport)(exception.NomClasse(), exception.Message());
    return false;
  }
}

void TApplicationKorvel::Initialiser() {
  TNommageThread::ChercherFonctionSysteme();
  TNommageThread::NommerThreadCourant(u"Thread principal");
  AjouterDossierSpecial();
  AjouterExtension(IGestionIcu::IID, static_cast<IGestionIcu*>(Nouveau<TGestionIcu>().Get()));
  AjouterExtension(IListePersistanceParametresApplicatif::IID,
                   Nouveau<TListePersistanceParametresApplicatif>()->InterfaceDeBase());
}

void TApplicationKorvel::AjouterDossierSpecial() {
  TRef<IInformationApplication> information;
  if (!TryGetInformationApplication(information)) return;
  TRef<IContexteExecution> contexte;
  TryGetContexteExecution(contexte);
  const TRef<ISurchargeRepertoiresWindows> surcharges = GetSurchargeRepertoiresWindows();
  if (FDictionnaireExtensions->Connait(IDossierSpecial::IID)) return;
  AjouterExtension(IDossierSpecial::IID,
                   Nouveau<TDossierSpecial>(information.Get(), contexte.Get(), surcharges.Get())
                       ->InterfaceDeBase());
}

void TApplicationKorvel::Finaliser() {
  SupprimerExtension(IListePersistanceParametresApplicatif::IID);
  SupprimerExtension(IGestionIcu::IID);
  SupprimerExtension(IDossierSpecial::IID);
}

void TApplicationKorvel::AfficherAide(std::u16string_view) {}

std::u16string TApplicationKorvel::TitreAide(std::u16string_view) { return {}; }

}  // namespace kv
