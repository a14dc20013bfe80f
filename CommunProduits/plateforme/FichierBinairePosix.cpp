#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "plateforme/CheminsPosix.h"
#include "plateforme/FichierBinaire.h"

namespace kv::plateforme {
namespace {

int Drapeaux(TypeOuvertureFichier AOuverture) {
  switch (AOuverture) {
    case TypeOuvertureFichier::ofLecture:
      return O_RDONLY;
    case TypeOuvertureFichier::ofLectureEcriture:
      return O_RDWR;
    case TypeOuvertureFichier::ofCreation:
      return O_RDWR | O_CREAT | O_TRUNC;
  }
  return O_RDONLY;
}

}  // namespace

TFichierBinaire::~TFichierBinaire() { Fermer(); }

bool TFichierBinaire::Ouvrir(std::u16string_view AChemin, TypeOuvertureFichier AOuverture) {
  Fermer();
  const auto chemin = CheminSysteme(AChemin);
  if (!chemin || chemin->empty()) {
    errno = chemin ? ENOENT : EINVAL;
    return false;
  }
  // Not blocking on a pipe or a device met instead of a file, which is then
  // refused below.
  const int descripteur =
      ::open(chemin->c_str(), Drapeaux(AOuverture) | O_CLOEXEC | O_NONBLOCK, 0666);
  if (descripteur < 0) return false;
  struct stat etat {};
  int erreur = 0;
  if (::fstat(descripteur, &etat) != 0) {
    erreur = errno;
  } else if (!S_ISREG(etat.st_mode)) {
    erreur = S_ISDIR(etat.st_mode) ? EISDIR : EINVAL;
  }
  if (erreur != 0) {
    ::close(descripteur);
    errno = erreur;
    return false;
  }
  const int drapeaux = ::fcntl(descripteur, F_GETFL);
  if (drapeaux >= 0) ::fcntl(descripteur, F_SETFL, drapeaux & ~O_NONBLOCK);
  FDescripteur = descripteur;
  return true;
}

void TFichierBinaire::Fermer() noexcept {
  if (FDescripteur >= 0) ::close(FDescripteur);
  FDescripteur = -1;
}

std::int64_t TFichierBinaire::Taille() const {
  struct stat etat {};
  if (::fstat(FDescripteur, &etat) != 0) return -1;
  return static_cast<std::int64_t>(etat.st_size);
}

std::int64_t TFichierBinaire::LireA(std::int64_t APosition, void* ADestination,
                                    std::size_t ANombre) const {
  auto* destination = static_cast<unsigned char*>(ADestination);
  std::size_t lus = 0;
  while (lus < ANombre) {
    const ssize_t n = ::pread(FDescripteur, destination + lus, ANombre - lus,
                              static_cast<off_t>(APosition + static_cast<std::int64_t>(lus)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    lus += static_cast<std::size_t>(n);
  }
  return static_cast<std::int64_t>(lus);
}

bool TFichierBinaire::EcrireA(std::int64_t APosition, const void* ASource, std::size_t ANombre) {
  const auto* source = static_cast<const unsigned char*>(ASource);
  std::size_t ecrits = 0;
  while (ecrits < ANombre) {
    const ssize_t n = ::pwrite(FDescripteur, source + ecrits, ANombre - ecrits,
                               static_cast<off_t>(APosition + static_cast<std::int64_t>(ecrits)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    ecrits += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace kv::plateforme
