// Serializer descriptions and values read from untrusted bytes: a description
// is read as an object, and when it is a parameter serializer, a value is
// read with it into a container, which is then disposed of freeing what was
// read. Every failure is an exception of the framework; nothing is read or
// written outside memory that belongs to the reader, nothing leaks (the
// sanitizers watch), and no count makes the reader allocate far beyond the
// stream.

#include <cstdint>
#include <span>

#include "Proprietes.h"
#include "serialisation/ConteneurParametre.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/FormateurBinaire.h"
#include "serialisation/I_SerialisateurParametre.h"

// The first byte chooses the format of the description and whether values
// travel in place; the rest is the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AOctets, std::size_t ATaille) {
  if (ATaille == 0) return 0;
  const kv::TypeClasseFormatSerialisation formats[] = {
      &kv::TFSTout::Classe(), &kv::TFSSerialisationGeneriqueV1::Classe(),
      &kv::TFSSerialisationGeneriqueV1SousParametre::Classe()};
  const kv::TypeClasseFormatSerialisation format = formats[AOctets[0] % 3];
  const bool enPlace = (AOctets[0] & 0x80) != 0;
  kv::TFluxMemoire flux(std::span(AOctets + 1, ATaille - 1));
  const auto lecteur = kv::Nouveau<kv::TFormateurBinaire>(flux, kv::TypeSensFormateur::sfLecture);
  kv::TRef<kv::ISerialisateurParametre> serialisateur;
  try {
    serialisateur = kv::Interroger<kv::ISerialisateurParametre>(lecteur->LireInterface(format));
  } catch (const kv::Exception&) {
    return 0;
  }
  if (!serialisateur) return 0;
  KV_VERIFIER(serialisateur->GetTaille() >= 0);
  kv::TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"Valeur");
  try {
    serialisateur->DeserialiserValeur(conteneur, *lecteur, format, enPlace);
  } catch (const kv::Exception&) {
  }
  KV_VERIFIER(flux.GetPosition() <= flux.GetTaille());
  serialisateur->LibererConteneur(conteneur, true);
  return 0;
}
