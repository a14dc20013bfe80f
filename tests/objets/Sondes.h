#pragma once

// Small interfaced objects whose lifetime the object-model tests watch.

#include "objets/ObjetInterfacable.h"

namespace kv::test {

class ISonde : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{5B41454B-579F-4477-8D1B-4FA0C7AE5999}");
  virtual int Valeur() noexcept = 0;

 protected:
  ~ISonde() = default;
};

class IAutre : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{7E1CBA78-5B7F-4E8C-A78D-CDF92DC5DEDA}");
  virtual int Autre() noexcept = 0;

 protected:
  ~IAutre() = default;
};

// Counts its destructions in *ADestructions.
class TSonde : public TObjetInterfacable, public ISonde {
  KV_INTERFACES(TObjetInterfacable, ISonde)

 public:
  TSonde(bool ALiberationAutomatique, int* ADestructions, int AValeur = 7)
      : TObjetInterfacable(ALiberationAutomatique),
        FDestructions(ADestructions),
        FValeur(AValeur) {}
  int Valeur() noexcept override { return FValeur; }
  ISonde* CommeSonde() noexcept { return this; }

 protected:
  ~TSonde() override {
    if (FDestructions) ++*FDestructions;
  }

 private:
  int* FDestructions;
  int FValeur;
};

// Implements IAutre only.
class TAutre : public TObjetInterfacable, public IAutre {
  KV_INTERFACES(TObjetInterfacable, IAutre)

 public:
  explicit TAutre(int* ADestructions) : TObjetInterfacable(true), FDestructions(ADestructions) {}
  int Autre() noexcept override { return 3; }

 protected:
  ~TAutre() override {
    if (FDestructions) ++*FDestructions;
  }

 private:
  int* FDestructions;
};

}  // namespace kv::test
