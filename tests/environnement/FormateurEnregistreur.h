#pragma once

// A formatter that keeps the values written in a list, in order, with their
// kind, and reads them back from the start. Only the integer operations that
// versions use are there; the others raise.

#include <cstdint>
#include <vector>

#include "commun/Exception.h"
#include "serialisation/Flux.h"
#include "serialisation/I_Formatter.h"

namespace kv::tests {

// A read that does not match what was written, or past the end.
KV_DECLARER_EXCEPTION(ELectureEnregistreur, Exception);

class TFormateurEnregistreur final : public IFormatter {
 public:
  enum class TypeGenre { Entier, Cardinal };
  struct TypeValeur {
    TypeGenre Genre;
    std::uint32_t Bits;
    bool operator==(const TypeValeur&) const = default;
  };

  std::vector<TypeValeur> Valeurs;
  std::size_t Lues = 0;
  // What the stream claims to hold, in bytes; by default one per value, the
  // least that any encoding takes.
  std::int64_t TailleAnnoncee = -1;

  TFormateurEnregistreur() : FFlux(*this) {}

  THResult QueryInterface(const TGUID&, void** AInterface) noexcept override {
    *AInterface = nullptr;
    return E_NOINTERFACE;
  }
  std::int32_t _AddRef() noexcept override { return 1; }
  std::int32_t _Release() noexcept override { return 1; }

  TFlux& GetFlux() override { return FFlux; }
  IEcrivainValeurs& GetEcrivainValeurs() override { NonPrisEnCharge(); }

  void EcrireEntier(std::int32_t AValeur) override {
    Valeurs.push_back({TypeGenre::Entier, static_cast<std::uint32_t>(AValeur)});
  }
  std::int32_t LireEntier() override { return static_cast<std::int32_t>(Lire(TypeGenre::Entier)); }
  void EcrireCardinal(std::uint32_t AValeur) override {
    Valeurs.push_back({TypeGenre::Cardinal, AValeur});
  }
  std::uint32_t LireCardinal() override { return Lire(TypeGenre::Cardinal); }

  void EcrireBooleen(bool) override { NonPrisEnCharge(); }
  bool LireBooleen() override { NonPrisEnCharge(); }
  void EcrireOctet(std::uint8_t) override { NonPrisEnCharge(); }
  std::uint8_t LireOctet() override { NonPrisEnCharge(); }
  void EcrireChaine(std::u16string_view) override { NonPrisEnCharge(); }
  std::u16string LireChaine() override { NonPrisEnCharge(); }
  void EcrireGuid(const TGUID&) override { NonPrisEnCharge(); }
  TGUID LireGuid() override { NonPrisEnCharge(); }
  void EcrireTableauEntiers(std::span<const std::int32_t>) override { NonPrisEnCharge(); }
  std::vector<std::int32_t> LireTableauEntiers() override { NonPrisEnCharge(); }
  void EcrireOctets(const void*, std::size_t) override { NonPrisEnCharge(); }
  void LireOctets(void*, std::size_t) override { NonPrisEnCharge(); }
  void DebutElement(std::u16string_view) override { NonPrisEnCharge(); }
  void FinElement() override { NonPrisEnCharge(); }
  void EcrireInterface(IInterface*, TypeClasseFormatSerialisation) override { NonPrisEnCharge(); }
  TRef<IInterface> LireInterface(TypeClasseFormatSerialisation) override { NonPrisEnCharge(); }
  void EcrireObjet(TObjetInterfacable*, TypeClasseFormatSerialisation) override {
    NonPrisEnCharge();
  }
  TObjetInterfacable* LireObjet(TypeClasseFormatSerialisation) override { NonPrisEnCharge(); }
  void AnnoncerTaille(std::int64_t) override { NonPrisEnCharge(); }

 private:
  // Its position is the count of values read.
  class TFluxValeurs final : public TFlux {
   public:
    explicit TFluxValeurs(TFormateurEnregistreur& AFormateur) : FFormateur(AFormateur) {}
    std::int64_t GetTaille() const override {
      return FFormateur.TailleAnnoncee >= 0 ? FFormateur.TailleAnnoncee
                                            : static_cast<std::int64_t>(FFormateur.Valeurs.size());
    }
    std::int64_t GetPosition() const override { return static_cast<std::int64_t>(FFormateur.Lues); }
    void SetPosition(std::int64_t APosition) override {
      FFormateur.Lues = static_cast<std::size_t>(APosition);
    }
    void Lire(void*, std::size_t) override { NonPrisEnCharge(); }
    void Ecrire(const void*, std::size_t) override { NonPrisEnCharge(); }

   private:
    TFormateurEnregistreur& FFormateur;
  };

  [[noreturn]] static void NonPrisEnCharge() {
    throw ELectureEnregistreur(u"Opération absente du formateur de test.");
  }

  std::uint32_t Lire(TypeGenre AGenre) {
    if (Lues >= Valeurs.size() || Valeurs[Lues].Genre != AGenre) {
      throw ELectureEnregistreur(u"Lecture qui ne suit pas l'écriture.");
    }
    return Valeurs[Lues++].Bits;
  }

  TFluxValeurs FFlux;
};

}  // namespace kv::tests
