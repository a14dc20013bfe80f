#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "plateforme/DossiersConnus.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

// A folder named by the environment or the account database counts only when it
// is absolute and its bytes are UTF-8: any other value could not be handed back
// to the file system unchanged.
std::optional<std::u16string> CheminAbsolu(const char* AValeur) {
  if (AValeur == nullptr || AValeur[0] != '/') return std::nullopt;
  return DepuisUtf8Strict(AValeur);
}

std::u16string DossierConfiguration(std::u16string ADossierPersonnel) {
  if (ADossierPersonnel.back() != u'/') ADossierPersonnel += u'/';
  return ADossierPersonnel + u".config";
}

}  // namespace

// The known-folder service reads the user's environment, as the base-directory
// convention defines the configuration folder.
std::optional<std::u16string> DossierDonneesItinerantes() {
  if (auto configuration = CheminAbsolu(std::getenv("XDG_CONFIG_HOME"))) return configuration;
  if (auto personnel = CheminAbsolu(std::getenv("HOME"))) {
    return DossierConfiguration(std::move(*personnel));
  }
  return std::nullopt;
}

// The shell-folder service reads the account database, which does not depend on
// the environment.
std::optional<std::u16string> DossierDonneesApplicationShell() {
  const long taille = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> tampon(taille > 0 ? static_cast<std::size_t>(taille) : 1024);
  passwd compte{};
  passwd* trouve = nullptr;
  int erreur;
  while ((erreur = ::getpwuid_r(::geteuid(), &compte, tampon.data(), tampon.size(), &trouve)) ==
             ERANGE &&
         tampon.size() < (std::size_t{1} << 20)) {
    tampon.resize(tampon.size() * 2);
  }
  if (erreur != 0 || trouve == nullptr) return std::nullopt;
  auto personnel = CheminAbsolu(compte.pw_dir);
  if (!personnel) return std::nullopt;
  return DossierConfiguration(std::move(*personnel));
}

}  // namespace kv::plateforme
