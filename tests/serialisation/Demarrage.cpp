// Links the serialisation library without referring to anything in it, and
// tells on standard output what the meta-information registry knows of the
// format and instantiator interfaces when main begins: one line per interface,
// found by name and by GUID as one descriptor; then whether a serializer class
// and the service description classes can be made from their names.

#include <cstdio>
#include <string_view>

#include "objets/SingletonMetaInfo.h"
#include "plateforme/Texte.h"
#include "serialisation/I_FormatSerialisation.h"
#include "serialisation/I_Instanciateur.h"
#include "serialisation/I_InstanciateurObjetSerialisable.h"

namespace {

struct TypeInterface {
  kv::TGUID Guid;
  std::u16string_view Nom;
};

}  // namespace

int main() {
  constexpr TypeInterface Interfaces[] = {
      {kv::IFSTout::IID, u"IFSTout"},
      {kv::IFSPourTrace::IID, u"IFSPourTrace"},
      {kv::IFSSerialisationGeneriqueV1::IID, u"IFSSerialisationGeneriqueV1"},
      {kv::IFSSerialisationGeneriqueV1SousParametre::IID,
       u"IFSSerialisationGeneriqueV1SousParametre"},
      {kv::IInstanciateurObjetSerialisable::IID, u"IInstanciateurObjetSerialisable"},
  };
  for (const TypeInterface& interface : Interfaces) {
    // By name first: a lookup by GUID would make the descriptor if missing.
    kv::TRef<kv::IMetaInfo> parNom = kv::TSingletonMetaInfo::GetMetaInfoParNom(interface.Nom);
    const bool connue = parNom && parNom->GetNom() == interface.Nom &&
                        kv::TSingletonMetaInfo::GetGuidMetaInfo(parNom.Get()) == interface.Guid &&
                        kv::TSingletonMetaInfo::GetMetaInfo(interface.Guid, u"") == parNom;
    std::printf("%s %s\n", kv::plateforme::VersUtf8(interface.Nom).c_str(),
                connue ? "connue" : "inconnue");
  }
  // A serializer class and the service description classes, known by name
  // with their instantiators, so that a description can be read by a program
  // that never wrote one.
  for (std::u16string_view classe : {u"TSerialisateurParametreRecord", u"TInfoServiceInvocable",
                                     u"TInfoMethodeServiceInvocable"}) {
    const bool instanciable = static_cast<bool>(
        kv::Interroger<kv::IInstanciateur>(kv::TSingletonMetaInfo::GetMetaInfoParNom(classe)));
    std::printf("%s %s\n", kv::plateforme::VersUtf8(classe).c_str(),
                instanciable ? "instanciable" : "inconnue");
  }
  return 0;
}
