#include "serialisation/InfoServiceInvocableAuto.h"

#include "commun/Format.h"
#include "serialisation/CreationSerialisateur.h"
#include "serialisation/InfoMethodeServiceInvocable.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/SerialisateurParametreTableauOuvert.h"

namespace kv {
namespace {

constexpr std::int32_t NombreMethodesIInterface = 3;
constexpr std::u16string_view NomsIInterface[] = {u"QueryInterface", u"_AddRef", u"_Release"};

[[noreturn]] void LeverParametreSansRtti(std::u16string_view AParametre,
                                         std::u16string_view AMethode,
                                         std::u16string_view AInterface) {
  throw EInterfaceRTTIException(
      Formater(u"Le paramètre %0:s de la méthode %1:s de l'interface %2:s n'a pas de RTTI",
               {AParametre, AMethode, AInterface}));
}

TypeModesParametre ModesDesDrapeaux(TypeDrapeauxParametre ADrapeaux, const TInfoType& AType) {
  using enum TypeDrapeauParametre;
  const bool tableauOuvert = ContientDrapeau(ADrapeaux, dpTableauOuvert);
  if (ADrapeaux == 0) return mpsEntrant;
  if (ADrapeaux == DrapeauParametre(dpAdresse)) return mpsEntrant | mpsSortant;
  if (ContientDrapeau(ADrapeaux, dpVar)) return mpsEntrant | mpsSortant | mpsParReference;
  if (ContientDrapeau(ADrapeaux, dpConst)) {
    return tableauOuvert || AType.Genre == TypeGenreType::gtFlottant
               ? mpsEntrant
               : static_cast<TypeModesParametre>(mpsEntrant | mpsParReference);
  }
  if (ContientDrapeau(ADrapeaux, dpSortie)) return mpsSortant | mpsParReference;
  if (ADrapeaux == DrapeauParametre(dpTableauOuvert)) return mpsEntrant;
  return 0;
}

void InitialiserMethode(TInfoMethodeServiceInvocable& AMethode, const TypeInfoMethode& AInfo,
                        std::u16string_view AInterface) {
  AMethode.SetNom(AInfo.Nom);
  const std::int32_t resultat = AInfo.AccesTypeResultat ? 1 : 0;
  AMethode.CreerInfoParametres(resultat + static_cast<std::int32_t>(AInfo.Parametres.size()));
  AMethode.SetAvecValeurRetour(resultat == 1);
  if (resultat == 1) {
    InitialiserInfoParametre(*AMethode.GetInfoParametre(0), u"Result",
                             DrapeauParametre(TypeDrapeauParametre::dpSortie),
                             *AInfo.TypeResultat(), AInfo.Nom, AInterface);
  }
  std::int32_t indice = resultat;
  for (const TypeInfoParametre& parametre : AInfo.Parametres) {
    if (!parametre.AccesType) LeverParametreSansRtti(parametre.Nom, AInfo.Nom, AInterface);
    InitialiserInfoParametre(*AMethode.GetInfoParametre(indice++), parametre.Nom,
                             parametre.Drapeaux, parametre.Type(), AInfo.Nom, AInterface);
  }
  AMethode.CalculerDisposition();
}

}  // namespace

void InitialiserInfoParametre(TInfoParametreServiceInvocable& AInfo, std::u16string_view ANom,
                              TypeDrapeauxParametre ADrapeaux, const TInfoType& AType,
                              std::u16string_view AMethode, std::u16string_view AInterface) {
  AInfo.SetNom(ANom);
  TRef<ISerialisateurParametre> serialisateur = CreerSerialisateur(AType);
  if (!serialisateur) LeverParametreSansRtti(ANom, AMethode, AInterface);
  if (ContientDrapeau(ADrapeaux, TypeDrapeauParametre::dpTableauOuvert)) {
    auto tableau = Nouveau<TSerialisateurParametreTableauOuvert>();
    tableau->SetSerialisateurElements(std::move(serialisateur));
    serialisateur = std::move(tableau);
  }
  AInfo.SetSerialisateur(std::move(serialisateur));
  TypeModesParametre modes = ModesDesDrapeaux(ADrapeaux, AType);
  if (AType.Genre == TypeGenreType::gtEnsemble) modes |= mpsRegles32En64;
  AInfo.SetModesAPriori(modes);
}

TInfoServiceInvocableAuto::TInfoServiceInvocableAuto(const TInfoTypeInterface& AInterface)
    : TInfoServiceInvocable(true) {
  FGuidService = AInterface.Guid;
  FNomService = AInterface.Nom;
  const std::span<const TypeInfoMethode> methodes = AInterface.Methodes;
  for (std::size_t i = 0; i < methodes.size(); ++i) {
    // A method that is not in the slot after the previous one cannot be
    // reached through the table the description stands for.
    if (methodes[i].IndiceTable != NombreMethodesIInterface + static_cast<std::int32_t>(i)) {
      throw EInterfaceRTTIException(
          Formater(u"L'interface %0:s n'a pas de RTTI.", {AInterface.Nom}));
    }
  }
  SetNombreMethodes(NombreMethodesIInterface + static_cast<std::int32_t>(methodes.size()));
  for (std::int32_t i = 0; i < NombreMethodesIInterface; ++i)
    FMethodes[i]->SetNom(NomsIInterface[i]);
  for (std::size_t i = 0; i < methodes.size(); ++i) {
    InitialiserMethode(*FMethodes[NombreMethodesIInterface + i], methodes[i], AInterface.Nom);
  }
}

}  // namespace kv
