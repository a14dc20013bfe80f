#pragma once

// String values: a std::u16string object. Its size is that of the object
// (sizeof(std::u16string)), not of one pointer, and its alignment the
// object's.

#include <string>

#include "serialisation/SerialisateurParametre.h"

namespace kv {

class TSerialisateurParametreString : public TSerialisateurParametre {
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreString, TSerialisateurParametre)

 public:
  explicit TSerialisateurParametreString(bool ALiberationAutomatique = true) noexcept
      : TSerialisateurParametre(ALiberationAutomatique) {}

  TConteneurParametre* CreerConteneur(std::u16string_view ANom) override;
  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  // The empty string, its memory given back.
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  std::int32_t GetTaille() override;
  std::int32_t GetAlignement() override;
  bool GetEstGere() override;
  // Constructs, and destroys, the string object.
  void InitialiserValeur(void* AAdresse) noexcept override;
  void DetruireValeur(void* AAdresse) noexcept override;

 protected:
  ~TSerialisateurParametreString() override = default;
};

}  // namespace kv
