#include "trace/TraceSimple.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <vector>

#include "objets/ClasseFinalisable.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Horloge.h"

namespace kv {

// The live traces in creation order. The list does not own them, but destroys
// those still registered in the late finalisation phase.
class TListeTraces : public TClasseFinalisable {
 public:
  static void Ajouter(TTraceSimple* ATrace) {
    std::lock_guard verrou(FVerrou);
    if (FTraces == nullptr) {
      FTraces = new TypeTraces;
      RecenserFinalisation<TListeTraces>(TypeGenreClasseFinalisable::cfFinalisationTardive);
    }
    FTraces->push_back(ATrace);
  }

  static void Retirer(const TTraceSimple* ATrace) {
    std::lock_guard verrou(FVerrou);
    if (FTraces == nullptr) return;
    const auto position = std::find(FTraces->begin(), FTraces->end(), ATrace);
    if (position != FTraces->end()) FTraces->erase(position);
  }

  // Applies AOperation to the oldest trace named ANom. The list stays locked
  // meanwhile, so that the trace cannot be destroyed under the operation.
  template <class AFonction>
  static void Appliquer(std::u16string_view ANom, AFonction AOperation) {
    std::lock_guard verrou(FVerrou);
    if (FTraces == nullptr) return;
    for (TTraceSimple* trace : *FTraces) {
      if (trace->FNomTrace == ANom) {
        AOperation(*trace);
        return;
      }
    }
  }

  // Newest first; each trace leaves the list as it is destroyed, and can still
  // be reached by name until then.
  static void FinaliserClasse() {
    for (;;) {
      TTraceSimple* trace = nullptr;
      {
        std::lock_guard verrou(FVerrou);
        if (FTraces == nullptr || FTraces->empty()) {
          delete FTraces;
          FTraces = nullptr;
          return;
        }
        trace = FTraces->back();
      }
      delete trace;
    }
  }

 private:
  using TypeTraces = std::vector<TTraceSimple*>;

