#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <utility>

#include "commun/Format.h"
#include "plateforme/CheminsPosix.h"
#include "plateforme/DossiersConnus.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Registre.h"
#include "plateforme/RucheRegistre.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

constexpr std::u16string_view NomFichierRuche = u"registre.kvr";
constexpr std::u16string_view SuffixeVerrou = u".verrou";
constexpr std::u16string_view SuffixeTemporaire = u".tmp";

// Where one hive's files are, as the system calls take them.
struct TypeEmplacement {
  std::u16string Dossier;  // empty when the hive has no folder
  std::u16string Fichier;
  std::string FichierSysteme;
  std::string VerrouSysteme;
  // The rights of a new hive: the user's own hive is private to the account.
  mode_t Droits = 0600;
};

TypeEmplacement Emplacement(TypeRacineRegistre ARacine) {
  TypeEmplacement lieu;
  const std::u16string dossier = DossierRuche(ARacine);
  const auto dossierSysteme = CheminSysteme(dossier);
  if (dossier.empty() || !dossierSysteme) return lieu;
  lieu.Dossier = dossier;
  lieu.Fichier = Joindre(dossier, NomFichierRuche);
  lieu.FichierSysteme = *CheminSysteme(lieu.Fichier);
  lieu.VerrouSysteme = lieu.FichierSysteme + VersUtf8(SuffixeVerrou);
  if (ARacine == TypeRacineRegistre::rrMachineLocale) lieu.Droits = 0644;
  return lieu;
}

std::vector<std::u16string> CheminCle(std::u16string_view AChemin) {
  auto noms = DecouperCheminCle(AChemin);
  if (!noms) {
    throw EArgumentInvalide(
        Formater(u"Chemin de clé du registre invalide : « %0:s » a un nom vide entre deux « \\ ».",
                 {AChemin}));
  }
  return std::move(*noms);
}

std::u16string TexteChemin(const std::vector<std::u16string>& AChemin) {
  std::u16string texte;
  for (const std::u16string& nom : AChemin) {
    if (!texte.empty()) texte += u'\\';
    texte += nom;
  }
  return texte;
}

// A change asked of a key opened for reading.
[[noreturn]] void RefuserLectureSeule(const std::vector<std::u16string>& AChemin,
                                      std::u16string_view ANom, std::u16string_view AAction) {
  throw EEcritureRegistre(Formater(
      u"La clé du registre « %0:s » est ouverte en lecture seule : la valeur « %1:s » ne peut "
      u"pas %2:s.",
      {TexteChemin(AChemin), ANom, AAction}));
}

// ---- Files ----

class TDescripteur {
 public:
  explicit TDescripteur(int AValeur = -1) : FValeur(AValeur) {}
  ~TDescripteur() { Fermer(); }
  TDescripteur(TDescripteur&& AAutre) noexcept : FValeur(std::exchange(AAutre.FValeur, -1)) {}
  TDescripteur& operator=(TDescripteur&&) = delete;

  int Valeur() const { return FValeur; }
  bool Valide() const { return FValeur >= 0; }
  // Zero, or the error of close.
  int Fermer() {
    if (FValeur < 0) return 0;
    const int resultat = ::close(FValeur);
    FValeur = -1;
    return resultat == 0 ? 0 : errno;
  }

 private:
  int FValeur;
};

struct TypeLecture {
  int Erreur = 0;        // the system error, when reading failed
  bool Present = false;  // a file is there
  std::string Contenu;
};

