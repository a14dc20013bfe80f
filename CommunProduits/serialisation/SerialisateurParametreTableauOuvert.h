#pragma once

// Open array values: a TypeTableauOuvert (objets/TableauOuvert.h), the
// address of the first element and the index of the last, as a call passes
// them in two argument positions. The elements belong to whoever made them: a
// copy copies the two values only. Elements read from a stream live in the
// container's storage, which ends them with the container.

#include <cstdint>

#include "serialisation/SerialisateurParametreTableau.h"

namespace kv {

class TSerialisateurParametreTableauOuvert : public TSerialisateurParametreTableau {
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreTableauOuvert, TSerialisateurParametreTableau)

 public:
  using TSerialisateurParametreTableau::TSerialisateurParametreTableau;

  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  // With ALibererObjets, releases each element, freeing objects; otherwise
  // nothing.
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  // TailleMoinsUn, then the elements.
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  // Checks the count before allocating anything and reads the elements into
  // new storage; only once all are read do the container's value and storage
  // change, so that a failed read leaves its previous value.
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  // 16.
  std::int32_t GetTaille() override;
  // 2: the address and the last index.
  std::int32_t GetNombreParametres() override;
  // Null and -1.
  void InitialiserValeur(void* AAdresse) noexcept override;

 protected:
  ~TSerialisateurParametreTableauOuvert() override = default;

  TConteneurParametre* CreerConteneurTableau(std::u16string_view ANom) override;
};

}  // namespace kv
