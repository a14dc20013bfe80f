#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "plateforme/CheminsPosix.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

std::optional<std::string> CheminSysteme(std::u16string_view AChemin) {
  if (AChemin.find(u'\0') != std::u16string_view::npos) return std::nullopt;
  return VersUtf8Strict(AChemin);
}

char16_t SeparateurChemin() { return u'/'; }

bool DossierExiste(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  struct stat etat {};
  return chemin && !chemin->empty() && ::stat(chemin->c_str(), &etat) == 0 && S_ISDIR(etat.st_mode);
}

bool CreerDossier(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  if (!chemin || chemin->empty()) return false;
  if (::mkdir(chemin->c_str(), 0777) == 0) return true;
  return errno == EEXIST && DossierExiste(AChemin);
}

bool SupprimerFichier(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  return chemin && !chemin->empty() && ::unlink(chemin->c_str()) == 0;
}

}  // namespace kv::plateforme
