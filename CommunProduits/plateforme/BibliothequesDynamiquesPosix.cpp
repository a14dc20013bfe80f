#include <dirent.h>
#include <dlfcn.h>
#include <glob.h>
#include <sys/stat.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <utility>

#include "plateforme/BibliothequesDynamiques.h"
#include "plateforme/CheminsPosix.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

namespace {

thread_local std::string GDerniereErreur;

void NoterErreurChargeur() {
  const char* texte = ::dlerror();
  GDerniereErreur = texte ? texte : "";
}

std::string AvecSeparateurFinal(std::string ADossier) {
  if (ADossier.empty() || ADossier.back() != '/') ADossier += '/';
  return ADossier;
}

void AjouterDossier(std::vector<std::string>& ADossiers, std::string ADossier) {
  if (ADossier.empty() || ADossier.front() != '/') return;  // the loader skips relative entries
  ADossier = AvecSeparateurFinal(std::move(ADossier));
  for (const std::string& connu : ADossiers) {
    if (connu == ADossier) return;
  }
  ADossiers.push_back(std::move(ADossier));
}

void AjouterListe(std::vector<std::string>& ADossiers, std::string_view AListe) {
  while (!AListe.empty()) {
    const std::size_t fin = AListe.find_first_of(":;");
    AjouterDossier(ADossiers, std::string(AListe.substr(0, fin)));
    if (fin == std::string_view::npos) break;
    AListe.remove_prefix(fin + 1);
  }
}

// Files already read, by identity: a path with ".." or a link names the same
// file under another spelling.
using TypeFichiersLus = std::set<std::pair<dev_t, ino_t>>;

// The loader's configuration: one folder a line, '#' comments, and
// "include <pattern>" lines naming further files. Each file is read once, so
// that includes that loop end, and end quickly.
void LireConfiguration(std::vector<std::string>& ADossiers, const std::string& AFichier,
                       TypeFichiersLus& ALus) {
  std::ifstream flux(AFichier);
  struct stat etat {};
  if (!flux || ::stat(AFichier.c_str(), &etat) != 0) return;
  if (!ALus.emplace(etat.st_dev, etat.st_ino).second) return;
  std::string ligne;
  while (std::getline(flux, ligne)) {
    ligne = ligne.substr(0, ligne.find('#'));
    const std::size_t debut = ligne.find_first_not_of(" \t");
    if (debut == std::string::npos) continue;
    ligne = ligne.substr(debut, ligne.find_last_not_of(" \t\r") + 1 - debut);
    if (ligne.rfind("include", 0) == 0 && ligne.size() > 7 && (ligne[7] == ' ' || ligne[7] == '\t')) {
      std::string motif = ligne.substr(ligne.find_first_not_of(" \t", 7));
      if (motif.front() != '/') motif = AFichier.substr(0, AFichier.rfind('/') + 1) + motif;
      glob_t trouves{};
      if (::glob(motif.c_str(), 0, nullptr, &trouves) == 0) {
        for (std::size_t i = 0; i < trouves.gl_pathc; ++i) {
          LireConfiguration(ADossiers, trouves.gl_pathv[i], ALus);
        }
      }
      ::globfree(&trouves);
    } else {
      AjouterDossier(ADossiers, ligne);
    }
  }
}

void LireConfiguration(std::vector<std::string>& ADossiers, const std::string& AFichier) {
  TypeFichiersLus lus;
  LireConfiguration(ADossiers, AFichier, lus);
}

std::vector<std::string> DossiersSysteme() {
  std::vector<std::string> dossiers;
  if (const char* chemins = std::getenv("LD_LIBRARY_PATH")) AjouterListe(dossiers, chemins);
  LireConfiguration(dossiers, "/etc/ld.so.conf");
  for (const char* defaut : {"/lib", "/usr/lib", "/lib64", "/usr/lib64"}) {
    AjouterDossier(dossiers, defaut);
  }
  return dossiers;
}

std::string NomVersionne(std::string_view ANom, unsigned AVersion) {
  return std::string(ANom) + ".so." + std::to_string(AVersion);
}

// The versions N for which ADossier holds a file (links followed) named
// "<ANom>.so.N", the name the loader knows a major version by.
std::set<unsigned> VersionsDans(const std::string& ADossier, std::string_view ANom) {
  std::set<unsigned> versions;
  const std::string prefixe = NomVersionne(ANom, 0).substr(0, ANom.size() + 4);
  std::unique_ptr<DIR, int (*)(DIR*)> dossier(::opendir(ADossier.c_str()), &::closedir);
  if (!dossier) return versions;
  while (const dirent* entree = ::readdir(dossier.get())) {
    const std::string_view nom = entree->d_name;
    if (!nom.starts_with(prefixe)) continue;
    const char* debut = nom.data() + prefixe.size();
    const char* fin = nom.data() + nom.size();
    unsigned version = 0;
    const auto [suite, erreur] = std::from_chars(debut, fin, version);
    if (erreur != std::errc() || suite != fin || NomVersionne(ANom, version) != nom) continue;
    if (FichierExiste(DepuisUtf8(ADossier + std::string(nom)))) versions.insert(version);
  }
  return versions;
}

}  // namespace

TypeModule ChargerBibliotheque(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  if (!chemin) {
    GDerniereErreur = "nom de fichier inutilisable";
    return nullptr;
  }
  TypeModule module = ::dlopen(chemin->c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) NoterErreurChargeur();
  return module;
}

void* AdresseProcedure(TypeModule AModule, const std::string& ANom) {
  if (!AModule) return nullptr;
  void* adresse = ::dlsym(AModule, ANom.c_str());
  if (!adresse) NoterErreurChargeur();
  return adresse;
}

void LibererBibliotheque(TypeModule AModule) noexcept {
  if (AModule) ::dlclose(AModule);
}

bool BibliothequeChargee(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  if (!chemin) return false;
  TypeModule module = ::dlopen(chemin->c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (module) ::dlclose(module);
  return module != nullptr;
}

std::u16string DerniereErreurBibliotheque() { return DepuisUtf8(GDerniereErreur); }

std::vector<std::u16string> DossiersConfigurationChargeur(std::u16string_view AFichier) {
  std::vector<std::u16string> resultat;
  const auto fichier = CheminSysteme(AFichier);
  if (!fichier) return resultat;
  std::vector<std::string> dossiers;
  LireConfiguration(dossiers, *fichier);
  for (const std::string& dossier : dossiers) resultat.push_back(DepuisUtf8(dossier));
  return resultat;
}

std::vector<std::u16string> DossiersBibliothequesSysteme() {
  std::vector<std::u16string> dossiers;
  for (const std::string& dossier : DossiersSysteme()) dossiers.push_back(DepuisUtf8(dossier));
  return dossiers;
}

std::optional<TypePaireBibliotheques> ChercherPaireBibliotheques(std::string_view ANom1,
                                                                  std::string_view ANom2) {
  for (const std::string& dossier : DossiersSysteme()) {
    const std::set<unsigned> versions1 = VersionsDans(dossier, ANom1);
    const std::set<unsigned> versions2 = VersionsDans(dossier, ANom2);
    for (auto version = versions1.rbegin(); version != versions1.rend(); ++version) {
      if (versions2.contains(*version)) return TypePaireBibliotheques{DepuisUtf8(dossier), *version};
    }
  }
  return std::nullopt;
}

}  // namespace kv::plateforme
