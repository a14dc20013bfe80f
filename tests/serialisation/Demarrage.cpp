// Links the serialisation library without referring to anything in it, and
// tells on standard output what the meta-information registry knows of the
// format interfaces when main begins: one line per interface, found by name
// and by GUID as one descriptor.

#include <cstdio>
#include <string_view>

#include "objets/SingletonMetaInfo.h"
#include "plateforme/Texte.h"
#include "serialisation/I_FormatSerialisation.h"

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
  return 0;
}
