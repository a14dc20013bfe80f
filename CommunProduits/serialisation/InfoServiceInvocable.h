#pragma once

// The description of an invocable service: its GUID, its name and its
// methods in the order of the interface's table, the three of IInterface
// first. It owns its method descriptions, which own their parameter
// descriptions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objets/Guid.h"
#include "serialisation/I_FormatSerialisation.h"
#include "serialisation/I_InfoServiceInvocable.h"
#include "serialisation/ObjetSerialisable.h"

namespace kv {

// Made with automatic freeing by default: shared by counted references.
class TInfoServiceInvocable : public TObjetSerialisable,
                              public IInfoServiceInvocable,
                              public IFSSerialisationGeneriqueV1,
                              public IFSPourTrace {
  KV_INTERFACES(TObjetSerialisable, IInfoServiceInvocable, IFSSerialisationGeneriqueV1,
                IFSPourTrace)
  KV_CLASSE_SERIALISABLE(TInfoServiceInvocable, TObjetSerialisable)

 public:
  explicit TInfoServiceInvocable(bool ALiberationAutomatique = true) noexcept
      : TObjetSerialisable(ALiberationAutomatique) {}

  TGUID GetGuidService() override { return FGuidService; }
  TInfoMethodeServiceInvocable* GetMethode(std::int32_t AIndice) override;
  TInfoMethodeServiceInvocable* GetMethodeParNom(std::u16string_view ANom) override;
  std::int32_t GetNombreMethodes() override { return static_cast<std::int32_t>(FMethodes.size()); }
  std::u16string GetNomService() override { return FNomService; }
  std::int32_t GetAutorisationsSpeciales() override { return FAutorisationsSpeciales; }
  void SetAutorisationsSpeciales(std::int32_t AValeur) override {
    FAutorisationsSpeciales = AValeur;
  }
  bool SansValeursSortantes(bool AStrict) override;

  // Frees the method descriptions beyond ANombre and adds empty ones up to
  // it. Raises EArgumentInvalide for a negative count.
  void SetNombreMethodes(std::int32_t ANombre);

  // IFSTout: GuidService, NomService, AutorisationsSpeciales, the number of
  // methods and each method through AFormat.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // IFSSerialisationGeneriqueV1: the same without AutorisationsSpeciales,
  // which reading sets to 256.
  void SerialiserGeneriqueV1(IFormatter& AFormateur,
                             TypeClasseFormatSerialisation AFormat) override;
  void DeserialiserGeneriqueV1(IFormatter& AFormateur,
                               TypeClasseFormatSerialisation AFormat) override;
  // Elements "GuidService", "NomService", "AutorisationsSpeciales",
  // "Methodes" (one "Methode" per method, holding its trace).
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

  // The value AutorisationsSpeciales takes when read from the compact format.
  static constexpr std::int32_t AutorisationsSpecialesV1 = 256;

 protected:
  ~TInfoServiceInvocable() override;

  TGUID FGuidService{};
  std::vector<TInfoMethodeServiceInvocable*> FMethodes;
  std::u16string FNomService;
  std::int32_t FAutorisationsSpeciales = 0;

 private:
  void LireMethodes(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat);
  void EcrireMethodes(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat);
};

}  // namespace kv
