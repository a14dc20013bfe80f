#include <unistd.h>

#include <vector>

#include "plateforme/Processus.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

std::u16string CheminModuleExecutable() {
  std::vector<char> tampon(256);
  for (;;) {
    const ssize_t longueur = ::readlink("/proc/self/exe", tampon.data(), tampon.size());
    if (longueur < 0) return {};
    // A result that fills the buffer may have been cut: try again with more room.
    if (static_cast<std::size_t>(longueur) < tampon.size()) {
      return DepuisUtf8({tampon.data(), static_cast<std::size_t>(longueur)});
    }
    tampon.resize(tampon.size() * 2);
  }
}

}  // namespace kv::plateforme
