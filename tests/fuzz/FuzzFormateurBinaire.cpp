// Values read by the binary formatter from untrusted bytes: each read either
// gives a value or raises the read error with the stream where the read
// started; nothing is read outside the stream (the sanitizers watch) and no
// count makes it allocate more than the stream could hold.

#include <cstdint>
#include <span>
#include <vector>

#include "Proprietes.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormateurBinaire.h"

namespace {

using kv::TFormateurBinaire;

// One of the reading operations, chosen by ASelecteur.
void Lire(TFormateurBinaire& ALecteur, std::uint8_t ASelecteur) {
  switch (ASelecteur % 10) {
    case 0: ALecteur.LireBooleen(); break;
    case 1: ALecteur.LireEntier(); break;
    case 2: ALecteur.LireOctet(); break;
    case 3: ALecteur.LireCardinal(); break;
    case 4: ALecteur.LireChaine(); break;
    case 5: ALecteur.LireGuid(); break;
    case 6: ALecteur.LireTableauEntiers(); break;
    case 7: {
      std::vector<std::uint8_t> octets(ASelecteur / 10);
      ALecteur.LireOctets(octets.data(), octets.size());
      break;
    }
    case 8: ALecteur.DebutElement(u"e"); break;
    default: ALecteur.FinElement(); break;
  }
}

}  // namespace

// The first bytes choose the operations, the rest is the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AOctets, std::size_t ATaille) {
  if (ATaille == 0) return 0;
  const std::size_t nombreOperations = std::min<std::size_t>(AOctets[0] % 16 + 1, ATaille - 1);
  const std::span<const std::uint8_t> operations(AOctets + 1, nombreOperations);
  kv::TFluxMemoire flux(std::span(AOctets + 1 + nombreOperations, ATaille - 1 - nombreOperations));
  const auto lecteur = kv::Nouveau<TFormateurBinaire>(flux, kv::TypeSensFormateur::sfLecture);
  for (const std::uint8_t selecteur : operations) {
    const std::int64_t avant = flux.GetPosition();
    try {
      Lire(*lecteur, selecteur);
      KV_VERIFIER(flux.GetPosition() > avant);
    } catch (const kv::EReadError&) {
      KV_VERIFIER(flux.GetPosition() == avant);
    }
    KV_VERIFIER(flux.GetPosition() <= flux.GetTaille());
  }
  return 0;
}
