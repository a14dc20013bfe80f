#pragma once

// Interfaces described for the service description tests, with the records
// and sets their methods take.

#include <cstdint>
#include <string>

#include "objets/DescriptionInterface.h"
#include "objets/ObjetInterfacable.h"

namespace kv::test {

struct TypeTrois {
  std::uint8_t A;
  std::uint8_t B;
  std::uint8_t C;
};
KV_DECRIRE_RECORD(TypeTrois, KV_CHAMP(A), KV_CHAMP(B), KV_CHAMP(C));

struct TypeQuatre {
  std::uint16_t A;
  std::uint8_t B;
  std::uint8_t C;
};
KV_DECRIRE_RECORD(TypeQuatre, KV_CHAMP(A), KV_CHAMP(B), KV_CHAMP(C));

enum class TypeLettre : std::uint8_t { l0, l1, l2, l23 = 23 };
// Three bytes: the 32-bit passing rules apply to it.
using TypeLettres = TEnsemble<TypeLettre, TypeLettre::l0, TypeLettre::l23>;
enum class TypeDrapeau : std::uint8_t { d0, d7 = 7 };
using TypeDrapeaux = TEnsemble<TypeDrapeau, TypeDrapeau::d0, TypeDrapeau::d7>;

struct TypePoint {
  double X;
  std::int32_t Y;
};
KV_DECRIRE_RECORD(TypePoint, KV_CHAMP(X), KV_CHAMP(Y));

struct TypeFiche {
  std::u16string Nom;
  std::int32_t Age;
  TypeLettres Lettres;
  TTableauDynamique<double> Notes;
  std::int16_t Codes[3];
};
KV_DECRIRE_RECORD(TypeFiche, KV_CHAMP(Nom), KV_CHAMP(Age), KV_CHAMP(Lettres), KV_CHAMP(Notes),
                  KV_CHAMP(Codes));

class TObjetEssai : public TObjetInterfacable {
 public:
  TObjetEssai() : TObjetInterfacable(true) {}
};

class IUnEntier : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{3C1E7A52-8D44-4B0F-A1C2-5E6F7A8B9C01}");
  virtual void Prendre(std::int32_t AValeur) = 0;

 protected:
  ~IUnEntier() = default;
};
KV_DECRIRE_INTERFACE(IUnEntier, IInterface, KV_METHODE(Prendre, AValeur));

// One method per edge of the layout.
class IDisposition : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{3C1E7A52-8D44-4B0F-A1C2-5E6F7A8B9C02}");
  virtual std::int32_t Reel(double AValeur) = 0;
  virtual std::u16string Texte() = 0;
  virtual void RecordTroisConst(const TypeTrois& ARecord) = 0;
  virtual void RecordQuatreConst(const TypeQuatre& ARecord) = 0;
  virtual void EnsembleConst(const TypeLettres& AEnsemble) = 0;
  virtual void RecordTroisValeur(TypeTrois ARecord) = 0;
  virtual void CinqEntiers(std::int32_t A, std::int32_t B, std::int32_t C, std::int32_t D,
                           std::int32_t E) = 0;
  virtual void SixEntiers(std::int32_t A, std::int32_t B, std::int32_t C, std::int32_t D,
                          std::int32_t E, std::int32_t F) = 0;
  virtual void Ouvert(TTableauOuvert<const std::int32_t> AValeurs, double AReel) = 0;
  virtual void Modifier(TTableauOuvert<std::int32_t> AValeurs) = 0;
  virtual void Point(TypePoint APoint) = 0;

 protected:
  ~IDisposition() = default;
};
KV_DECRIRE_INTERFACE(IDisposition, IInterface, KV_METHODE(Reel, AValeur), KV_METHODE(Texte),
                     KV_METHODE(RecordTroisConst, ARecord), KV_METHODE(RecordQuatreConst, ARecord),
                     KV_METHODE(EnsembleConst, AEnsemble), KV_METHODE(RecordTroisValeur, ARecord),
                     KV_METHODE(CinqEntiers, A, B, C, D, E),
                     KV_METHODE(SixEntiers, A, B, C, D, E, F), KV_METHODE(Ouvert, AValeurs, AReel),
                     KV_METHODE(Modifier, AValeurs), KV_METHODE(Point, APoint));

// Records, arrays, strings, interfaces, objects, sets, out and var
// parameters; derives from IUnEntier, whose method comes first.
class IComplet : public IUnEntier {
 public:
  static constexpr TGUID IID = GuidLitteral("{3C1E7A52-8D44-4B0F-A1C2-5E6F7A8B9C03}");
  virtual std::u16string Decrire(const TypeFiche& AFiche,
                                 TTableauOuvert<const std::u16string> ANoms,
                                 TSortie<TypeFiche> ACopie) = 0;
  virtual TRef<IDisposition> Trouver(IDisposition* AService, TGUID& AGuid,
                                     const TypeDrapeaux& ADrapeaux, TObjetEssai* AObjet) = 0;
  virtual void Remplir(TTableauDynamique<TypeTrois>& ATable, TTableauOuvert<float> AValeurs,
                       std::int64_t AGrand, bool AOui, float AReel) = 0;

 protected:
  ~IComplet() = default;
};
KV_DECRIRE_INTERFACE(IComplet, IUnEntier, KV_METHODE(Decrire, AFiche, ANoms, ACopie),
                     KV_METHODE(Trouver, AService, AGuid, ADrapeaux, AObjet),
                     KV_METHODE(Remplir, ATable, AValeurs, AGrand, AOui, AReel));

}  // namespace kv::test
