#include "environnement/ImplListePersistanceParametresApplicatif.h"

#include "commun/Format.h"

namespace kv {

TRef<IPersistanceParametresApplicatif> TListePersistanceParametresApplicatif::GetPersistance(
    TypeNiveauDossierSpecial ANiveau) {
  const auto trouvee = FPersistances.find(ANiveau);
  return trouvee == FPersistances.end() ? nullptr : trouvee->second;
}

void TListePersistanceParametresApplicatif::AjouterPersistance(
    IPersistanceParametresApplicatif* APersistance) {
  if (!APersistance) {
    throw EArgumentInvalide(u"Liste des paramètres : aucun paramétrage à ajouter.");
  }
  const TypeNiveauDossierSpecial niveau = APersistance->GetNiveauDossierSpecial();
  if (!FPersistances.emplace(niveau, APersistance).second) {
    throw EListError(Formater(u"Doublons non autorisés : le niveau %0:d a déjà ses paramètres.",
                              {static_cast<int>(niveau)}));
  }
}

}  // namespace kv
