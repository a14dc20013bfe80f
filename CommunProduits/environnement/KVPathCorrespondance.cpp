#include <cstddef>

#include "environnement/KVPath.h"
#include "plateforme/Casse.h"
#include "plateforme/Fichiers.h"

namespace kv {
namespace {

bool Accordent(char16_t A, char16_t B) { return A == B || A == u'?' || B == u'?'; }

// Compares from the start up to the first '*' on either side, then from the
// ends back to the first '*' on either side, never past where the first scan
// stopped. What lies between the first and the last '*' is never compared, and
// a side that is a prefix of the other without '*' matches it.
bool Correspond(std::u16string_view AChemin, std::u16string_view AMotif) {
  const auto longueur = [](std::u16string_view ATexte) {
    return static_cast<std::ptrdiff_t>(ATexte.size());
  };
  const std::ptrdiff_t commune = std::min(longueur(AChemin), longueur(AMotif));
  std::ptrdiff_t arret = 0;
  for (; arret < commune; ++arret) {
    if (AChemin[arret] == u'*' || AMotif[arret] == u'*') break;
    if (!Accordent(AChemin[arret], AMotif[arret])) return false;
  }
  if (arret == commune && AChemin.size() == AMotif.size()) return true;
  for (std::ptrdiff_t c = longueur(AChemin) - 1, m = longueur(AMotif) - 1; c > arret && m > arret;
       --c, --m) {
    if (AChemin[c] == u'*' || AMotif[m] == u'*') break;
    if (!Accordent(AChemin[c], AMotif[m])) return false;
  }
  return true;
}

// Full paths when both sides name a folder, else their file names only.
bool CorrespondAuMotif(std::u16string_view AChemin, std::u16string_view AMotif) {
  std::u16string chemin;
  std::u16string motif;
  if (!TPath::PartieDossier(AChemin).empty() && !TPath::PartieDossier(AMotif).empty()) {
    chemin = plateforme::CheminComplet(AChemin);
    motif = plateforme::CheminComplet(AMotif);
    // Without the current folder a relative side has no full form, and an empty
    // one would pass the comparison as a prefix of anything.
    if (chemin.empty() || motif.empty()) return false;
  } else {
    chemin = TPath::PartieNom(AChemin);
    motif = TPath::PartieNom(AMotif);
  }
  return Correspond(plateforme::EnMinuscules(chemin), plateforme::EnMinuscules(motif));
}

}  // namespace

bool TPath::Correspondent(std::u16string_view APath1, std::u16string_view APath2) {
  const std::u16string motifs = std::u16string(APath2) + u';';
  for (std::size_t debut = 0, fin; debut < motifs.size(); debut = fin + 1) {
    fin = motifs.find(u';', debut);
    if (fin > debut &&
        CorrespondAuMotif(APath1, std::u16string_view(motifs).substr(debut, fin - debut))) {
      return true;
    }
  }
  return false;
}

}  // namespace kv
