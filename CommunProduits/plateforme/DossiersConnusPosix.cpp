#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "plateforme/CheminsPosix.h"
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
  return Joindre(std::move(ADossierPersonnel), u".config");
}

std::optional<std::u16string> VariableAbsolue(const char* ANom) {
  return CheminAbsolu(std::getenv(ANom));
}

std::string LireTexte(const std::u16string& AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  if (!chemin) return {};
  std::ifstream fichier(*chemin, std::ios::binary);
  std::ostringstream contenu;
  contenu << fichier.rdbuf();
  return contenu.str();
}

// The text between the double quotes that open AValeur, '\' escaping the
// character after it; nothing when the quotes are not closed.
std::optional<std::string> TexteEntreGuillemets(std::string_view AValeur) {
  if (AValeur.empty() || AValeur.front() != '"') return std::nullopt;
  std::string texte;
  for (std::size_t i = 1; i < AValeur.size(); ++i) {
    if (AValeur[i] == '"') return texte;
    if (AValeur[i] == '\\' && i + 1 < AValeur.size()) ++i;
    texte += AValeur[i];
  }
  return std::nullopt;
}

// The folder that one line of user-dirs.dirs gives for documents.
std::optional<std::u16string> DossierDeLaLigne(std::string_view ALigne) {
  constexpr std::string_view Nom = "XDG_DOCUMENTS_DIR=";
  constexpr std::string_view Personnel = "$HOME";
  const std::size_t debut = ALigne.find_first_not_of(" \t");
  if (debut == std::string_view::npos || ALigne.substr(debut).rfind(Nom, 0) != 0) {
    return std::nullopt;
  }
  const auto texte = TexteEntreGuillemets(ALigne.substr(debut + Nom.size()));
  if (!texte || texte->empty()) return std::nullopt;
  if (texte->front() == '/') return DepuisUtf8Strict(*texte);
  if (texte->rfind(Personnel, 0) != 0 ||
      (texte->size() > Personnel.size() && (*texte)[Personnel.size()] != '/')) {
    return std::nullopt;
  }
  auto personnel = VariableAbsolue("HOME");
  const auto reste = DepuisUtf8Strict(texte->substr(Personnel.size()));
  if (!personnel || !reste) return std::nullopt;
  while (personnel->size() > 1 && personnel->back() == u'/') personnel->pop_back();
  if (*personnel == u"/" && !reste->empty()) personnel->clear();
  return *personnel + *reste;
}

}  // namespace

// The known-folder service reads the user's environment, as the base-directory
// convention defines the configuration folder.
std::optional<std::u16string> DossierDonneesItinerantes() {
  if (auto configuration = VariableAbsolue("XDG_CONFIG_HOME")) return configuration;
  if (auto personnel = VariableAbsolue("HOME")) {
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

std::optional<std::u16string> DossierDonneesCommunes() {
  if (auto dossier = VariableAbsolue("KV_DONNEES_COMMUNES")) return dossier;
  return u"/var/lib";
}

std::optional<std::u16string> DossierDocuments() {
  std::optional<std::u16string> documents;
  if (const auto configuration = DossierDonneesItinerantes()) {
    const std::string contenu = LireTexte(Joindre(*configuration, u"user-dirs.dirs"));
    std::istringstream lignes(contenu);
    for (std::string ligne; std::getline(lignes, ligne);) {
      if (auto dossier = DossierDeLaLigne(ligne)) documents = std::move(dossier);
    }
  }
  if (documents) return documents;
  auto personnel = VariableAbsolue("HOME");
  if (!personnel) return std::nullopt;
  return Joindre(std::move(*personnel), u"Documents");
}

std::u16string DossierTemporaireParDefaut() { return u"/tmp"; }

}  // namespace kv::plateforme
