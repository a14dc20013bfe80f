#include "serialisation/DispositionAppel.h"

#include "commun/Exception.h"

namespace kv {

void VerifierEntreeDisposition(const TypeEntreeDispositionMethode& AMethode) {
  if (AMethode.AvecValeurRetour && AMethode.Parametres.empty()) {
    throw EArgumentInvalide(u"Disposition d'appel : le résultat annoncé n'est pas décrit.");
  }
  for (const TypeEntreeDisposition& parametre : AMethode.Parametres) {
    if (parametre.Taille < 0 || parametre.NombreParametres < 1) {
      throw EArgumentInvalide(
          u"Disposition d'appel : un paramètre a une taille négative ou aucune position.");
    }
    for (const TypeFeuilleScalaire& feuille : parametre.Feuilles) {
      if (feuille.Offset < 0 || feuille.Taille <= 0 || feuille.Taille > 8 ||
          feuille.Offset > parametre.Taille - feuille.Taille) {
        throw EArgumentInvalide(
            u"Disposition d'appel : un scalaire déborde de la valeur qui le contient.");
      }
    }
  }
}

const TDispositionAppel& DispositionHote() noexcept {
#if defined(__x86_64__) && defined(_WIN64)
  return DispositionWindowsX64();
#elif defined(__x86_64__)
  return DispositionSystemVX64();
#else
#error "Pas de disposition d'appel pour ce processeur"
#endif
}

}  // namespace kv
