#pragma once

// The formatter: writes and reads typed values to and from a medium. The
// format (FormatSerialisation.h) chooses which description of an object is
// written; the formatter chooses the encoding.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "objets/Guid.h"
#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

class IEcrivainValeurs;
class TFlux;
class TObjetInterfacable;
class TCustomFormatSerialisation;

// A format "class": formats are stateless, and a format is passed as the
// address of its one static instance.
using TypeClasseFormatSerialisation = const TCustomFormatSerialisation*;

// What callers rely on: every reading operation returns what the matching
// writing operation wrote, in the same order. Reading anything else (another
// kind of value, or past the end) raises EReadError and never reads outside the
// medium.
class IFormatter : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{C69B3581-A8CD-40B4-A22A-2E1B4DFB30B3}");

  // The stream read from; its size bounds what can still be read.
  virtual TFlux& GetFlux() = 0;

  // The writer of values described by type information; owned by the
  // formatter, valid as long as it is.
  virtual IEcrivainValeurs& GetEcrivainValeurs() = 0;

  virtual void EcrireBooleen(bool AValeur) = 0;
  virtual bool LireBooleen() = 0;
  virtual void EcrireEntier(std::int32_t AValeur) = 0;
  virtual std::int32_t LireEntier() = 0;
  virtual void EcrireOctet(std::uint8_t AValeur) = 0;
  virtual std::uint8_t LireOctet() = 0;
  virtual void EcrireCardinal(std::uint32_t AValeur) = 0;
  virtual std::uint32_t LireCardinal() = 0;
  virtual void EcrireChaine(std::u16string_view AValeur) = 0;
  virtual std::u16string LireChaine() = 0;
  virtual void EcrireGuid(const TGUID& AValeur) = 0;
  virtual TGUID LireGuid() = 0;
  virtual void EcrireTableauEntiers(std::span<const std::int32_t> AValeurs) = 0;
  virtual std::vector<std::int32_t> LireTableauEntiers() = 0;
  // Raw bytes: the reader names the count it expects, which must be the count
  // written.
  virtual void EcrireOctets(const void* ASource, std::size_t ANombre) = 0;
  virtual void LireOctets(void* ADestination, std::size_t ANombre) = 0;

  // Named elements, nested; they structure traces.
  virtual void DebutElement(std::u16string_view ANom) = 0;
  virtual void FinElement() = 0;

  // An object written is read back as a new object of the same class, made by
  // the instantiator its class meta information carries, then filled by the
  // format's Deserialiser. Null is written and read as null.
  virtual void EcrireInterface(IInterface* AObjet, TypeClasseFormatSerialisation AFormat) = 0;
  virtual TRef<IInterface> LireInterface(TypeClasseFormatSerialisation AFormat) = 0;
  // Same, for a plain object; the object read belongs to the caller, who frees
  // it (Liberer) unless it frees itself with its last reference.
  virtual void EcrireObjet(TObjetInterfacable* AObjet, TypeClasseFormatSerialisation AFormat) = 0;
  virtual TObjetInterfacable* LireObjet(TypeClasseFormatSerialisation AFormat) = 0;

  // Announces the raw size of the array elements about to be written.
  virtual void AnnoncerTaille(std::int64_t ATaille) = 0;

 protected:
  ~IFormatter() = default;
};

}  // namespace kv
