#include "environnement/KVPath.h"

#include <algorithm>

#include "commun/Exception.h"
#include "plateforme/Casse.h"
#include "plateforme/Environnement.h"
#include "plateforme/Fichiers.h"

namespace kv {
namespace {

bool EstBlanc(char16_t ACaractere) { return ACaractere <= u' '; }

// White space and control characters removed at both ends.
std::u16string_view Rogner(std::u16string_view ATexte) {
  while (!ATexte.empty() && EstBlanc(ATexte.front())) ATexte.remove_prefix(1);
  while (!ATexte.empty() && EstBlanc(ATexte.back())) ATexte.remove_suffix(1);
  return ATexte;
}

bool FinitParBarre(std::u16string_view ATexte) { return !ATexte.empty() && ATexte.back() == u'\\'; }

std::u16string AvecBarreFinale(std::u16string_view AChemin) {
  std::u16string resultat(AChemin);
  if (!FinitParBarre(resultat)) resultat += u'\\';
  return resultat;
}

// "\\server\share..." with nothing but path characters.
bool EstCheminUnc(std::u16string_view AChemin) {
  return AChemin.size() > 2 && AChemin.starts_with(u"\\\\") &&
         std::none_of(AChemin.begin(), AChemin.end(), TPath::EstCaractereInterdit);
}

// "X:\...": the only other form the extended-length prefix can be put on; it
// takes the name as it is, so a relative name would no longer be found.
bool EstCheminAbsoluSurLecteur(std::u16string_view AChemin) {
  return AChemin.size() > 2 && AChemin[1] == u':' && AChemin[2] == u'\\';
}

}  // namespace

bool TPath::EstCaractereInterdit(char16_t ACaractere) {
  return std::find(CaracteresInterdits.begin(), CaracteresInterdits.end(), ACaractere) !=
         CaracteresInterdits.end();
}

std::u16string_view TPath::PartieLecteur(std::u16string_view AChemin) {
  if (AChemin.size() >= 2 && AChemin[1] == u':') return AChemin.substr(0, 2);
  if (!AChemin.starts_with(u"\\\\")) return {};
  const std::size_t finServeur = AChemin.find(u'\\', 2);
  if (finServeur == AChemin.npos) return AChemin;
  return AChemin.substr(0, AChemin.find(u'\\', finServeur + 1));
}

std::u16string_view TPath::PartieDossier(std::u16string_view AChemin) {
  const std::size_t fin = AChemin.find_last_of(u"\\:");
  return fin == AChemin.npos ? std::u16string_view() : AChemin.substr(0, fin + 1);
}

std::u16string_view TPath::PartieNom(std::u16string_view AChemin) {
  return AChemin.substr(PartieDossier(AChemin).size());
}

std::u16string TPath::Make(std::u16string_view ADirectory, std::u16string_view AFileName,
                           bool AExpand) {
  std::u16string resultat;
  if (ADirectory.empty() || !PartieLecteur(AFileName).empty()) {
    resultat = AFileName;
  } else {
    resultat = AvecBarreFinale(ADirectory);
    resultat += AFileName;
  }
  return AExpand ? plateforme::CheminComplet(resultat) : resultat;
}

std::u16string TPath::Combine(std::span<const std::u16string> AChemins) {
  std::size_t debut = 0;
  std::size_t estimation = 0;
  for (std::size_t i = 0; i < AChemins.size(); ++i) {
    const std::u16string& piece = AChemins[i];
    if (piece.empty()) continue;
    if (std::any_of(piece.begin(), piece.end(), EstCaractereInterdit)) {
      throw EArgumentInvalide(piece + u" contient des caractères interdits.");
    }
    if (!PartieLecteur(piece).empty()) {
      debut = i;
      estimation = 0;
    }
    estimation += piece.size() + (FinitParBarre(piece) ? 0 : 1);
  }
  std::u16string resultat;
  resultat.reserve(estimation);
  for (std::size_t i = debut; i < AChemins.size(); ++i) {
    if (AChemins[i].empty()) continue;
    if (!resultat.empty() && !FinitParBarre(resultat)) resultat += u'\\';
    resultat += AChemins[i];
  }
  return resultat;
}

std::u16string TPath::AjouterExtendedPrefix(std::u16string_view AFileName) {
  return AjouterExtendedPrefix(AFileName, CheminsLongsActives());
}

std::u16string TPath::AjouterExtendedPrefix(std::u16string_view AFileName,
                                            bool ACheminsLongsActives) {
  std::u16string resultat;
  if (AFileName.size() < LongueurCheminLong || ACheminsLongsActives ||
      AFileName.starts_with(PrefixeEtendu)) {
    resultat = AFileName;
  } else if (EstCheminUnc(AFileName)) {
    resultat = PrefixeEtenduUnc;
    resultat += AFileName.substr(2);
  } else if (EstCheminAbsoluSurLecteur(AFileName)) {
    resultat = PrefixeEtendu;
    resultat += AFileName;
  } else {
    resultat = AFileName;
  }
  return resultat;
}

bool TPath::CheminsLongsActives() {
  static const bool actives = plateforme::CheminsLongsActives();
  return actives;
}

bool TPath::Exists(std::u16string_view APath) {
  return plateforme::CheminExiste(plateforme::CheminNatif(APath));
}

std::u16string TPath::Search(std::u16string_view AFileName, std::u16string_view APath) {
  const std::u16string dossiers = std::u16string(APath) + u';';
  for (std::size_t debut = 0, fin; debut < dossiers.size(); debut = fin + 1) {
    fin = dossiers.find(u';', debut);
    const std::u16string_view dossier =
        Rogner(std::u16string_view(dossiers).substr(debut, fin - debut));
    if (dossier.empty()) continue;
    std::u16string candidat = Make(dossier, AFileName, true);
    if (plateforme::FichierExiste(plateforme::CheminNatif(candidat))) return candidat;
  }
  return {};
}

std::u16string TPath::RepertoireCommun(std::u16string_view APath1, std::u16string_view APath2) {
  // An empty path names no folder; with a backslash added it would name the root.
  if (APath1.empty() || APath2.empty()) return {};
  const std::u16string chemin1 = AvecBarreFinale(APath1);
  const std::u16string minuscules1 = plateforme::EnMinuscules(chemin1);
  const std::u16string minuscules2 = plateforme::EnMinuscules(AvecBarreFinale(APath2));
  const std::size_t commun = static_cast<std::size_t>(
      std::mismatch(minuscules1.begin(), minuscules1.end(), minuscules2.begin(), minuscules2.end())
          .first -
      minuscules1.begin());
  const std::size_t barre =
      commun == 0 ? std::u16string::npos : minuscules1.rfind(u'\\', commun - 1);
  if (barre == std::u16string::npos) return {};
  return chemin1.substr(0, barre + 1);
}

std::u16string TPath::SubstituerVariablesDEnvironnement(std::u16string_view APath) {
  std::u16string resultat = plateforme::DevelopperVariablesEnvironnement(APath);
  const std::size_t fin = resultat.find_last_not_of(u'\0');
  resultat.resize(fin == resultat.npos ? 0 : fin + 1);
  return resultat;
}

}  // namespace kv
