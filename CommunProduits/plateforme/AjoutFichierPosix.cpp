#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "plateforme/AjoutFichier.h"
#include "plateforme/CheminsPosix.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

// Not blocking only matters for a FIFO, which is refused right after.
int OuvrirEnAjout(const std::string& AChemin) {
  return ::open(AChemin.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK,
                0666);
}

std::u16string_view Dossier(std::u16string_view AChemin) {
  const std::size_t fin = AChemin.rfind(SeparateurChemin());
  if (fin == std::u16string_view::npos || fin == 0) return {};
  return AChemin.substr(0, fin);
}

bool Verrouiller(int ADescripteur) {
  int resultat = 0;
  do {
    resultat = ::flock(ADescripteur, LOCK_EX);
  } while (resultat != 0 && errno == EINTR);
  return resultat == 0;
}

// A failed write takes back what it had written of the text: the lock keeps
// the other writers out, so that part is still the end of the file.
void Reprendre(int ADescripteur, std::size_t AEcrits) {
  if (AEcrits == 0) return;
  const off_t fin = ::lseek(ADescripteur, 0, SEEK_END);
  if (fin >= static_cast<off_t>(AEcrits)) {
    [[maybe_unused]] const int ignore =
        ::ftruncate(ADescripteur, fin - static_cast<off_t>(AEcrits));
  }
}

bool EcrireTout(int ADescripteur, std::string_view ADonnees) {
  std::size_t ecrits = 0;
  while (ecrits < ADonnees.size()) {
    const ssize_t n = ::write(ADescripteur, ADonnees.data() + ecrits, ADonnees.size() - ecrits);
    if (n > 0) {
      ecrits += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      Reprendre(ADescripteur, ecrits);
      return false;
    }
  }
  return true;
}

}  // namespace

TAjoutFichier::~TAjoutFichier() { Fermer(); }

void TAjoutFichier::Fermer() {
  if (FDescripteur >= 0) ::close(FDescripteur);
  FDescripteur = -1;
  FChemin.clear();
}

bool TAjoutFichier::Ouvrir(std::u16string_view AChemin) {
  const auto chemin = CheminSysteme(AChemin);
  if (!chemin || chemin->empty()) return false;
  int descripteur = OuvrirEnAjout(*chemin);
  if (descripteur < 0 && errno == ENOENT) {
    const std::u16string_view dossier = Dossier(AChemin);
    if (!dossier.empty() && CreerDossierEtParents(dossier)) descripteur = OuvrirEnAjout(*chemin);
  }
  if (descripteur < 0) return false;
  struct stat etat {};
  if (::fstat(descripteur, &etat) != 0 || !S_ISREG(etat.st_mode)) {
    ::close(descripteur);
    return false;
  }
  FDescripteur = descripteur;
  FChemin = AChemin;
  FCheminSysteme = *chemin;
  FPeripherique = etat.st_dev;
  FNoeud = etat.st_ino;
  FDerniereVerification = std::chrono::steady_clock::now();
  return true;
}

// While the descriptor is open its file keeps its number, so a path that shows
// the same device and number still names that file.
bool TAjoutFichier::ToujoursEnPlace() {
  const bool relatif = FCheminSysteme.front() != '/';
  const auto maintenant = std::chrono::steady_clock::now();
  if (!relatif && maintenant - FDerniereVerification < DelaiVerificationNom) return true;
  FDerniereVerification = maintenant;
  struct stat etat {};
  return ::stat(FCheminSysteme.c_str(), &etat) == 0 && etat.st_dev == FPeripherique &&
         etat.st_ino == FNoeud;
}

bool TAjoutFichier::Ajouter(std::u16string_view AChemin, std::u16string_view ATexte) {
  if (FDescripteur >= 0 && AChemin != FChemin) Fermer();
  const std::string donnees = VersUtf8(ATexte);
  // The file can be replaced again between opening and locking; a few tries
  // are enough unless someone keeps replacing it.
  for (int essai = 0; essai < 3; ++essai) {
    if (FDescripteur < 0 && !Ouvrir(AChemin)) return false;
    if (!Verrouiller(FDescripteur)) {
      Fermer();
      return false;
    }
    // Checked under the lock, so that a writer that replaces the file while
    // holding it is seen.
    const bool enPlace = ToujoursEnPlace();
    const bool ecrit = enPlace && EcrireTout(FDescripteur, donnees);
    ::flock(FDescripteur, LOCK_UN);
    if (enPlace) return ecrit;
    Fermer();
  }
  return false;
}

}  // namespace kv::plateforme
