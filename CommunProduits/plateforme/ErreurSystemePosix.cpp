#include <cerrno>
#include <cstring>

#include "plateforme/ErreurSysteme.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

int DerniereErreurSysteme() noexcept { return errno; }

std::u16string MessageErreurSysteme(int ACode) {
  char tampon[256];
  // The GNU variant may return a static text instead of filling the buffer.
  const char* texte = strerror_r(ACode, tampon, sizeof tampon);
  return DepuisUtf8(texte);
}

}  // namespace kv::plateforme
