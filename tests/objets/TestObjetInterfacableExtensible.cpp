#include <gtest/gtest.h>

#include "Sondes.h"
#include "objets/ObjetInterfacableExtensible.h"

namespace kv::test {
namespace {

class TProprietaire : public TObjetInterfacableExtensible {
 public:
  explicit TProprietaire(int* ADestructions)
      : TObjetInterfacableExtensible(true), FDestructions(ADestructions) {}

 protected:
  ~TProprietaire() override { ++*FDestructions; }

 private:
  int* FDestructions;
};

// An owner that is itself the extension ISonde of another owner.
class TSondeExtensible : public TObjetInterfacableExtensible, public ISonde {
  KV_INTERFACES(TObjetInterfacableExtensible, ISonde)

 public:
  explicit TSondeExtensible(int* ADestructions)
      : TObjetInterfacableExtensible(true), FDestructions(ADestructions) {}
  int Valeur() noexcept override { return 11; }

 protected:
  ~TSondeExtensible() override { ++*FDestructions; }

 private:
  int* FDestructions;
};

class ExtensionTest : public testing::Test {
 protected:
  int FDestructionsProprietaire = 0;
  int FDestructionsExtensions = 0;
  TRef<TProprietaire> FProprietaire = Nouveau<TProprietaire>(&FDestructionsProprietaire);

  TRef<IInterfaceExtensible> Extensible() {
    return Interroger<IInterfaceExtensible>(FProprietaire->InterfaceDeBase());
  }
};

TEST_F(ExtensionTest, LExtensionRepondPourSonProprietaire) {
  TRef<TSonde> extension = Nouveau<TSonde>(true, &FDestructionsExtensions, 42);
  ASSERT_TRUE(Extensible()->AjouterExtension(ISonde::IID, extension.Get()));
  EXPECT_EQ(FProprietaire->CompteurReferences(), 2) << "ours, and the extension's now counted here";
  EXPECT_EQ(extension->CompteurReferences(), 0);

  TRef<ISonde> sonde = Interroger<ISonde>(FProprietaire->InterfaceDeBase());
  ASSERT_TRUE(sonde);
  EXPECT_EQ(sonde.Get(), extension->CommeSonde());
  EXPECT_EQ(sonde->Valeur(), 42);
  EXPECT_EQ(FProprietaire->CompteurReferences(), 3);
  sonde = nullptr;
  EXPECT_EQ(FProprietaire->CompteurReferences(), 2);
  sonde = Interroger<ISonde>(FProprietaire->InterfaceDeBase());
  EXPECT_TRUE(Interroger<IInterfaceExtensible>(sonde.Get()))
      << "queries through the extension reach the owner";
}

TEST_F(ExtensionTest, AjoutsRefuses) {
  TRef<TSonde> premiere = Nouveau<TSonde>(true, &FDestructionsExtensions);
  TRef<TSonde> seconde = Nouveau<TSonde>(true, &FDestructionsExtensions);
  EXPECT_FALSE(Extensible()->AjouterExtension(IAutre::IID, premiere.Get()))
      << "the extension does not implement the GUID";
  EXPECT_FALSE(premiere->GetConteneur());
  EXPECT_FALSE(Interroger<IAutre>(FProprietaire->InterfaceDeBase()));
  EXPECT_FALSE(Extensible()->AjouterExtension(ISonde::IID, nullptr));

  ASSERT_TRUE(Extensible()->AjouterExtension(ISonde::IID, premiere.Get()));
  EXPECT_FALSE(Extensible()->AjouterExtension(ISonde::IID, seconde.Get())) << "GUID taken";
  EXPECT_FALSE(seconde->GetConteneur()) << "the refused extension stays free";
  EXPECT_EQ(seconde->CompteurReferences(), 1);

  TRef<TProprietaire> autre = Nouveau<TProprietaire>(&FDestructionsProprietaire);
  auto autreExtensible = Interroger<IInterfaceExtensible>(autre->InterfaceDeBase());
  EXPECT_FALSE(autreExtensible->AjouterExtension(ISonde::IID, premiere.Get()))
      << "already attached elsewhere";
}

TEST_F(ExtensionTest, LeProprietaireEmporteSesExtensions) {
  ASSERT_TRUE(Extensible()->AjouterExtension(ISonde::IID,
                                             Construire<TSonde>(true, &FDestructionsExtensions)));
  ASSERT_TRUE(
      Extensible()->AjouterExtension(IAutre::IID, Construire<TAutre>(&FDestructionsExtensions)));
  EXPECT_EQ(FProprietaire->CompteurReferences(), 1);
  FProprietaire = nullptr;
  EXPECT_EQ(FDestructionsProprietaire, 1);
  EXPECT_EQ(FDestructionsExtensions, 2);
}

// The last reference to the owner goes through one of its extensions: the
// extension frees itself first, and the owner must not touch it afterwards
// (the address sanitizer watches for that).
TEST_F(ExtensionTest, DerniereReferenceRelacheeParUneExtension) {
  ASSERT_TRUE(Extensible()->AjouterExtension(ISonde::IID,
                                             Construire<TSonde>(true, &FDestructionsExtensions)));
  ASSERT_TRUE(
      Extensible()->AjouterExtension(IAutre::IID, Construire<TAutre>(&FDestructionsExtensions)));
  TRef<ISonde> sonde = Interroger<ISonde>(FProprietaire->InterfaceDeBase());
  FProprietaire = nullptr;
  EXPECT_EQ(FDestructionsProprietaire, 0);
  sonde = nullptr;
  EXPECT_EQ(FDestructionsProprietaire, 1);
  EXPECT_EQ(FDestructionsExtensions, 2);
}

// Three levels: the fixture's owner, a middle owner attached to it as its
// extension ISonde, and an IAutre extension of the middle one. Whichever
// reference goes last, each object goes once, and no owner touches an
// extension that went before it (the address sanitizer watches for that).
TEST_F(ExtensionTest, UnProprietaireLuiMemeExtensionEmporteLesSiennes) {
  enum class TypeDerniere { Proprietaire, ExtensionInterne };
  for (const TypeDerniere derniere : {TypeDerniere::Proprietaire, TypeDerniere::ExtensionInterne}) {
    SCOPED_TRACE(derniere == TypeDerniere::Proprietaire ? "proprietaire" : "extension interne");
    int destructionsProprietaire = 0, destructionsMilieu = 0, destructionsInterne = 0;
    TRef<TProprietaire> proprietaire = Nouveau<TProprietaire>(&destructionsProprietaire);
    TSondeExtensible* milieu = Construire<TSondeExtensible>(&destructionsMilieu);
    TAutre* interne = Construire<TAutre>(&destructionsInterne);
    TRef<IAutre> referenceInterne(interne);
    // Attached before the middle owner delegates its queries to its own owner.
    ASSERT_TRUE(milieu->AjouterExtension(IAutre::IID, interne));
    ASSERT_TRUE(Interroger<IInterfaceExtensible>(proprietaire.Get())
                    ->AjouterExtension(ISonde::IID, milieu));
    EXPECT_EQ(proprietaire->CompteurReferences(), 2) << "ours and the inner extension's";

    if (derniere == TypeDerniere::ExtensionInterne) proprietaire = nullptr;
    referenceInterne = nullptr;
    proprietaire = nullptr;
    EXPECT_EQ(destructionsProprietaire, 1);
    EXPECT_EQ(destructionsMilieu, 1);
    EXPECT_EQ(destructionsInterne, 1);
  }
}

}  // namespace
}  // namespace kv::test
