#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "plateforme/Processus.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

// The whole content of a file that reports no size, such as those of /proc.
std::string LireTout(const char* AChemin) {
  std::string contenu;
  const int fichier = ::open(AChemin, O_RDONLY | O_CLOEXEC);
  if (fichier < 0) return contenu;
  char tampon[4096];
  for (;;) {
    const ssize_t lus = ::read(fichier, tampon, sizeof tampon);
    if (lus > 0) {
      contenu.append(tampon, static_cast<std::size_t>(lus));
    } else if (lus == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(fichier);
  return contenu;
}

// The kernel keeps the words the process was started with, each ended by a NUL.
// The first is the name the program was called by, which need not be a path:
// the executable's own path stands in for it.
std::vector<std::u16string> LireArguments() {
  std::vector<std::u16string> arguments{CheminModuleExecutable()};
  const std::string mots = LireTout("/proc/self/cmdline");
  std::size_t debut = mots.find('\0');
  if (debut == std::string::npos) return arguments;
  for (++debut; debut < mots.size();) {
    std::size_t fin = mots.find('\0', debut);
    if (fin == std::string::npos) fin = mots.size();
    arguments.push_back(DepuisUtf8(std::string_view(mots).substr(debut, fin - debut)));
    debut = fin + 1;
  }
  return arguments;
}

}  // namespace

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

const std::vector<std::u16string>& ArgumentsProcessus() {
  // Never freed: late finalisers and static destructors may still ask for it.
  static const auto* const arguments = new std::vector<std::u16string>(LireArguments());
  return *arguments;
}

std::u16string CheminModuleContenant(const void* AAdresse) {
  Dl_info informations{};
  link_map* module = nullptr;
  if (::dladdr1(AAdresse, &informations, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 ||
      module == nullptr) {
    return {};
  }
  // The loader does not name the main program; it only knows the name the
  // program was called by.
  if (module->l_name == nullptr || module->l_name[0] == '\0') return CheminModuleExecutable();
  char* complet = ::realpath(module->l_name, nullptr);
  if (complet == nullptr) return DepuisUtf8(module->l_name);
  std::u16string chemin = DepuisUtf8(complet);
  std::free(complet);
  return chemin;
}

}  // namespace kv::plateforme
