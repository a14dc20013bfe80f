#include "serialisation/FormatSerialisation.h"

#include "objets/SingletonMetaInfo.h"
#include "serialisation/I_FormatSerialisation.h"

namespace kv {

const TClasse& TCustomFormatSerialisation::Classe() noexcept {
  static TSansDestruction<TClasse> classe(u"TCustomFormatSerialisation",
                                          &TObjetInterfacable::Classe());
  return *classe;
}

void TCustomFormatSerialisation::Serialiser(TObjetInterfacable* AObjet,
                                            IFormatter& AFormateur) const {
  if (AObjet) Serialiser(AObjet->InterfaceDeBase(), AFormateur);
}

void TCustomFormatSerialisation::Deserialiser(TObjetInterfacable* AObjet,
                                              IFormatter& AFormateur) const {
  if (AObjet) Deserialiser(AObjet->InterfaceDeBase(), AFormateur);
}

const TFSTout& TFSTout::Classe() noexcept {
  static TSansDestruction<TFSTout> classe(u"TFSTout", &TCustomFormatSerialisation::Classe());
  return *classe;
}

void TFSTout::Serialiser(IInterface* AObjet, IFormatter& AFormateur) const {
  if (TRef<IFSTout> description = Interroger<IFSTout>(AObjet)) {
    description->Serialiser(AFormateur, this);
  }
}

void TFSTout::Deserialiser(IInterface* AObjet, IFormatter& AFormateur) const {
  if (TRef<IFSTout> description = Interroger<IFSTout>(AObjet)) {
    description->Deserialiser(AFormateur, this);
  }
}

const TFSSerialisationGeneriqueV1& TFSSerialisationGeneriqueV1::Classe() noexcept {
  static TSansDestruction<TFSSerialisationGeneriqueV1> classe(u"TFSSerialisationGeneriqueV1",
                                                              &TFSTout::Classe());
  return *classe;
}

void TFSSerialisationGeneriqueV1::Serialiser(IInterface* AObjet, IFormatter& AFormateur) const {
  if (auto description = Interroger<IFSSerialisationGeneriqueV1>(AObjet)) {
    description->SerialiserGeneriqueV1(AFormateur, this);
  } else {
    TFSTout::Serialiser(AObjet, AFormateur);
  }
}

void TFSSerialisationGeneriqueV1::Deserialiser(IInterface* AObjet, IFormatter& AFormateur) const {
  if (auto description = Interroger<IFSSerialisationGeneriqueV1>(AObjet)) {
    description->DeserialiserGeneriqueV1(AFormateur, this);
  } else {
    TFSTout::Deserialiser(AObjet, AFormateur);
  }
}

const TFSSerialisationGeneriqueV1SousParametre&
TFSSerialisationGeneriqueV1SousParametre::Classe() noexcept {
  static TSansDestruction<TFSSerialisationGeneriqueV1SousParametre> classe(
      u"TFSSerialisationGeneriqueV1SousParametre", &TFSSerialisationGeneriqueV1::Classe());
  return *classe;
}

void TFSSerialisationGeneriqueV1SousParametre::Serialiser(IInterface* AObjet,
                                                          IFormatter& AFormateur) const {
  if (auto description = Interroger<IFSSerialisationGeneriqueV1SousParametre>(AObjet)) {
    description->SerialiserSousParametre(AFormateur, this);
  } else {
    TFSSerialisationGeneriqueV1::Serialiser(AObjet, AFormateur);
  }
}

void TFSSerialisationGeneriqueV1SousParametre::Deserialiser(IInterface* AObjet,
                                                            IFormatter& AFormateur) const {
  if (auto description = Interroger<IFSSerialisationGeneriqueV1SousParametre>(AObjet)) {
    description->DeserialiserSousParametre(AFormateur, this);
  } else {
    TFSSerialisationGeneriqueV1::Deserialiser(AObjet, AFormateur);
  }
}

namespace {

template <class AInterface>
void EnregistrerInterface(std::u16string_view ANom) {
  TSingletonMetaInfo::GetMetaInfo(AInterface::IID, ANom);  // released at once
}

// Start-up of the unit: the format interfaces are known by GUID and name
// before main begins.
[[maybe_unused]] const bool InterfacesEnregistrees = [] {
  EnregistrerInterface<IFSTout>(u"IFSTout");
  EnregistrerInterface<IFSPourTrace>(u"IFSPourTrace");
  EnregistrerInterface<IFSSerialisationGeneriqueV1>(u"IFSSerialisationGeneriqueV1");
  EnregistrerInterface<IFSSerialisationGeneriqueV1SousParametre>(
      u"IFSSerialisationGeneriqueV1SousParametre");
  return true;
}();

}  // namespace
}  // namespace kv

// Named by the library's link options as a symbol every program must have: the
// linker then takes this unit from the archive even when nothing else in the
// program refers to it, and its start-up runs.
extern "C" {
extern const char kv_serialisation_demarrage;
const char kv_serialisation_demarrage = 0;
}
