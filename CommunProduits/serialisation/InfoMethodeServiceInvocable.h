#pragma once

// The description of one method of an invocable service: its parameters (the
// result first for a function) and the layout of its call in the common
// frame (DispositionAppel.h). The numbers it carries and writes (Offset and
// Modes of each parameter, TaillePile, MasqueSse, OffsetInterface) are those
// of the framework's Windows x64 layout, whatever the machine; the layout of
// the machine the program runs on is kept beside them for the run-time stubs
// (GetDispositionHote).

#include <cstdint>
#include <string>
#include <string_view>

#include "objets/Reference.h"
#include "serialisation/DispositionAppel.h"
#include "serialisation/I_FormatSerialisation.h"
#include "serialisation/InfoCouplageParametresServiceInvocable.h"
#include "serialisation/ListeInfoParametresServiceInvocable.h"
#include "serialisation/ObjetSerialisable.h"

namespace kv {

class TInfoParametreServiceInvocable;

// Made without automatic freeing by default: the service description that
// holds it frees it. Destroying it frees its parameter descriptions.
class TInfoMethodeServiceInvocable : public TObjetSerialisable,
                                     public IFSSerialisationGeneriqueV1,
                                     public IFSPourTrace {
  KV_INTERFACES(TObjetSerialisable, IFSSerialisationGeneriqueV1, IFSPourTrace)
  KV_CLASSE_SERIALISABLE(TInfoMethodeServiceInvocable, TObjetSerialisable)

 public:
  explicit TInfoMethodeServiceInvocable(bool ALiberationAutomatique = false) noexcept
      : TObjetSerialisable(ALiberationAutomatique) {}

  const std::u16string& GetNom() const noexcept { return FNom; }
  void SetNom(std::u16string_view ANom) { FNom = ANom; }
  // The method is a function: its result is parameter 0, named "Result".
  bool GetAvecValeurRetour() const noexcept { return FAvecValeurRetour; }
  void SetAvecValeurRetour(bool AValeur) noexcept { FAvecValeurRetour = AValeur; }
  // Carried, never interpreted here.
  std::int32_t GetAutorisationsSpeciales() const noexcept { return FAutorisationsSpeciales; }
  void SetAutorisationsSpeciales(std::int32_t AValeur) noexcept {
    FAutorisationsSpeciales = AValeur;
  }
  // Bytes of the argument area from the interface pointer on: at least 32, a
  // multiple of 16 (0 before CalculerDisposition).
  std::int32_t GetTaillePile() const noexcept { return FTaillePile; }
  // Frame offset of the interface pointer: 24 (0 before CalculerDisposition).
  std::int32_t GetOffsetInterface() const noexcept { return FOffsetInterface; }
  // Bit k: register argument k (1 to 3) travels in a floating-point register.
  std::uint8_t GetMasqueSse() const noexcept { return FMasqueSse; }
  // The host's layout of the call, for the run-time stubs; empty before
  // CalculerDisposition.
  const TypeDispositionMethode& GetDispositionHote() const noexcept { return FDispositionHote; }

  std::int32_t GetNombreParametres() const noexcept { return FParametres.GetNombre(); }
  // Raises EListError for an index out of range.
  TInfoParametreServiceInvocable* GetInfoParametre(std::int32_t AIndice) const;
  // Appends ANombre empty descriptions; answers the index of the first.
  std::int32_t CreerInfoParametres(std::int32_t ANombre);
  const TypeListeInfoParametresServiceInvocable& GetParametres() const noexcept {
    return FParametres;
  }
  TypeInfoCouplagesParametresServiceInvocable& InfoCouplages() noexcept { return FInfoCouplages; }
  const TypeInfoCouplagesParametresServiceInvocable& InfoCouplages() const noexcept {
    return FInfoCouplages;
  }

  // A function whose result comes back in a register (1, 2, 4 or 8 bytes
  // needing no release), at frame offset 0.
  bool ResultatDansRegistre();
  // Lays the call out: Offset and Modes of every parameter, TaillePile,
  // MasqueSse and OffsetInterface from the Windows x64 layout, and the host's
  // layout. Every parameter needs a serializer (Exception otherwise);
  // EArgumentInvalide for a function without its result. Nothing changes
  // when it raises.
  void CalculerDisposition();

  // IFSTout: Nom, AvecValeurRetour, AutorisationsSpeciales, the parameters
  // through AFormat, the number of couplings and each coupling. Reading lays
  // the call out after the parameters, then reads the couplings.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // IFSSerialisationGeneriqueV1: Nom, TaillePile, ResultatDansRegistre,
  // AutorisationsSpeciales, OffsetInterface - 8 (0 for 0), the parameters
  // through AFormat; no couplings. Reading drops the three layout values,
  // takes a first parameter named exactly "Result" for a result, and lays the
  // call out again.
  void SerialiserGeneriqueV1(IFormatter& AFormateur,
                             TypeClasseFormatSerialisation AFormat) override;
  void DeserialiserGeneriqueV1(IFormatter& AFormateur,
                               TypeClasseFormatSerialisation AFormat) override;
  // Elements "Classe", "Nom", "AvecValeurRetour", "TaillePile",
  // "AutorisationsSpeciales", "OffsetInterface", "MasqueSse", "Parametres"
  // (the list's trace), "InfoCouplages" (one "InfoCouplage" per coupling).
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TInfoMethodeServiceInvocable() override;

 private:
  // Read descriptions must describe a call: a result when announced, a
  // serializer for every parameter. EReadError otherwise.
  void VerifierParametresLus() const;
  // The compact format carries the modes in force; put back the 32-bit rule
  // where only it can have given them.
  void RetablirRegles32En64();

  std::u16string FNom;
  std::int32_t FTaillePile = 0;
  bool FAvecValeurRetour = false;
  std::int32_t FAutorisationsSpeciales = 0;
  std::int32_t FOffsetInterface = 0;
  std::uint8_t FMasqueSse = 0;
  TypeListeInfoParametresServiceInvocable FParametres;
  TypeInfoCouplagesParametresServiceInvocable FInfoCouplages;
  TypeDispositionMethode FDispositionHote;
};

}  // namespace kv
