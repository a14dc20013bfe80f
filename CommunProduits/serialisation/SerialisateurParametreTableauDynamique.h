#pragma once

// Dynamic array values: one pointer to the first element of a block
// (objets/TableauDynamique.h), null when empty. Copies share the block; the
// last reference releases and ends its elements and frees it. A block whose
// count is negative is constant: never changed nor freed.

#include <cstdint>

#include "serialisation/SerialisateurParametreTableau.h"

namespace kv {

class TSerialisateurParametreTableauDynamique : public TSerialisateurParametreTableau {
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreTableauDynamique, TSerialisateurParametreTableau)

 public:
  using TSerialisateurParametreTableau::TSerialisateurParametreTableau;

  // A reference more on the source's block, one less on the destination's,
  // then the pointer copied: copying a block onto itself is safe.
  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  // A reference less on the block; null.
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  // The element count, then the elements.
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  // Releases the container's block (objects not freed), then reads the count,
  // checks it before allocating anything and reads the elements into a new
  // block held by the container, which keeps it even when a read fails.
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  std::int32_t GetTaille() override;
  bool GetEstGere() override;

  // A new block of ANombre empty elements with one reference; null for 0.
  void* CreerBloc(std::int32_t ANombre);
  // Nothing for null or a constant block. Otherwise the count changes by
  // ADelta; when it reaches 0 each element is released (objects freed when
  // ALibererObjets) and ended, and the block is freed.
  void AjusterReference(void* ABloc, bool ALibererObjets, std::int32_t ADelta);

 protected:
  ~TSerialisateurParametreTableauDynamique() override = default;

  TConteneurParametre* CreerConteneurTableau(std::u16string_view ANom) override;
};

}  // namespace kv
