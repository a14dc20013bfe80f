#include <gtest/gtest.h>

#include "objets/Classe.h"
#include "objets/ObjetInterfacable.h"
#include "objets/Reference.h"

namespace kv::test {
namespace {

class TVehicule : public TObjetInterfacable {
  KV_CLASSE(TVehicule, TObjetInterfacable)

 public:
  TVehicule() : TObjetInterfacable(true) {}
};

class TVelo : public TVehicule {
  KV_CLASSE(TVelo, TVehicule)
};

// Declares no class object of its own.
class TVeloElectrique : public TVelo {};

TEST(Classe, NomEtParents) {
  const TClasse& velo = TVelo::Classe();
  EXPECT_EQ(velo.GetNom(), u"TVelo");
  EXPECT_EQ(velo.GetParent(), &TVehicule::Classe());
  EXPECT_EQ(TVehicule::Classe().GetParent(), &TObjetInterfacable::Classe());
  EXPECT_EQ(TObjetInterfacable::Classe().GetNom(), u"TObjetInterfacable");
  EXPECT_EQ(TObjetInterfacable::Classe().GetParent(), nullptr);
  EXPECT_EQ(&TVelo::Classe(), &velo) << "one object per class";
}

TEST(Classe, Heritage) {
  EXPECT_TRUE(TVelo::Classe().HeriteDe(&TVelo::Classe()));
  EXPECT_TRUE(TVelo::Classe().HeriteDe(&TObjetInterfacable::Classe()));
  EXPECT_FALSE(TVehicule::Classe().HeriteDe(&TVelo::Classe()));
  EXPECT_FALSE(TVelo::Classe().HeriteDe(nullptr));
}

TEST(Classe, ClasseDeLObjetALExecution) {
  TRef<TVehicule> velo = Nouveau<TVelo>();
  TRef<TVehicule> vehicule = Nouveau<TVehicule>();
  EXPECT_EQ(&velo->ClasseObjet(), &TVelo::Classe());
  EXPECT_EQ(&vehicule->ClasseObjet(), &TVehicule::Classe());
  TRef<TVehicule> electrique = Nouveau<TVeloElectrique>();
  EXPECT_EQ(&electrique->ClasseObjet(), &TVelo::Classe()) << "the nearest declared ancestor";
}

// A family whose class objects carry a class-level virtual operation: a
// virtual constructor that makes the most derived class.
class TClasseFabrique : public TClasse {
 public:
  using TClasse::TClasse;
  virtual TRef<TObjetInterfacable> Creer() const = 0;
};

template <class AObjet>
class TClasseFabriqueDe : public TClasseFabrique {
 public:
  using TClasseFabrique::TClasseFabrique;
  TRef<TObjetInterfacable> Creer() const override { return Nouveau<AObjet>(); }
};

class TPiece : public TObjetInterfacable {
  KV_CLASSE_TYPEE(TPiece, TObjetInterfacable, TClasseFabriqueDe<TPiece>)

 public:
  TPiece() : TObjetInterfacable(true) {}
};

class TRoue : public TPiece {
  KV_CLASSE_TYPEE(TRoue, TPiece, TClasseFabriqueDe<TRoue>)
};

TEST(Classe, ClasseDeriveeAvecConstructeurVirtuel) {
  TRef<TObjetInterfacable> roue = Nouveau<TRoue>();
  // Only the class object is known, through the base: the copy is a TRoue.
  const auto* classe = dynamic_cast<const TClasseFabrique*>(&roue->ClasseObjet());
  ASSERT_NE(classe, nullptr);
  TRef<TObjetInterfacable> copie = classe->Creer();
  EXPECT_EQ(&copie->ClasseObjet(), &TRoue::Classe());
  EXPECT_EQ(TRoue::Classe().GetParent(), &TPiece::Classe());
  EXPECT_EQ(TRoue::Classe().GetNom(), u"TRoue");
}

}  // namespace
}  // namespace kv::test
