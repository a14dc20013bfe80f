#include "plateforme/Fichiers.h"

#include <vector>

namespace kv::plateforme {

std::u16string CheminNatif(std::u16string_view ACheminWindows) {
  std::u16string chemin(ACheminWindows);
  for (char16_t& c : chemin) {
    if (c == u'\\') c = SeparateurChemin();
  }
  return chemin;
}

std::u16string CheminCadriciel(std::u16string_view ACheminNatif) {
  std::u16string chemin(ACheminNatif);
  for (char16_t& c : chemin) {
    if (c == SeparateurChemin()) c = u'\\';
  }
  return chemin;
}

bool CreerDossierEtParents(std::u16string_view AChemin) {
  const char16_t separateur = SeparateurChemin();
  std::size_t fin = AChemin.size();
  while (fin > 1 && AChemin[fin - 1] == separateur) --fin;
  // CreerDossier refuses the empty path, saying why.
  if (fin == 0) return CreerDossier(AChemin.substr(0, 0));

  // Ends of the missing levels, deepest first.
  std::vector<std::size_t> manquants;
  while (fin > 0 && !DossierExiste(AChemin.substr(0, fin))) {
    manquants.push_back(fin);
    const std::size_t precedent = AChemin.rfind(separateur, fin - 1);
    if (precedent == std::u16string_view::npos) break;
    fin = precedent;
    while (fin > 1 && AChemin[fin - 1] == separateur) --fin;
  }
  for (auto niveau = manquants.rbegin(); niveau != manquants.rend(); ++niveau) {
    if (!CreerDossier(AChemin.substr(0, *niveau))) return false;
  }
  return true;
}

}  // namespace kv::plateforme
