#pragma once

// Small serialisable objects for the formatter tests: a node that holds a
// value and a child node, whose class meta information carries an
// instantiator.

#include <cstdint>

#include "objets/ImplMetaInfo.h"
#include "objets/ObjetInterfacable.h"
#include "objets/SingletonMetaInfo.h"
#include "serialisation/I_FormatSerialisation.h"
#include "serialisation/I_Instanciateur.h"

namespace kv::test {

class INoeud : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{3C9A0E51-77B2-4F0D-8A61-2E5B9D4C1F07}");
  virtual std::int32_t GetValeur() noexcept = 0;
  virtual TRef<INoeud> GetEnfant() noexcept = 0;

 protected:
  ~INoeud() = default;
};

// Writes its value, then its child (null or not) through the same format.
// Remembers the format it was last handed.
class TNoeud : public TObjetInterfacable,
               public INoeud,
               public IFSTout,
               public IAvecMetaInfoClasse {
  KV_INTERFACES(TObjetInterfacable, INoeud, IFSTout, IAvecMetaInfoClasse)
  KV_CLASSE(TNoeud, TObjetInterfacable)

 public:
  explicit TNoeud(bool ALiberationAutomatique, std::int32_t AValeur = 0,
                  TRef<INoeud> AEnfant = nullptr)
      : TObjetInterfacable(ALiberationAutomatique), FValeur(AValeur), FEnfant(AEnfant) {}

  std::int32_t GetValeur() noexcept override { return FValeur; }
  TRef<INoeud> GetEnfant() noexcept override { return FEnfant; }
  void SetEnfant(TRef<INoeud> AEnfant) { FEnfant = AEnfant; }
  TypeClasseFormatSerialisation DernierFormat() const { return FDernierFormat; }

  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override {
    FDernierFormat = AFormat;
    AFormateur.EcrireEntier(FValeur);
    AFormateur.EcrireInterface(FEnfant.Get(), AFormat);
  }
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override {
    FDernierFormat = AFormat;
    FValeur = AFormateur.LireEntier();
    TRef<IInterface> enfant = AFormateur.LireInterface(AFormat);
    FEnfant = Interroger<INoeud>(enfant);
  }

  // The class meta information, with its instantiator registered on first
  // request.
  static TRef<IMetaInfoClasse> MetaInfoClasse();
  TRef<IMetaInfoClasse> GetMetaInfoClasse() override { return MetaInfoClasse(); }

  // Nodes made and not yet destroyed, to watch for leaks on failed reads.
  static inline int Vivants = 0;

 protected:
  ~TNoeud() override { --Vivants; }

 private:
  struct TypeCompte {
    TypeCompte() { ++Vivants; }
  } FCompte;
  std::int32_t FValeur;
  TRef<INoeud> FEnfant;
  TypeClasseFormatSerialisation FDernierFormat = nullptr;
};

// Makes nodes: Instancier one that the caller frees, InstancierInterface one
// that goes with its last reference.
class TInstanciateurNoeud : public TObjetInterfacable, public IInstanciateur {
  KV_INTERFACES(TObjetInterfacable, IInstanciateur)

 public:
  TInstanciateurNoeud() : TObjetInterfacable(true) {}
  TObjetInterfacable* Instancier() override { return Construire<TNoeud>(false); }
  TRef<IInterface> InstancierInterface() override {
    return TRef<IInterface>(Nouveau<TNoeud>(true)->InterfaceDeBase());
  }
};

inline TRef<IMetaInfoClasse> TNoeud::MetaInfoClasse() {
  TRef<IMetaInfoClasse> metaInfo = TSingletonMetaInfo::GetMetaInfoClasse(&Classe());
  if (!Interroger<IInstanciateur>(metaInfo)) {
    metaInfo->AjouterExtension(IInstanciateur::IID, Nouveau<TInstanciateurNoeud>().Get());
  }
  return metaInfo;
}

}  // namespace kv::test
