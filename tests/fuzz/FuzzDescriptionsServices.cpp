// Service descriptions read from untrusted bytes, in the complete or the
// compact format. Every failure is an exception of the framework; nothing is
// read or written outside memory that belongs to the reader, nothing leaks
// (the sanitizers watch). A description that reads is one a program can use:
// written again and read back, it writes the same bytes.

#include <cstdint>
#include <span>
#include <vector>

#include "Proprietes.h"
#include "objets/ConversionInterface.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/FormateurBinaire.h"
#include "serialisation/I_InfoServiceInvocable.h"
#include "serialisation/InfoMethodeServiceInvocable.h"

namespace {

std::vector<std::uint8_t> Ecrire(kv::IInfoServiceInvocable* AService,
                                 kv::TypeClasseFormatSerialisation AFormat) {
  kv::TFluxMemoire flux;
  kv::Nouveau<kv::TFormateurBinaire>(flux, kv::TypeSensFormateur::sfEcriture)
      ->EcrireInterface(AService, AFormat);
  return flux.GetOctets();
}

kv::TRef<kv::IInfoServiceInvocable> Lire(std::span<const std::uint8_t> AOctets,
                                         kv::TypeClasseFormatSerialisation AFormat) {
  kv::TFluxMemoire flux(AOctets);
  const auto lecteur = kv::Nouveau<kv::TFormateurBinaire>(flux, kv::TypeSensFormateur::sfLecture);
  kv::TRef<kv::IInterface> lu = lecteur->LireInterface(AFormat);
  KV_VERIFIER(flux.GetPosition() <= flux.GetTaille());
  return kv::Interroger<kv::IInfoServiceInvocable>(lu);
}

}  // namespace

// The first byte chooses the format; the rest is the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AOctets, std::size_t ATaille) {
  if (ATaille == 0) return 0;
  const kv::TypeClasseFormatSerialisation format =
      (AOctets[0] & 1) ? &kv::TFSSerialisationGeneriqueV1::Classe() : &kv::TFSTout::Classe();
  kv::TRef<kv::IInfoServiceInvocable> service;
  try {
    service = Lire(std::span(AOctets + 1, ATaille - 1), format);
  } catch (const kv::Exception&) {
    return 0;
  }
  if (!service) return 0;
  for (std::int32_t i = 0; i < service->GetNombreMethodes(); ++i) {
    kv::TInfoMethodeServiceInvocable* methode = service->GetMethode(i);
    KV_VERIFIER(methode->GetTaillePile() >= 32 && methode->GetTaillePile() % 16 == 0);
    KV_VERIFIER(methode->GetOffsetInterface() == 24);
  }
  const std::vector<std::uint8_t> premiere = Ecrire(service.Get(), format);
  kv::TRef<kv::IInfoServiceInvocable> relu = Lire(premiere, format);
  KV_VERIFIER(relu);
  KV_VERIFIER(Ecrire(relu.Get(), format) == premiere);
  return 0;
}
