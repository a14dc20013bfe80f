#pragma once

// Object values: one pointer to a TObjetInterfacable, null for none. Freeing
// an object is its Liberer.

#include "serialisation/SerialisateurParametre.h"

namespace kv {

class TSerialisateurParametreObject : public TSerialisateurParametre {
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreObject, TSerialisateurParametre)

 public:
  explicit TSerialisateurParametreObject(bool ALiberationAutomatique = true) noexcept
      : TSerialisateurParametre(ALiberationAutomatique) {}

  TConteneurParametre* CreerConteneur(std::u16string_view ANom) override;
  // Nothing when both hold the same object; otherwise the destination's
  // object is freed when ALibererObjets, then the pointer copied.
  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  // Frees the object when ALibererObjets; null.
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  // Not in place: the object travels (EcrireObjet; reading makes a new one,
  // which the container's value then owns, without freeing the one it held).
  // In place: its state travels through AFormat, when there is an object.
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  std::int32_t GetTaille() override;

 protected:
  ~TSerialisateurParametreObject() override = default;
};

}  // namespace kv