// A folder or a file missing on the path means no hive; anything else that
// keeps the file from being read is a failure. Not blocking only matters for a
// FIFO, refused right after.
TypeLecture LireFichier(const std::string& AChemin) {
  TypeLecture lecture;
  const TDescripteur fichier(::open(AChemin.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fichier.Valide()) {
    if (errno != ENOENT && errno != ENOTDIR) lecture.Erreur = errno;
    return lecture;
  }
  struct stat etat {};
  if (::fstat(fichier.Valeur(), &etat) != 0) {
    lecture.Erreur = errno;
    return lecture;
  }
  if (!S_ISREG(etat.st_mode)) {
    lecture.Erreur = S_ISDIR(etat.st_mode) ? EISDIR : EINVAL;
    return lecture;
  }
  lecture.Present = true;
  char tampon[65536];
  while (true) {
    const ssize_t lus = ::read(fichier.Valeur(), tampon, sizeof tampon);
    if (lus > 0) {
      lecture.Contenu.append(tampon, static_cast<std::size_t>(lus));
    } else if (lus == 0) {
      return lecture;
    } else if (errno != EINTR) {
      lecture.Erreur = errno;
      return lecture;
    }
  }
}

// ---- Writing ----

[[noreturn]] void EchouerEcriture(const TypeEmplacement& ALieu, std::u16string_view AEtape,
                                  int ACode) {
  throw EEcritureRegistre(
      Formater(u"Impossible d'enregistrer la ruche du registre « %0:s » (%1:s) : %2:s.",
               {ALieu.Fichier, AEtape, MessageErreurSysteme(ACode)}));
}

// Held until the object goes: closing the descriptor lets the lock go.
TDescripteur Verrouiller(const TypeEmplacement& ALieu) {
  TDescripteur verrou(::open(ALieu.VerrouSysteme.c_str(),
                             O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, ALieu.Droits));
  if (!verrou.Valide()) EchouerEcriture(ALieu, u"ouverture du verrou", errno);
  int resultat;
  do {
    resultat = ::flock(verrou.Valeur(), LOCK_EX);
  } while (resultat != 0 && errno == EINTR);
  if (resultat != 0) EchouerEcriture(ALieu, u"verrouillage", errno);
  return verrou;
}

// The temporary file is the writers' own: the lock keeps the others away from
// it, so one left behind by a writer that died is simply replaced. A new hive
// gets the rights of its kind; an existing one keeps its own.
void RemplacerFichier(const TypeEmplacement& ALieu, std::string_view ATexte) {
  const auto echec = EcrireFichierAtomique(ALieu.Fichier, ATexte, ALieu.Droits,
                                           ALieu.Fichier + std::u16string(SuffixeTemporaire));
  if (echec) EchouerEcriture(ALieu, echec->Etape, echec->Code);
}

// Applies AChangement to the hive as it is on disk, under the lock, and puts
// the result in place when AChangement says that it changed something. Gives
// the hive as it is afterwards.
TCleRuche ModifierRuche(TypeRacineRegistre ARacine,
                        const std::function<bool(TCleRuche&)>& AChangement) {
  const TypeEmplacement lieu = Emplacement(ARacine);
  if (lieu.Dossier.empty()) {
    throw EEcritureRegistre(
        u"Impossible d'enregistrer la ruche du registre : aucun dossier ne peut l'accueillir "
        u"(variable KV_REGISTRE_UTILISATEUR ou KV_REGISTRE_MACHINE qui n'est pas de l'UTF-8, "
        u"ou dossier personnel inconnu).");
  }
  if (!CreerDossierEtParents(lieu.Dossier)) EchouerEcriture(lieu, u"création du dossier", errno);
  const TDescripteur verrou = Verrouiller(lieu);
  const TypeLecture lecture = LireFichier(lieu.FichierSysteme);
  if (lecture.Erreur != 0) EchouerEcriture(lieu, u"lecture", lecture.Erreur);
  TCleRuche racine = lecture.Present ? AnalyserRuche(lecture.Contenu, lieu.Fichier) : TCleRuche{};
  if (AChangement(racine)) {
    RemplacerFichier(lieu, TexteRuche(racine));
  }
  return racine;
}

}  // namespace

std::u16string DossierRuche(TypeRacineRegistre ARacine) {
  const bool utilisateur = ARacine == TypeRacineRegistre::rrUtilisateurCourant;
  const char* variable =
      std::getenv(utilisateur ? "KV_REGISTRE_UTILISATEUR" : "KV_REGISTRE_MACHINE");
  // A value that is not UTF-8 names a folder that cannot be handed back to the
  // system; falling back to the usual folder would write where nobody asked.
  if (variable != nullptr && variable[0] != '\0') return DepuisUtf8Strict(variable).value_or(u"");
  if (!utilisateur) return u"/var/lib/korvel";
  auto base = DossierDonneesItinerantes();
  if (!base) base = DossierDonneesApplicationShell();
  return base ? Joindre(std::move(*base), u"korvel") : std::u16string();
}

struct TCleRegistre::TypeEtat {
  TypeRacineRegistre Racine;
  std::vector<std::u16string> Chemin;
  bool Ecriture = false;
  // The key's values and the names of its sub-keys, without what lies deeper.
  TCleRuche Instantane;

  // The key as it is in the hive just read.
  void Prendre(const TCleRuche& ACle) {
    Instantane = TCleRuche{ACle.Nom, ACle.Valeurs, {}};
    for (const TCleRuche& sousCle : ACle.SousCles) {
      Instantane.SousCles.push_back(TCleRuche{sousCle.Nom, {}, {}});
    }
  }
};

