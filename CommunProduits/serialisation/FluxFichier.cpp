#include "serialisation/FluxFichier.h"

#include <limits>

#include "commun/Format.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/Fichiers.h"

namespace kv {
namespace {

plateforme::TypeOuvertureFichier Ouverture(TypeModeFluxFichier AMode) {
  switch (AMode) {
    case TypeModeFluxFichier::mffLecture:
      return plateforme::TypeOuvertureFichier::ofLecture;
    case TypeModeFluxFichier::mffLectureEcriture:
      return plateforme::TypeOuvertureFichier::ofLectureEcriture;
    case TypeModeFluxFichier::mffCreation:
      return plateforme::TypeOuvertureFichier::ofCreation;
  }
  return plateforme::TypeOuvertureFichier::ofLecture;
}

// The system's reason for the last failure, read before anything can change it.
std::u16string Raison() {
  return plateforme::MessageErreurSysteme(plateforme::DerniereErreurSysteme());
}

}  // namespace

TFluxFichier::TFluxFichier(std::u16string_view AChemin, TypeModeFluxFichier AMode)
    : FChemin(AChemin), FEcriture(AMode != TypeModeFluxFichier::mffLecture) {
  const bool ouvert = FFichier.Ouvrir(plateforme::CheminNatif(AChemin), Ouverture(AMode));
  if (ouvert) FTaille = FFichier.Taille();
  if (!ouvert || FTaille < 0) {
    const std::u16string raison = Raison();
    throw EInOutError(
        Formater(u"Impossible d'ouvrir le fichier « %0:s » : %1:s", {FChemin, raison}));
  }
}

std::int64_t TFluxFichier::GetTaille() const { return FTaille; }

std::int64_t TFluxFichier::GetPosition() const { return FPosition; }

void TFluxFichier::SetPosition(std::int64_t APosition) {
  VerifierPosition(APosition);
  FPosition = APosition;
}

void TFluxFichier::Lire(void* ADestination, std::size_t ANombre) {
  if (ANombre == 0) return;
  VerifierLecture(ANombre);
  const std::int64_t lus = FFichier.LireA(FPosition, ADestination, ANombre);
  if (lus < 0) {
    const std::u16string raison = Raison();
    throw EReadError(Formater(u"Erreur de lecture du flux : « %0:s » : %1:s", {FChemin, raison}));
  }
  if (static_cast<std::uint64_t>(lus) != ANombre) {
    throw EReadError(Formater(u"Erreur de lecture du flux : « %0:s » a raccourci.", {FChemin}));
  }
  FPosition += lus;
}

void TFluxFichier::Ecrire(const void* ASource, std::size_t ANombre) {
  if (ANombre == 0) return;
  if (!FEcriture) {
    throw EWriteError(
        Formater(u"Erreur d'écriture du flux : « %0:s » est ouvert en lecture.", {FChemin}));
  }
  if (ANombre > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max() - FPosition)) {
    throw EWriteError(u"Erreur d'écriture du flux : le fichier ne peut grandir autant.");
  }
  if (!FFichier.EcrireA(FPosition, ASource, ANombre)) {
    const std::u16string raison = Raison();
    // Part of the bytes may have gone to the file.
    if (const std::int64_t taille = FFichier.Taille(); taille > FTaille) FTaille = taille;
    throw EWriteError(Formater(u"Erreur d'écriture du flux : « %0:s » : %1:s", {FChemin, raison}));
  }
  FPosition += static_cast<std::int64_t>(ANombre);
  if (FPosition > FTaille) FTaille = FPosition;
}

}  // namespace kv
