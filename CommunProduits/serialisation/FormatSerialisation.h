#pragma once

// Serialization formats. A format decides which description of an object is
// written or read (I_FormatSerialisation.h); the formatter decides the
// encoding. A format is a class, never an instance: each format class is
// represented by its one class object, a TCustomFormatSerialisation whose
// address is the TypeClasseFormatSerialisation passed around, and whose
// virtual operations are the class-level operations of the format. The class
// objects have names and parents like every TClasse: TFSTout descends from
// TCustomFormatSerialisation, itself a class of the TObjetInterfacable tree.
//
// Formats are stateless; a whole tree of objects is written in one format,
// each object handing its nested objects to the format it was given.
//
// Start-up registers the meta information of IFSTout, IFSPourTrace,
// IFSSerialisationGeneriqueV1 and IFSSerialisationGeneriqueV1SousParametre,
// in that order, under those names, in any program that links this library.

#include <string_view>

#include "objets/Classe.h"
#include "objets/Interface.h"
#include "objets/ObjetInterfacable.h"
#include "serialisation/I_Formatter.h"

namespace kv {

class TCustomFormatSerialisation : public TClasse {
 public:
  // The class of the abstract root of the formats; no format is of it alone.
  static const TClasse& Classe() noexcept;

  // Writes, or reads back, the description of AObjet that the format picks;
  // an object that offers none of the descriptions the format looks for, or
  // no object, is skipped. What the formatter or the object raises passes
  // through.
  virtual void Serialiser(IInterface* AObjet, IFormatter& AFormateur) const = 0;
  virtual void Deserialiser(IInterface* AObjet, IFormatter& AFormateur) const = 0;

  // The same for an object held as such (a description kept as an object):
  // handed on as its own IInterface.
  void Serialiser(TObjetInterfacable* AObjet, IFormatter& AFormateur) const;
  void Deserialiser(TObjetInterfacable* AObjet, IFormatter& AFormateur) const;

 protected:
  constexpr TCustomFormatSerialisation(std::u16string_view ANom, const TClasse* AParent) noexcept
      : TClasse(ANom, AParent) {}
};

// The complete description: IFSTout.
class TFSTout : public TCustomFormatSerialisation {
 public:
  static const TFSTout& Classe() noexcept;

  using TCustomFormatSerialisation::Deserialiser;
  using TCustomFormatSerialisation::Serialiser;
  void Serialiser(IInterface* AObjet, IFormatter& AFormateur) const override;
  void Deserialiser(IInterface* AObjet, IFormatter& AFormateur) const override;

 protected:
  // Only for the class object and those of descendants.
  constexpr TFSTout(std::u16string_view ANom, const TClasse* AParent) noexcept
      : TCustomFormatSerialisation(ANom, AParent) {}

 private:
  friend class TSansDestruction<TFSTout>;
};

// The compact generic description, IFSSerialisationGeneriqueV1, else what
// TFSTout writes.
class TFSSerialisationGeneriqueV1 : public TFSTout {
 public:
  static const TFSSerialisationGeneriqueV1& Classe() noexcept;

  using TCustomFormatSerialisation::Deserialiser;
  using TCustomFormatSerialisation::Serialiser;
  void Serialiser(IInterface* AObjet, IFormatter& AFormateur) const override;
  void Deserialiser(IInterface* AObjet, IFormatter& AFormateur) const override;

 protected:
  // Only for the class object and those of descendants.
  constexpr TFSSerialisationGeneriqueV1(std::u16string_view ANom, const TClasse* AParent) noexcept
      : TFSTout(ANom, AParent) {}

 private:
  friend class TSansDestruction<TFSSerialisationGeneriqueV1>;
};

// The description of a part, IFSSerialisationGeneriqueV1SousParametre, else
// what TFSSerialisationGeneriqueV1 writes.
class TFSSerialisationGeneriqueV1SousParametre : public TFSSerialisationGeneriqueV1 {
 public:
  static const TFSSerialisationGeneriqueV1SousParametre& Classe() noexcept;

  using TCustomFormatSerialisation::Deserialiser;
  using TCustomFormatSerialisation::Serialiser;
  void Serialiser(IInterface* AObjet, IFormatter& AFormateur) const override;
  void Deserialiser(IInterface* AObjet, IFormatter& AFormateur) const override;

 protected:
  // Only for the class object and those of descendants.
  constexpr TFSSerialisationGeneriqueV1SousParametre(std::u16string_view ANom,
                                                     const TClasse* AParent) noexcept
      : TFSSerialisationGeneriqueV1(ANom, AParent) {}

 private:
  friend class TSansDestruction<TFSSerialisationGeneriqueV1SousParametre>;
};

}  // namespace kv
