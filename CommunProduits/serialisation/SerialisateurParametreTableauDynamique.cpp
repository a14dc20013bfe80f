#include "serialisation/SerialisateurParametreTableauDynamique.h"

#include <utility>

#include "objets/TableauDynamique.h"

namespace kv {
namespace {

void*& Valeur(void* AAdresse) noexcept { return *static_cast<void**>(AAdresse); }

}  // namespace

TConteneurParametre* TSerialisateurParametreTableauDynamique::CreerConteneurTableau(
    std::u16string_view ANom) {
  return new TConteneurParametreTableauDynamique(ANom);
}

void* TSerialisateurParametreTableauDynamique::CreerBloc(std::int32_t ANombre) {
  void* bloc = AllouerBlocTableauDynamique(ANombre, GetInfoElements()->GetTaille());
  for (std::int32_t i = 0; i < ANombre; ++i) GetInfoElements()->InitialiserValeur(Element(bloc, i));
  return bloc;
}

void TSerialisateurParametreTableauDynamique::AjusterReference(void* ABloc, bool ALibererObjets,
                                                               std::int32_t ADelta) {
  if (!ABloc) return;
  std::int32_t& references = EnteteTableauDynamique(ABloc).NombreReferences;
  if (references < 0) return;
  const std::int64_t compte = static_cast<std::int64_t>(references) + ADelta;
  if (compte >= 1) {
    references = static_cast<std::int32_t>(compte);
    return;
  }
  if (compte != 0) return;
  references = 0;
  // The block goes even when releasing an element raises (an object that
  // refuses to be freed): its elements are ended all the same.
  struct TypeGarde {
    TSerialisateurParametreTableauDynamique& Serialisateur;
    void* Bloc;
    ~TypeGarde() {
      const std::int32_t nombre = NombreElementsTableauDynamique(Bloc);
      for (std::int32_t i = 0; i < nombre; ++i) {
        Serialisateur.GetInfoElements()->GetSerialisateur()->DetruireValeur(
            Serialisateur.Element(Bloc, i));
      }
      LibererBlocTableauDynamique(Bloc);
    }
  } garde{*this, ABloc};
  const std::int32_t nombre = NombreElementsTableauDynamique(ABloc);
  for (std::int32_t i = 0; i < nombre; ++i) {
    GetInfoElements()->LibererValeur(Element(ABloc, i), ALibererObjets);
  }
}

void TSerialisateurParametreTableauDynamique::CopierValeur(const void* ASource, void* ADestination,
                                                           bool ALibererObjets) {
  void* source = *static_cast<void* const*>(ASource);
  AjusterReference(source, false, +1);
  AjusterReference(std::exchange(Valeur(ADestination), source), ALibererObjets, -1);
}

void TSerialisateurParametreTableauDynamique::LibererValeur(void* AAdresse, bool ALibererObjets) {
  AjusterReference(std::exchange(Valeur(AAdresse), nullptr), ALibererObjets, -1);
}

void TSerialisateurParametreTableauDynamique::SerialiserValeur(
    TConteneurParametre* AConteneur, IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat,
    bool AEnPlace) {
  void* bloc = Valeur(AConteneur->GetAdresseValeur());
  const std::int32_t nombre = NombreElementsTableauDynamique(bloc);
  AFormateur.EcrireEntier(nombre);
  SerialiserElements(AConteneur, AFormateur, AFormat, AEnPlace, bloc, nombre);
}

void TSerialisateurParametreTableauDynamique::DeserialiserValeur(
    TConteneurParametre* AConteneur, IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat,
    bool AEnPlace) {
  void*& valeur = Valeur(AConteneur->GetAdresseValeur());
  LibererValeur(&valeur, false);
  const std::int32_t nombre = AFormateur.LireEntier();
  VerifierNombreLu(AFormateur, nombre);
  valeur = CreerBloc(nombre);
  DeserialiserElements(AConteneur, AFormateur, AFormat, AEnPlace, valeur, nombre);
}

std::int32_t TSerialisateurParametreTableauDynamique::GetTaille() { return 8; }

bool TSerialisateurParametreTableauDynamique::GetEstGere() { return true; }

}  // namespace kv
