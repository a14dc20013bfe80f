#include "serialisation/ConteneurParametre.h"

#include <algorithm>
#include <utility>

#include "commun/Format.h"

namespace kv {
namespace {

[[noreturn]] void LeverIndice(std::int32_t AIndice, std::size_t ANombre) {
  throw EListError(Formater(u"Indice de conteneur hors limites : %0:d (%1:d conteneurs).",
                            {AIndice, static_cast<long long>(ANombre)}));
}

TConteneurParametre* Element(const std::vector<TConteneurParametre*>& AListe,
                             std::int32_t AIndice) {
  if (AIndice < 0 || static_cast<std::size_t>(AIndice) >= AListe.size()) {
    LeverIndice(AIndice, AListe.size());
  }
  return AListe[static_cast<std::size_t>(AIndice)];
}

}  // namespace

TConteneurParametre::TConteneurParametre(std::u16string_view ANom, void* AAdresseValeur)
    : FNom(ANom), FAdresseValeur(AAdresseValeur) {}

std::int32_t TConteneurParametre::GetNombreSousConteneurs() const noexcept {
  return static_cast<std::int32_t>(FSousConteneurs.size());
}

void TConteneurParametre::SetNombreSousConteneurs(std::int32_t ANombre) {
  if (ANombre < 0) {
    throw EArgumentInvalide(Formater(u"Nombre de sous-conteneurs négatif : %0:d.", {ANombre}));
  }
  FSousConteneurs.resize(static_cast<std::size_t>(ANombre), nullptr);
}

TConteneurParametre* TConteneurParametre::GetSousConteneur(std::int32_t AIndice) const {
  return Element(FSousConteneurs, AIndice);
}

void TConteneurParametre::SetSousConteneur(std::int32_t AIndice, TConteneurParametre* AConteneur) {
  Element(FSousConteneurs, AIndice);  // checks the index
  FSousConteneurs[static_cast<std::size_t>(AIndice)] = AConteneur;
}

std::int32_t TConteneurParametre::GetNombreConteneursCouples() const noexcept {
  return static_cast<std::int32_t>(FConteneursCouples.size());
}

TConteneurParametre* TConteneurParametre::GetConteneurCouple(std::int32_t AIndice) const {
  return Element(FConteneursCouples, AIndice);
}

void TConteneurParametre::CouplerAvec(TConteneurParametre* AConteneur) {
  FConteneursCouples.push_back(AConteneur);
}

TConteneurParametreOctets::TConteneurParametreOctets(std::u16string_view ANom, std::int32_t ATaille,
                                                     ISerialisateurParametre* AValeurs)
    : TConteneurParametre(ANom, nullptr),
      // At least one byte, so that the address is never null.
      FValeur(std::make_unique<unsigned char[]>(static_cast<std::size_t>(std::max(ATaille, 1)))),
      FTaille(ATaille),
      FValeurs(AValeurs) {
  if (ATaille < 0) {
    throw EArgumentInvalide(Formater(u"Taille de conteneur négative : %0:d.", {ATaille}));
  }
  SetAdresseValeur(FValeur.get());
  if (FValeurs) FValeurs->InitialiserValeur(FValeur.get());
}

TConteneurParametreOctets::~TConteneurParametreOctets() {
  if (FValeurs) FValeurs->DetruireValeur(FValeur.get());
}

TConteneurParametreInterface::TConteneurParametreInterface(std::u16string_view ANom)
    : TConteneurParametre(ANom, nullptr) {
  SetAdresseValeur(&FValeur);
}

TConteneurParametreInterface::~TConteneurParametreInterface() {
  if (FValeur) FValeur->_Release();
}

void TConteneurParametreInterface::SetValeur(TRef<IInterface> AValeur) noexcept {
  IInterface* ancienne = std::exchange(FValeur, AValeur.Detacher());
  if (ancienne) ancienne->_Release();
}

TConteneurParametreObjet::TConteneurParametreObjet(std::u16string_view ANom)
    : TConteneurParametre(ANom, nullptr) {
  SetAdresseValeur(&FValeur);
}

TConteneurParametreString::TConteneurParametreString(std::u16string_view ANom)
    : TConteneurParametre(ANom, nullptr) {
  SetAdresseValeur(&FValeur);
}

TConteneurParametreTableauDynamique::TConteneurParametreTableauDynamique(std::u16string_view ANom)
    : TConteneurParametre(ANom, nullptr) {
  SetAdresseValeur(&FValeur);
}

TStockageTableauOuvert::TStockageTableauOuvert(ISerialisateurParametre& AElements,
                                               std::int32_t ANombre)
    : FElements(&AElements),
      FNombre(ANombre),
      FTailleElement(AElements.GetTaille()),
      FOctets(std::make_unique<unsigned char[]>(
          std::max<std::size_t>(static_cast<std::size_t>(ANombre) * FTailleElement, 1))) {
  for (std::int32_t i = 0; i < FNombre; ++i) {
    FElements->InitialiserValeur(FOctets.get() + static_cast<std::size_t>(i) * FTailleElement);
  }
}

TStockageTableauOuvert::~TStockageTableauOuvert() {
  for (std::int32_t i = 0; i < FNombre; ++i) {
    void* element = FOctets.get() + static_cast<std::size_t>(i) * FTailleElement;
    try {
      FElements->LibererValeur(element, false);
    } catch (...) {
      // Releasing without freeing objects raises nothing the family knows of;
      // the element is ended all the same.
    }
    FElements->DetruireValeur(element);
  }
}

TConteneurParametreTableauOuvert::TConteneurParametreTableauOuvert(std::u16string_view ANom)
    : TConteneurParametre(ANom, nullptr) {
  SetAdresseValeur(&FValeur);
  FValeur.TailleMoinsUn = -1;
  FValeur.PtrValeurs = nullptr;
}

void TConteneurParametreTableauOuvert::SetStockage(
    std::unique_ptr<TStockageTableauOuvert> AStockage) noexcept {
  FStockage = std::move(AStockage);
}

}  // namespace kv
