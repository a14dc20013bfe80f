#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "plateforme/CheminsPosix.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

// The state of what is at the path, links followed; nothing when it cannot be read.
std::optional<struct stat> Etat(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  struct stat etat {};
  if (!chemin || chemin->empty() || ::stat(chemin->c_str(), &etat) != 0) return std::nullopt;
  return etat;
}

// In the framework's form; empty when it cannot be read or is not UTF-8.
std::u16string DossierCourant() {
  std::vector<char> tampon(256);
  while (::getcwd(tampon.data(), tampon.size()) == nullptr) {
    if (errno != ERANGE) return {};
    tampon.resize(tampon.size() * 2);
  }
  return CheminCadriciel(DepuisUtf8Strict(tampon.data()).value_or(u""));
}

bool EstSeparateur(char16_t ACaractere) { return ACaractere == u'\\' || ACaractere == u'/'; }

// The levels of a path from the root, "." and ".." resolved.
std::vector<std::u16string_view> Niveaux(std::u16string_view AChemin) {
  std::vector<std::u16string_view> niveaux;
  std::size_t debut = 0;
  while (debut < AChemin.size()) {
    std::size_t fin = debut;
    while (fin < AChemin.size() && !EstSeparateur(AChemin[fin])) ++fin;
    const std::u16string_view niveau = AChemin.substr(debut, fin - debut);
    if (niveau == u"..") {
      if (!niveaux.empty()) niveaux.pop_back();
    } else if (!niveau.empty() && niveau != u".") {
      niveaux.push_back(niveau);
    }
    debut = fin + 1;
  }
  return niveaux;
}

}  // namespace

std::optional<std::string> CheminSysteme(std::u16string_view AChemin) {
  if (AChemin.find(u'\0') != std::u16string_view::npos) return std::nullopt;
  return VersUtf8Strict(AChemin);
}

char16_t SeparateurChemin() { return u'/'; }

std::u16string CheminComplet(std::u16string_view AChemin) {
  if (AChemin.empty()) return {};
  std::u16string absolu;
  if (!EstSeparateur(AChemin.front())) {
    absolu = DossierCourant();
    if (absolu.empty()) return {};
    absolu += u'\\';
  }
  absolu += AChemin;
  std::u16string resultat;
  for (const std::u16string_view niveau : Niveaux(absolu)) {
    resultat += u'\\';
    resultat += niveau;
  }
  if (resultat.empty() || EstSeparateur(AChemin.back())) resultat += u'\\';
  return resultat;
}

bool DossierExiste(std::u16string_view AChemin) {
  const auto etat = Etat(AChemin);
  return etat && S_ISDIR(etat->st_mode);
}

bool FichierExiste(std::u16string_view AChemin) {
  const auto etat = Etat(AChemin);
  return etat && !S_ISDIR(etat->st_mode);
}

bool CheminExiste(std::u16string_view AChemin) { return Etat(AChemin).has_value(); }

// The framework asks the machine-wide setting whether long paths are enabled,
// and prefixes long paths with "\\?\" when they are not. This file system has no
// 260-character limit and would take the prefix as part of the name, so the
// answer is always yes.
bool CheminsLongsActives() { return true; }

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
