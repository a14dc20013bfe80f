#include "outils/DossierTemporaire.h"

#include <unistd.h>

#include <stdexcept>
#include <string>
#include <system_error>

#include "outils/ProcessusEnfant.h"

namespace kv::tests {

namespace fs = std::filesystem;

TDossierTemporaire::TDossierTemporaire() {
  std::string modele = (fs::temp_directory_path() / "talvane-tests-XXXXXX").string();
  if (::mkdtemp(modele.data()) == nullptr) throw std::runtime_error("mkdtemp a échoué");
  FChemin = modele;
}

TDossierTemporaire::~TDossierTemporaire() {
  std::error_code erreur;
  fs::permissions(FChemin, fs::perms::owner_all, fs::perm_options::add, erreur);
  for (auto element = fs::recursive_directory_iterator(FChemin, erreur);
       element != fs::recursive_directory_iterator(); element.increment(erreur)) {
    if (element->is_directory(erreur) && !element->is_symlink(erreur)) {
      fs::permissions(element->path(), fs::perms::owner_all, fs::perm_options::add, erreur);
    }
  }
  fs::remove_all(FChemin, erreur);
}

void TDossierTemporaire::DonnerAuCompteSansPrivileges() const {
  if (!EstAdministrateur()) return;
  const auto donner = [](const fs::path& AChemin) {
    if (::lchown(AChemin.c_str(), CompteSansPrivileges, CompteSansPrivileges) != 0) {
      throw std::runtime_error("lchown a échoué sur " + AChemin.string());
    }
  };
  donner(FChemin);
  for (const auto& element : fs::recursive_directory_iterator(FChemin)) donner(element.path());
}

}  // namespace kv::tests
