#include "serialisation/SerialisateurParametreTableauOuvert.h"

#include <memory>
#include <new>

#include "objets/TableauOuvert.h"

namespace kv {
namespace {

TypeTableauOuvert& Valeur(void* AAdresse) noexcept {
  return *static_cast<TypeTableauOuvert*>(AAdresse);
}

}  // namespace

TConteneurParametre* TSerialisateurParametreTableauOuvert::CreerConteneurTableau(
    std::u16string_view ANom) {
  return new TConteneurParametreTableauOuvert(ANom);
}

void TSerialisateurParametreTableauOuvert::CopierValeur(const void* ASource, void* ADestination,
                                                        bool) {
  const auto& source = *static_cast<const TypeTableauOuvert*>(ASource);
  TypeTableauOuvert& destination = Valeur(ADestination);
  destination.PtrValeurs = source.PtrValeurs;
  destination.TailleMoinsUn = source.TailleMoinsUn;
}

void TSerialisateurParametreTableauOuvert::LibererValeur(void* AAdresse, bool ALibererObjets) {
  if (!ALibererObjets) return;
  const TypeTableauOuvert& valeur = Valeur(AAdresse);
  for (std::int32_t i = 0; i <= valeur.TailleMoinsUn; ++i) {
    GetInfoElements()->LibererValeur(Element(valeur.PtrValeurs, i), true);
  }
}

void TSerialisateurParametreTableauOuvert::SerialiserValeur(TConteneurParametre* AConteneur,
                                                            IFormatter& AFormateur,
                                                            TypeClasseFormatSerialisation AFormat,
                                                            bool AEnPlace) {
  const TypeTableauOuvert& valeur = Valeur(AConteneur->GetAdresseValeur());
  AFormateur.EcrireEntier(valeur.TailleMoinsUn);
  SerialiserElements(AConteneur, AFormateur, AFormat, AEnPlace, valeur.PtrValeurs,
                     valeur.TailleMoinsUn < 0 ? 0 : valeur.TailleMoinsUn + 1);
}

void TSerialisateurParametreTableauOuvert::DeserialiserValeur(TConteneurParametre* AConteneur,
                                                              IFormatter& AFormateur,
                                                              TypeClasseFormatSerialisation AFormat,
                                                              bool AEnPlace) {
  auto& conteneur = dynamic_cast<TConteneurParametreTableauOuvert&>(*AConteneur);
  const std::int32_t tailleMoinsUn = AFormateur.LireEntier();
  const std::int64_t nombre = static_cast<std::int64_t>(tailleMoinsUn) + 1;
  VerifierNombreLu(AFormateur, nombre);
  auto stockage = std::make_unique<TStockageTableauOuvert>(*GetInfoElements()->GetSerialisateur(),
                                                           static_cast<std::int32_t>(nombre));
  try {
    DeserialiserElements(AConteneur, AFormateur, AFormat, AEnPlace, stockage->GetOctets(),
                         stockage->GetNombre());
  } catch (...) {
    // The objects read so far belong to nobody else.
    for (std::int32_t i = 0; i < stockage->GetNombre(); ++i) {
      try {
        GetInfoElements()->LibererValeur(Element(stockage->GetOctets(), i), true);
      } catch (...) {
        // An object that refuses to be freed: the read error matters more.
      }
    }
    throw;
  }
  TypeTableauOuvert valeur;
  valeur.PtrValeurs = nombre > 0 ? stockage->GetOctets() : nullptr;
  valeur.TailleMoinsUn = tailleMoinsUn;
  conteneur.SetValeur(valeur);
  conteneur.SetStockage(std::move(stockage));
}

std::int32_t TSerialisateurParametreTableauOuvert::GetTaille() {
  return static_cast<std::int32_t>(sizeof(TypeTableauOuvert));
}

std::int32_t TSerialisateurParametreTableauOuvert::GetNombreParametres() { return 2; }

void TSerialisateurParametreTableauOuvert::InitialiserValeur(void* AAdresse) noexcept {
  ::new (AAdresse) TypeTableauOuvert();
}

}  // namespace kv
