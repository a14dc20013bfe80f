#include "application/ApplicationKorvel.h"

#include <exception>

#include "application/I_InformationApplication.h"
#include "application/NommageThread.h"
#include "comparaison/ImplGestionIcu.h"
#include "commun/Exception.h"
#include "environnement/RestrictionsApiWindows.h"
#include "objets/ClasseFinalisable.h"
#include "objets/SingletonDictionnaireExtensions.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Processus.h"

namespace kv {

TApplicationKorvel::TApplicationKorvel(IInformationApplication* AInformationApplication,
                                       bool AOrdreStrictSuppressions) {
  try {
    DefinirRestrictionsApiWindows();
    FNom = NomProgramme(plateforme::CheminModuleExecutable());
    FDictionnaireExtensions =
        &TSingletonDictionnaireExtensions::GetDictionnaireExtensions(AOrdreStrictSuppressions);
    if (AInformationApplication) {
      AjouterExtension(IInformationApplication::IID, AInformationApplication);
    }
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

void TApplicationKorvel::Detruire() noexcept {
  if (FDictionnaireExtensions) {
    try {
      SupprimerExtension(IInformationApplication::IID);
    } catch (...) {
      // The early finalisation below empties the dictionary all the same.
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
  AjouterExtension(IGestionIcu::IID, static_cast<IGestionIcu*>(Nouveau<TGestionIcu>().Get()));
}

void TApplicationKorvel::Finaliser() { SupprimerExtension(IGestionIcu::IID); }

void TApplicationKorvel::AfficherAide(std::u16string_view) {}

std::u16string TApplicationKorvel::TitreAide(std::u16string_view) { return {}; }

}  // namespace kv