TCleRegistre::TCleRegistre(std::unique_ptr<TypeEtat> AEtat) : FEtat(std::move(AEtat)) {}
TCleRegistre::TCleRegistre(TCleRegistre&&) noexcept = default;
TCleRegistre& TCleRegistre::operator=(TCleRegistre&&) noexcept = default;
TCleRegistre::~TCleRegistre() = default;

std::optional<TCleRegistre> TCleRegistre::Ouvrir(TypeRacineRegistre ARacine,
                                                 std::u16string_view AChemin) {
  auto chemin = CheminCle(AChemin);
  const TypeEmplacement lieu = Emplacement(ARacine);
  if (lieu.Dossier.empty()) return std::nullopt;
  const TypeLecture lecture = LireFichier(lieu.FichierSysteme);
  if (lecture.Erreur != 0) {
    throw ELectureRegistre(Formater(u"Impossible de lire la ruche du registre « %0:s » : %1:s.",
                                    {lieu.Fichier, MessageErreurSysteme(lecture.Erreur)}));
  }
  if (!lecture.Present) return std::nullopt;
  const TCleRuche racine = AnalyserRuche(lecture.Contenu, lieu.Fichier);
  const TCleRuche* cle = TrouverCle(racine, chemin);
  if (cle == nullptr) return std::nullopt;
  auto etat = std::make_unique<TypeEtat>(TypeEtat{ARacine, std::move(chemin), false, {}});
  etat->Prendre(*cle);
  return TCleRegistre(std::move(etat));
}

TCleRegistre TCleRegistre::OuvrirOuCreer(TypeRacineRegistre ARacine, std::u16string_view AChemin) {
  auto chemin = CheminCle(AChemin);
  const TCleRuche racine = ModifierRuche(ARacine, [&chemin](TCleRuche& ARuche) {
    bool cree = false;
    TrouverOuCreerCle(ARuche, chemin, cree);
    return cree;
  });
  auto etat = std::make_unique<TypeEtat>(TypeEtat{ARacine, std::move(chemin), true, {}});
  etat->Prendre(*TrouverCle(racine, etat->Chemin));
  return TCleRegistre(std::move(etat));
}

std::optional<TValeurRegistre> TCleRegistre::LireValeur(std::u16string_view ANom) const {
  const TValeurRegistre* valeur = FEtat->Instantane.Valeur(ANom);
  return valeur ? std::optional(*valeur) : std::nullopt;
}

std::vector<std::u16string> TCleRegistre::NomsValeurs() const {
  std::vector<std::u16string> noms;
  for (const TValeurNommee& valeur : FEtat->Instantane.Valeurs) noms.push_back(valeur.Nom);
  return noms;
}

std::vector<std::u16string> TCleRegistre::NomsSousCles() const {
  std::vector<std::u16string> noms;
  for (const TCleRuche& sousCle : FEtat->Instantane.SousCles) noms.push_back(sousCle.Nom);
  return noms;
}

void TCleRegistre::EcrireValeur(std::u16string_view ANom, const TValeurRegistre& AValeur) {
  if (!FEtat->Ecriture) RefuserLectureSeule(FEtat->Chemin, ANom, u"y être écrite");
  if (AValeur.Type != TypeValeurRegistre::tvChaine &&
      AValeur.Type != TypeValeurRegistre::tvChaineExtensible &&
      AValeur.Type != TypeValeurRegistre::tvEntier32) {
    throw EArgumentInvalide(
        Formater(u"Type de valeur du registre inconnu (%0:d).", {static_cast<int>(AValeur.Type)}));
  }
  const TCleRuche racine = ModifierRuche(FEtat->Racine, [&](TCleRuche& ARuche) {
    bool cree = false;
    const bool change = TrouverOuCreerCle(ARuche, FEtat->Chemin, cree).Ecrire(ANom, AValeur);
    return cree || change;
  });
  FEtat->Prendre(*TrouverCle(racine, FEtat->Chemin));
}

bool TCleRegistre::SupprimerValeur(std::u16string_view ANom) {
  if (!FEtat->Ecriture) RefuserLectureSeule(FEtat->Chemin, ANom, u"en être supprimée");
  bool supprimee = false;
  const TCleRuche racine = ModifierRuche(FEtat->Racine, [&](TCleRuche& ARuche) {
    TCleRuche* cle = TrouverCle(ARuche, FEtat->Chemin);
    supprimee = cle != nullptr && cle->Supprimer(ANom);
    return supprimee;
  });
  if (const TCleRuche* cle = TrouverCle(racine, FEtat->Chemin)) FEtat->Prendre(*cle);
  return supprimee;
}

}  // namespace kv::plateforme
