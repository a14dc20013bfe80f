#pragma once

// Fixed-size array values: NombreElements elements in a row (T[N]), copied,
// released, made and ended element by element.

#include <cstdint>

#include "serialisation/SerialisateurParametreTableau.h"

namespace kv {

class TSerialisateurParametreTableauTailleFixe : public TSerialisateurParametreTableau {
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreTableauTailleFixe, TSerialisateurParametreTableau)

 public:
  // The virtual constructor: no elements, the count to be read.
  explicit TSerialisateurParametreTableauTailleFixe(bool ALiberationAutomatique)
      : TSerialisateurParametreTableau(ALiberationAutomatique) {}
  explicit TSerialisateurParametreTableauTailleFixe(std::int32_t ANombreElements)
      : TSerialisateurParametreTableau(true), FNombreElements(ANombreElements) {}

  std::int32_t GetNombreElements() const noexcept { return FNombreElements; }

  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  // The elements only: the count belongs to the type.
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  // NombreElements times the element size.
  std::int32_t GetTaille() override;
  // The element's.
  std::int32_t GetAlignement() override;
  // The element's: an array of strings holds references as a string does.
  bool GetEstGere() override;
  void InitialiserValeur(void* AAdresse) noexcept override;
  void DetruireValeur(void* AAdresse) noexcept override;

  // As the array, then NombreElements; reading checks the array's size.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // As the array: no count.
  // "NombreElements" after the array's trace.
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TSerialisateurParametreTableauTailleFixe() override = default;

  TConteneurParametre* CreerConteneurTableau(std::u16string_view ANom) override;

 private:
  std::int32_t FNombreElements = 0;
};

}  // namespace kv
