#include "serialisation/InfoCouplageParametresServiceInvocable.h"

#include "commun/Format.h"
#include "serialisation/ConteneurParametre.h"
#include "serialisation/TraceElement.h"

namespace kv {
namespace {

[[noreturn]] void LeverChemin(std::int32_t AIndice) {
  throw EListError(Formater(u"Chemin de conteneur invalide à l'indice %0:d.", {AIndice}));
}

TConteneurParametre* Suivre(std::span<TConteneurParametre* const> AConteneurs,
                            const std::vector<std::int32_t>& AChemin) {
  if (AChemin.empty()) throw EListError(u"Chemin de conteneur vide.");
  const std::int32_t premier = AChemin[0];
  if (premier < 0 || static_cast<std::size_t>(premier) >= AConteneurs.size()) {
    LeverChemin(premier);
  }
  TConteneurParametre* conteneur = AConteneurs[static_cast<std::size_t>(premier)];
  for (std::size_t k = 1; conteneur && k < AChemin.size(); ++k) {
    if (AChemin[k] < 0 || AChemin[k] >= conteneur->GetNombreSousConteneurs()) {
      LeverChemin(AChemin[k]);
    }
    conteneur = conteneur->GetSousConteneur(AChemin[k]);
  }
  if (!conteneur) throw EListError(u"Chemin de conteneur menant à un conteneur absent.");
  return conteneur;
}

void TracerChemin(IFormatter& AFormateur, std::u16string_view AElement,
                  const std::vector<std::int32_t>& AChemin) {
  Tracer(AFormateur, AElement, [&] { AFormateur.EcrireTableauEntiers(AChemin); });
}

}  // namespace

void TypeInfoCouplageParametresServiceInvocable::SerialiserTout(
    IFormatter& AFormateur, TypeClasseFormatSerialisation) const {
  AFormateur.EcrireTableauEntiers(CheminParamUtilisateur);
  AFormateur.EcrireTableauEntiers(CheminParamUtilise);
}

void TypeInfoCouplageParametresServiceInvocable::DeserialiserTout(IFormatter& AFormateur,
                                                                  TypeClasseFormatSerialisation) {
  CheminParamUtilisateur = AFormateur.LireTableauEntiers();
  CheminParamUtilise = AFormateur.LireTableauEntiers();
}

void TypeInfoCouplageParametresServiceInvocable::SerialiserPourTrace(
    IFormatter& AFormateur, TypeClasseFormatSerialisation) const {
  TracerChemin(AFormateur, u"CheminParamUtilisateur", CheminParamUtilisateur);
  TracerChemin(AFormateur, u"CheminParamUtilise", CheminParamUtilise);
}

void TypeInfoCouplageParametresServiceInvocable::CouplerConteneurs(
    std::span<TConteneurParametre* const> AConteneurs) const {
  TConteneurParametre* utilisateur = Suivre(AConteneurs, CheminParamUtilisateur);
  TConteneurParametre* utilise = Suivre(AConteneurs, CheminParamUtilise);
  utilisateur->CouplerAvec(utilise);
}

}  // namespace kv
