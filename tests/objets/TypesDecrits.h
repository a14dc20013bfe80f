#pragma once

// Types described for the description tests, shared by two translation units
// so that the tests can see that a type has one description in the program.

#include <array>
#include <cstdint>
#include <string>

#include "objets/DescriptionInterface.h"
#include "objets/ObjetInterfacable.h"

namespace kv::test {

enum class TypeCouleur : std::uint8_t { cRouge, cVert, cBleu };
using TypeCouleurs = TEnsemble<TypeCouleur, TypeCouleur::cRouge, TypeCouleur::cBleu>;

class TObjetDecrit : public TObjetInterfacable {
 public:
  TObjetDecrit() : TObjetInterfacable(true) {}
};

class ISimple : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{6E0F4C52-4B4B-4F37-9B7E-2E61C8A0D101}");
  virtual std::int32_t Valeur() = 0;

 protected:
  ~ISimple() = default;
};
KV_DECRIRE_INTERFACE(ISimple, IInterface, KV_METHODE(Valeur));

struct TypePoint {
  double X;
  std::int32_t Y;
};
KV_DECRIRE_RECORD(TypePoint, KV_CHAMP(X), KV_CHAMP(Y));

// Every value form in one record, with the gaps natural alignment leaves.
struct TypeToutesFormes {
  std::uint8_t Octet;
  std::int32_t Entier;
  double Reel;
  std::u16string Chaine;
  TRef<ISimple> Interface;
  TObjetDecrit* Objet;
  TTableauDynamique<std::int16_t> Dynamique;
  std::int16_t Statique[3];
  TGUID Guid;
  TypeCouleurs Couleurs;
  TypePoint Point;
  std::array<float, 2> Paire;
  std::int64_t Grand;
};
KV_DECRIRE_RECORD(TypeToutesFormes, KV_CHAMP(Octet), KV_CHAMP(Entier), KV_CHAMP(Reel),
                  KV_CHAMP(Chaine), KV_CHAMP(Interface), KV_CHAMP(Objet), KV_CHAMP(Dynamique),
                  KV_CHAMP(Statique), KV_CHAMP(Guid), KV_CHAMP(Couleurs), KV_CHAMP(Point),
                  KV_CHAMP(Paire), KV_CHAMP(Grand));

// The description of TypeToutesFormes as another translation unit sees it.
const TInfoType& InfoTypeToutesFormesAutreUnite();
const TInfoTypeInterface& InfoTypeSimpleAutreUnite();

}  // namespace kv::test
