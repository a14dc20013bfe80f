// Registry hive files read from disk: whatever the bytes, the reader either
// refuses them as corrupt or gives a tree that writes out to a text it reads
// back as the same tree.

#include <cstdint>
#include <string>
#include <string_view>

#include "Proprietes.h"
#include "plateforme/Registre.h"
#include "plateforme/RucheRegistre.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AOctets, std::size_t ATaille) {
  namespace pf = kv::plateforme;
  const std::string_view texte(reinterpret_cast<const char*>(AOctets), ATaille);
  pf::TCleRuche racine;
  try {
    racine = pf::AnalyserRuche(texte, u"fuzz");
  } catch (const pf::ERegistreCorrompu&) {
    return 0;
  }
  const std::string ecrit = pf::TexteRuche(racine);
  pf::TCleRuche relue;
  try {
    relue = pf::AnalyserRuche(ecrit, u"fuzz");
  } catch (const pf::ERegistreCorrompu&) {
    KV_VERIFIER(!"une ruche écrite doit se relire");
  }
  KV_VERIFIER(pf::TexteRuche(relue) == ecrit);
  return 0;
}