  // Both must still be there when the late phase runs at process exit, after
  // static objects may have been destroyed. Recursive: a descendant's
  // operation may reach another trace by name.
  static_assert(std::is_trivially_destructible_v<std::recursive_mutex>);
  static constinit inline std::recursive_mutex FVerrou;
  static constinit inline TypeTraces* FTraces = nullptr;
};

namespace {

void AjouterChiffres(std::u16string& ALigne, int AValeur, int ALargeur) {
  char16_t chiffres[12];
  int longueur = 0;
  auto reste = static_cast<unsigned>(std::max(AValeur, 0));
  do {
    chiffres[longueur++] = static_cast<char16_t>(u'0' + reste % 10);
    reste /= 10;
  } while (reste != 0);
  for (int i = longueur; i < ALargeur; ++i) ALigne += u'0';
  while (longueur > 0) ALigne += chiffres[--longueur];
}

// "dd/mm/yyyy hh:nn:ss:zzz : ", with the user's separators.
void AjouterHorodatage(std::u16string& ALigne) {
  const plateforme::TypeDateHeureLocale maintenant = plateforme::DateHeureLocale();
  const plateforme::TypeSeparateursDateHeure separateurs = plateforme::SeparateursDateHeure();
  AjouterChiffres(ALigne, maintenant.Jour, 2);
  ALigne += separateurs.Date;
  AjouterChiffres(ALigne, maintenant.Mois, 2);
  ALigne += separateurs.Date;
  AjouterChiffres(ALigne, maintenant.Annee, 4);
  ALigne += u' ';
  AjouterChiffres(ALigne, maintenant.Heure, 2);
  ALigne += separateurs.Heure;
  AjouterChiffres(ALigne, maintenant.Minute, 2);
  ALigne += separateurs.Heure;
  AjouterChiffres(ALigne, maintenant.Seconde, 2);
  ALigne += separateurs.Heure;
  AjouterChiffres(ALigne, maintenant.Milliseconde, 3);
  ALigne += u" : ";
}

}  // namespace

TTraceSimple::TTraceSimple(std::u16string_view aNomTrace, std::u16string_view aNomFichier,
                           bool aTraceDatee, std::int32_t aNbNiveaux, bool aTracesDeControle)
    : FNomTrace(aNomTrace),
      FNomFichierTrace(aNomFichier),
      FNbNiveaux(aNbNiveaux),
      FTraceDatee(aTraceDatee),
      FTracesControle(aTracesDeControle) {
  // No creation notice: it would be of level 1, and a new trace is inactive.
  TListeTraces::Ajouter(this);
}

TTraceSimple::~TTraceSimple() {
  // Out of the list first, so that no operation by name reaches a trace that
  // is going.
  TListeTraces::Retirer(this);
  Desactiver();
}

std::u16string TTraceSimple::GetNomFichier() const { return FNomFichierTrace; }

void TTraceSimple::NiveauModifie(std::int32_t aAncienNiveau, std::int32_t aNouveauNiveau) {
  if (!FTracesControle || aAncienNiveau == aNouveauNiveau) return;
  const std::int32_t niveau = Niveau();
  if (niveau > 0) {
    EcrireLigne(Formater(u"Trace activée (%d).", {niveau}));
  } else {
    EcrireLigne(u"Trace désactivée.");
  }
}

std::int32_t TTraceSimple::Niveau() const {
  std::lock_guard verrou(FVerrou);
  return FNiveauActivation;
}

bool TTraceSimple::TraceDatee() const {
  std::lock_guard verrou(FVerrou);
  return FTraceDatee;
}

void TTraceSimple::SetTraceDatee(bool aTraceDatee) {
  std::lock_guard verrou(FVerrou);
  FTraceDatee = aTraceDatee;
}

bool TTraceSimple::EstActive(std::int32_t aNiveau) const { return Niveau() >= aNiveau; }

void TTraceSimple::Effacer() {
  try {
    const std::u16string nom = plateforme::CheminNatif(GetNomFichier());
    std::lock_guard verrou(FVerrou);
    FFichier.Fermer();
    plateforme::SupprimerFichier(nom);
  } catch (...) {
    // A file that cannot be deleted is left as it is.
  }
}

void TTraceSimple::Activer(std::int32_t aNiveau) {
  std::int32_t ancien = 0;
  {
    std::lock_guard verrou(FVerrou);
    ancien = FNiveauActivation;
    FNiveauActivation = aNiveau;
  }
  NiveauModifie(ancien, aNiveau);
}

void TTraceSimple::Desactiver() {
  if (Niveau() != 0) TracerSi(u"Trace désactivée.", FTracesControle, 1);
  std::lock_guard verrou(FVerrou);
  FNiveauActivation = 0;
}

void TTraceSimple::Indenter() {
  std::lock_guard verrou(FVerrou);
  if (FNiveauIndentation <= std::numeric_limits<std::int32_t>::max() - 2) FNiveauIndentation += 2;
}

void TTraceSimple::Desindenter() {
  std::lock_guard verrou(FVerrou);
  if (FNiveauIndentation >= 2) FNiveauIndentation -= 2;
}

void TTraceSimple::Tracer(std::u16string_view aTrace, std::int32_t aNiveau) {
  if (EstActive(aNiveau)) EcrireLigne(aTrace);
}

void TTraceSimple::FormatterEtTracer(std::u16string_view aFormatTrace,
                                     std::initializer_list<TypeArgumentFormat> aArgs,
                                     std::int32_t aNiveau) {
  if (EstActive(aNiveau)) EcrireLigne(Formater(aFormatTrace, aArgs));
}

void TTraceSimple::TracerSi(std::u16string_view aTrace, bool aCond, std::int32_t aNiveau) {
  if (aCond) Tracer(aTrace, aNiveau);
}

std::u16string TTraceSimple::Ligne(std::u16string_view aTrace) const {
  std::u16string ligne;
  ligne.reserve(32 + static_cast<std::size_t>(FNiveauIndentation) + aTrace.size());
  if (FTraceDatee) AjouterHorodatage(ligne);
  ligne.append(static_cast<std::size_t>(FNiveauIndentation), u' ');
  ligne.append(aTrace);
  ligne.append(u"\r\n");
  return ligne;
}

void TTraceSimple::EcrireLigne(std::u16string_view aTrace) {
  try {
    const std::u16string nom = plateforme::CheminNatif(GetNomFichier());
    std::lock_guard verrou(FVerrou);
    FFichier.Ajouter(nom, Ligne(aTrace));
  } catch (...) {
    // Writing never fails for the caller: the line is lost.
  }
}

bool TTraceSimple::EstActive(std::u16string_view aNomTrace, std::int32_t aNiveau) {
  bool active = false;
  TListeTraces::Appliquer(aNomTrace,
                          [&](TTraceSimple& ATrace) { active = ATrace.EstActive(aNiveau); });
  return active;
}

void TTraceSimple::Effacer(std::u16string_view aNomTrace) {
  TListeTraces::Appliquer(aNomTrace, [](TTraceSimple& ATrace) { ATrace.Effacer(); });
}

void TTraceSimple::Activer(std::u16string_view aNomTrace, std::int32_t aNiveau) {
  TListeTraces::Appliquer(aNomTrace, [&](TTraceSimple& ATrace) { ATrace.Activer(aNiveau); });
}

void TTraceSimple::Desactiver(std::u16string_view aNomTrace) {
  TListeTraces::Appliquer(aNomTrace, [](TTraceSimple& ATrace) { ATrace.Desactiver(); });
}

void TTraceSimple::Indenter(std::u16string_view aNomTrace) {
  TListeTraces::Appliquer(aNomTrace, [](TTraceSimple& ATrace) { ATrace.Indenter(); });
}

void TTraceSimple::Desindenter(std::u16string_view aNomTrace) {
  TListeTraces::Appliquer(aNomTrace, [](TTraceSimple& ATrace) { ATrace.Desindenter(); });
}

void TTraceSimple::Tracer(std::u16string_view aNomTrace, std::u16string_view aTrace,
                          std::int32_t aNiveau) {
  TListeTraces::Appliquer(aNomTrace, [&](TTraceSimple& ATrace) { ATrace.Tracer(aTrace, aNiveau); });
}

void TTraceSimple::FormatterEtTracer(std::u16string_view aNomTrace,
                                     std::u16string_view aFormatTrace,
                                     std::initializer_list<TypeArgumentFormat> aArgs,
                                     std::int32_t aNiveau) {
  TListeTraces::Appliquer(aNomTrace, [&](TTraceSimple& ATrace) {
    ATrace.FormatterEtTracer(aFormatTrace, aArgs, aNiveau);
  });
}

void TTraceSimple::TracerSi(std::u16string_view aNomTrace, std::u16string_view aTrace, bool aCond,
                            std::int32_t aNiveau) {
  TListeTraces::Appliquer(aNomTrace,
                          [&](TTraceSimple& ATrace) { ATrace.TracerSi(aTrace, aCond, aNiveau); });
}

}  // namespace kv
