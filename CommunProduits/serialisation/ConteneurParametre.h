#pragma once

// Parameter containers: one value of a parameter type, held in storage of the
// container's own, with the name of the parameter it belongs to, the
// sub-containers of the parts of a composite value and the containers coupled
// with it.
//
// A container is made by its serializer's CreerConteneur and disposed of by
// the same serializer's LibererConteneur, which releases the value and the
// sub-containers. A container owns its name and storage, not its
// sub-containers nor its coupled containers. Destroying one ends the life of
// the C++ objects in its storage (a string's memory, an interface's count)
// but frees no object that the value points to.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objets/Interface.h"
#include "objets/ObjetInterfacable.h"
#include "objets/Reference.h"
#include "objets/TableauOuvert.h"
#include "serialisation/I_SerialisateurParametre.h"

namespace kv {

class TConteneurParametre {
 public:
  // No sub-containers, no couplings.
  TConteneurParametre(std::u16string_view ANom, void* AAdresseValeur);
  virtual ~TConteneurParametre() = default;
  TConteneurParametre(const TConteneurParametre&) = delete;
  TConteneurParametre& operator=(const TConteneurParametre&) = delete;

  const std::u16string& GetNom() const noexcept { return FNom; }
  // Address of the storage holding the value.
  void* GetAdresseValeur() const noexcept { return FAdresseValeur; }

  std::int32_t GetNombreSousConteneurs() const noexcept;
  // New entries are null; entries dropped are not freed. Raises
  // EArgumentInvalide for a negative count.
  void SetNombreSousConteneurs(std::int32_t ANombre);
  // Indices from 0; one out of range raises EListError.
  TConteneurParametre* GetSousConteneur(std::int32_t AIndice) const;
  void SetSousConteneur(std::int32_t AIndice, TConteneurParametre* AConteneur);

  std::int32_t GetNombreConteneursCouples() const noexcept;
  TConteneurParametre* GetConteneurCouple(std::int32_t AIndice) const;
  // Appends AConteneur to the coupled containers; no check, one way.
  void CouplerAvec(TConteneurParametre* AConteneur);

 protected:
  void SetAdresseValeur(void* AAdresse) noexcept { FAdresseValeur = AAdresse; }

 private:
  std::u16string FNom;
  void* FAdresseValeur;
  std::vector<TConteneurParametre*> FSousConteneurs;
  std::vector<TConteneurParametre*> FConteneursCouples;
};

// ATaille bytes, zero-filled, 16-byte aligned. When AValeurs is given, it
// makes the value in them (InitialiserValeur) and ends it when the container
// goes (DetruireValeur); the container holds a reference to it.
class TConteneurParametreOctets : public TConteneurParametre {
 public:
  TConteneurParametreOctets(std::u16string_view ANom, std::int32_t ATaille,
                            ISerialisateurParametre* AValeurs = nullptr);
  ~TConteneurParametreOctets() override;

  std::int32_t GetTaille() const noexcept { return FTaille; }

 private:
  std::unique_ptr<unsigned char[]> FValeur;
  std::int32_t FTaille;
  TRef<ISerialisateurParametre> FValeurs;
};

class TConteneurParametreRaw : public TConteneurParametreOctets {
 public:
  using TConteneurParametreOctets::TConteneurParametreOctets;
};

class TConteneurParametreRecord : public TConteneurParametreOctets {
 public:
  using TConteneurParametreOctets::TConteneurParametreOctets;
};

class TConteneurParametreTableauTailleFixe : public TConteneurParametreOctets {
 public:
  using TConteneurParametreOctets::TConteneurParametreOctets;
};

// A counted interface reference, null at first; the container's end releases
// it.
class TConteneurParametreInterface : public TConteneurParametre {
 public:
  explicit TConteneurParametreInterface(std::u16string_view ANom);
  ~TConteneurParametreInterface() override;

  TRef<IInterface> GetValeur() const noexcept { return TRef<IInterface>(FValeur); }
  void SetValeur(TRef<IInterface> AValeur) noexcept;

 private:
  IInterface* FValeur = nullptr;  // counted
};

// An object reference, null at first; never freed by the container.
class TConteneurParametreObjet : public TConteneurParametre {
 public:
  explicit TConteneurParametreObjet(std::u16string_view ANom);

  TObjetInterfacable* GetValeur() const noexcept { return FValeur; }
  void SetValeur(TObjetInterfacable* AValeur) noexcept { FValeur = AValeur; }

 private:
  TObjetInterfacable* FValeur = nullptr;
};

class TConteneurParametreString : public TConteneurParametre {
 public:
  explicit TConteneurParametreString(std::u16string_view ANom);

  const std::u16string& GetValeur() const noexcept { return FValeur; }
  void SetValeur(std::u16string AValeur) noexcept { FValeur = std::move(AValeur); }

 private:
  std::u16string FValeur;
};

// A pointer to a dynamic array block, null at first; the block is the
// serializer's to release.
class TConteneurParametreTableauDynamique : public TConteneurParametre {
 public:
  explicit TConteneurParametreTableauDynamique(std::u16string_view ANom);

  void* GetValeur() const noexcept { return FValeur; }
  void SetValeur(void* AValeur) noexcept { FValeur = AValeur; }

 private:
  void* FValeur = nullptr;
};

// Storage for the elements of an open array read from a stream: ANombre
// elements of AElements, made empty on creation; the end releases each
// (objects not freed) and ends its life.
class TStockageTableauOuvert {
 public:
  // Raises std::bad_alloc when memory runs out.
  TStockageTableauOuvert(ISerialisateurParametre& AElements, std::int32_t ANombre);
  ~TStockageTableauOuvert();
  TStockageTableauOuvert(const TStockageTableauOuvert&) = delete;
  TStockageTableauOuvert& operator=(const TStockageTableauOuvert&) = delete;

  unsigned char* GetOctets() const noexcept { return FOctets.get(); }
  std::int32_t GetNombre() const noexcept { return FNombre; }

 private:
  TRef<ISerialisateurParametre> FElements;
  std::int32_t FNombre;
  std::int32_t FTailleElement;
  std::unique_ptr<unsigned char[]> FOctets;
};

// An open array, empty at first (TailleMoinsUn -1, PtrValeurs null), and the
// storage of the elements it was last read into, if any.
class TConteneurParametreTableauOuvert : public TConteneurParametre {
 public:
  explicit TConteneurParametreTableauOuvert(std::u16string_view ANom);

  const TypeTableauOuvert& GetValeur() const noexcept { return FValeur; }
  void SetValeur(const TypeTableauOuvert& AValeur) noexcept { FValeur = AValeur; }
  TStockageTableauOuvert* GetStockage() const noexcept { return FStockage.get(); }
  // Takes AStockage, ending the previous storage and its elements.
  void SetStockage(std::unique_ptr<TStockageTableauOuvert> AStockage) noexcept;

 private:
  TypeTableauOuvert FValeur;
  std::unique_ptr<TStockageTableauOuvert> FStockage;
};

}  // namespace kv
