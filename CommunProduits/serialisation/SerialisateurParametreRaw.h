#pragma once

// Values that are plain bytes: integers, enumerations, characters, sets,
// GUIDs, arrays and records without a finer description. TailleUtile bytes
// carry the value and travel; the value occupies Taille bytes
// (ArrondirTaille(TailleUtile)), the rest being zero.

#include <cstdint>

#include "serialisation/SerialisateurParametre.h"

namespace kv {

class TSerialisateurParametreRaw : public TSerialisateurParametre,
                                   public IFSSerialisationGeneriqueV1 {
  KV_INTERFACES(TSerialisateurParametre, IFSSerialisationGeneriqueV1)
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreRaw, TSerialisateurParametre)

 public:
  // The virtual constructor: sizes 0, to be read.
  explicit TSerialisateurParametreRaw(bool ALiberationAutomatique) noexcept
      : TSerialisateurParametre(ALiberationAutomatique) {}
  // AAlignement -1 stands for ATailleUtile.
  TSerialisateurParametreRaw(std::int32_t ATailleUtile, std::int32_t AAlignement) noexcept;

  std::int32_t GetTailleUtile() const noexcept { return FTailleUtile; }

  TConteneurParametre* CreerConteneur(std::u16string_view ANom) override;
  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  // EcrireOctets of TailleUtile bytes.
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  // LireOctets of TailleUtile bytes; the rest of Taille is zeroed.
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  std::int32_t GetTaille() override;
  std::int32_t GetAlignement() override;

  // TailleUtile and Alignement.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // TailleUtile alone; reading makes Taille and Alignement
  // ArrondirTaille(TailleUtile).
  void SerialiserGeneriqueV1(IFormatter& AFormateur,
                             TypeClasseFormatSerialisation AFormat) override;
  void DeserialiserGeneriqueV1(IFormatter& AFormateur,
                               TypeClasseFormatSerialisation AFormat) override;
  // "TailleUtile", "Taille", "Alignement".
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TSerialisateurParametreRaw() override = default;

 private:
  std::int32_t FTailleUtile = 0;
  std::int32_t FTaille = 0;
  std::int32_t FAlignement = 0;
};

// Floating-point values: raw bytes passed in a floating-point register.
class TSerialisateurParametreFlottant : public TSerialisateurParametreRaw {
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreFlottant, TSerialisateurParametreRaw)

 public:
  using TSerialisateurParametreRaw::TSerialisateurParametreRaw;

  bool GetEstFlottant() override;

 protected:
  ~TSerialisateurParametreFlottant() override = default;
};

}  // namespace kv
