#include <sys/random.h>

#include <cerrno>
#include <cstddef>

#include "plateforme/ErreurSysteme.h"
#include "plateforme/Identifiants.h"

namespace kv::plateforme {
namespace {

// Waits for the source to be ready, as the system's identifiers do; a signal
// or a short answer only means asking again for the rest.
void RemplirAleatoire(std::uint8_t* ADestination, std::size_t ANombre) {
  std::size_t remplis = 0;
  while (remplis < ANombre) {
    const ssize_t lus = ::getrandom(ADestination + remplis, ANombre - remplis, 0);
    if (lus < 0) {
      if (errno == EINTR) continue;
      throw CreerExceptionSysteme(FormatErreurInterneSysteme, u"getrandom");
    }
    remplis += static_cast<std::size_t>(lus);
  }
}

}  // namespace

TypeOctetsIdentifiant NouvelIdentifiantAleatoire() {
  TypeOctetsIdentifiant octets;
  RemplirAleatoire(octets.data(), octets.size());
  octets[6] = static_cast<std::uint8_t>((octets[6] & 0x0F) | 0x40);
  octets[8] = static_cast<std::uint8_t>((octets[8] & 0x3F) | 0x80);
  return octets;
}

}  // namespace kv::plateforme
