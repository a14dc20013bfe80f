#pragma once

// The descriptions an object can give of itself, one interface each. A format
// (FormatSerialisation.h) picks, for every object it meets, the most specific
// description the object offers; each method receives the formatter and the
// format in force, to which the object hands its nested objects.
//
// Each interface names its methods after itself, so that one class can give
// different descriptions through several of them.

#include "objets/Guid.h"
#include "objets/Interface.h"
#include "serialisation/I_Formatter.h"

namespace kv {

// The complete description.
class IFSTout : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{F6766612-2D48-4121-A057-46E58AF0585A}");

  virtual void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) = 0;
  virtual void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) = 0;

 protected:
  ~IFSTout() = default;
};

// The compact generic description.
class IFSSerialisationGeneriqueV1 : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{A6E66493-A0F3-40A1-B608-D3DE6A9E895D}");

  virtual void SerialiserGeneriqueV1(IFormatter& AFormateur,
                                     TypeClasseFormatSerialisation AFormat) = 0;
  virtual void DeserialiserGeneriqueV1(IFormatter& AFormateur,
                                       TypeClasseFormatSerialisation AFormat) = 0;

 protected:
  ~IFSSerialisationGeneriqueV1() = default;
};

// The compact generic description of a part (a record field, an array
// element).
class IFSSerialisationGeneriqueV1SousParametre : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{F18F7CF8-43DF-40B9-A7EB-CBDA817A9AE6}");

  virtual void SerialiserSousParametre(IFormatter& AFormateur,
                                       TypeClasseFormatSerialisation AFormat) = 0;
  virtual void DeserialiserSousParametre(IFormatter& AFormateur,
                                         TypeClasseFormatSerialisation AFormat) = 0;

 protected:
  ~IFSSerialisationGeneriqueV1SousParametre() = default;
};

// A readable description for traces, with named elements. No format class
// dispatches to it: a trace calls it directly.
class IFSPourTrace : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{D4A6F564-CD4E-408B-98B6-96CCB6025934}");

  virtual void SerialiserPourTrace(IFormatter& AFormateur,
                                   TypeClasseFormatSerialisation AFormat) = 0;

 protected:
  ~IFSPourTrace() = default;
};

}  // namespace kv
