#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <string>
#include <utility>
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

// Zero, or the error of the write.
int EcrireTout(int ADescripteur, std::string_view ADonnees) {
  std::size_t ecrits = 0;
  while (ecrits < ADonnees.size()) {
    const ssize_t n = ::write(ADescripteur, ADonnees.data() + ecrits, ADonnees.size() - ecrits);
    if (n > 0) {
      ecrits += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      return errno;
    } else if (n == 0) {
      return EIO;
    }
  }
  return 0;
}

// A name beside AFichier that no other writer of this machine picks at the same
// time: the process, a counter and the clock.
std::string NomTemporaire(const std::string& AFichier) {
  static std::atomic<unsigned> compteur{0};
  timespec maintenant{};
  ::clock_gettime(CLOCK_REALTIME, &maintenant);
  return AFichier + ".tmp-" + std::to_string(::getpid()) + "-" +
         std::to_string(compteur.fetch_add(1, std::memory_order_relaxed)) + "-" +
         std::to_string(maintenant.tv_nsec);
}

// The new temporary file, open for writing; -1 with errno on failure.
int CreerTemporaire(const std::string& AFichier, const std::string& ADonne, std::uint32_t ADroits,
                    std::string& ATemporaire) {
  constexpr int Options = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY;
  const auto droits = static_cast<mode_t>(ADroits & 07777);
  if (!ADonne.empty()) {
    ATemporaire = ADonne;
    ::unlink(ATemporaire.c_str());
    return ::open(ATemporaire.c_str(), Options, droits);
  }
  for (int essai = 0; essai < 100; ++essai) {
    ATemporaire = NomTemporaire(AFichier);
    const int descripteur = ::open(ATemporaire.c_str(), Options, droits);
    if (descripteur >= 0 || errno != EEXIST) return descripteur;
  }
  return -1;
}

// The folder part of a path, for flushing it: "." for a bare name.
std::string DossierDe(const std::string& AFichier) {
  const std::size_t barre = AFichier.rfind('/');
  if (barre == std::string::npos) return ".";
  return barre == 0 ? "/" : AFichier.substr(0, barre);
}

std::optional<TypeEchecEcriture> EcrireEtRemplacer(int ADescripteur, const std::string& ATemporaire,
                                                   const std::string& AFichier,
                                                   std::string_view AContenu) {
  int ouvert = ADescripteur;
  const auto echouer = [&](std::u16string_view AEtape, int ACode) {
    if (ouvert >= 0) ::close(ouvert);
    ::unlink(ATemporaire.c_str());
    return std::optional<TypeEchecEcriture>(TypeEchecEcriture{AEtape, ACode});
  };
  // The file keeps the rights it had; a new one keeps those of its creation.
  struct stat ancien {};
  if (::stat(AFichier.c_str(), &ancien) == 0 && ::fchmod(ouvert, ancien.st_mode & 07777) != 0) {
    return echouer(u"droits", errno);
  }
  if (const int erreur = EcrireTout(ouvert, AContenu)) return echouer(u"écriture", erreur);
  if (::fsync(ouvert) != 0) return echouer(u"écriture sur le disque", errno);
  const int fermeture = ::close(std::exchange(ouvert, -1));
  if (fermeture != 0) return echouer(u"fermeture", errno);
  if (::rename(ATemporaire.c_str(), AFichier.c_str()) != 0) return echouer(u"remplacement", errno);
  const int dossier = ::open(DossierDe(AFichier).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dossier >= 0) {
    ::fsync(dossier);
    ::close(dossier);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> CheminSysteme(std::u16string_view AChemin) {
  if (AChemin.find(u'\0') != std::u16string_view::npos) return std::nullopt;
  return VersUtf8Strict(AChemin);
}

std::u16string Joindre(std::u16string ADossier, std::u16string_view ANom) {
  if (!ADossier.empty() && ADossier.back() != SeparateurChemin()) ADossier += SeparateurChemin();
  return ADossier.append(ANom);
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
  if (!chemin || chemin->empty()) {
    errno = EINVAL;
    return false;
  }
  if (::mkdir(chemin->c_str(), 0777) == 0) return true;
  // What is in the way is the reason; looking at it must not replace it.
  const int erreur = errno;
  if (erreur == EEXIST && DossierExiste(AChemin)) return true;
  errno = erreur;
  return false;
}

bool RenommerFichier(std::u16string_view AAncien, std::u16string_view ANouveau) {
  const auto ancien = CheminSysteme(AAncien);
  const auto nouveau = CheminSysteme(ANouveau);
  if (!ancien || !nouveau || ancien->empty() || nouveau->empty()) {
    errno = EINVAL;
    return false;
  }
  return ::rename(ancien->c_str(), nouveau->c_str()) == 0;
}

std::optional<TypeEchecEcriture> EcrireFichierAtomique(std::u16string_view AChemin,
                                                       std::string_view AContenu,
                                                       std::uint32_t ADroitsNouveau,
                                                       std::u16string_view ATemporaire) {
  const auto fichier = CheminSysteme(AChemin);
  const auto temporaireDonne = CheminSysteme(ATemporaire);
  if (!fichier || fichier->empty() || !temporaireDonne) {
    return TypeEchecEcriture{u"nom du fichier", EINVAL};
  }
  std::string temporaire;
  const int descripteur = CreerTemporaire(*fichier, *temporaireDonne, ADroitsNouveau, temporaire);
  if (descripteur < 0) return TypeEchecEcriture{u"création du fichier temporaire", errno};
  return EcrireEtRemplacer(descripteur, temporaire, *fichier, AContenu);
}

bool SupprimerFichier(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  return chemin && !chemin->empty() && ::unlink(chemin->c_str()) == 0;
}

}  // namespace kv::plateforme
