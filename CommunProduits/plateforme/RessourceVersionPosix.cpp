#include <algorithm>
#include <cerrno>
#include <cstring>

#include "plateforme/CheminsPosix.h"
#include "plateforme/FichierBinaire.h"
#include "plateforme/RessourceVersion.h"

namespace kv::plateforme {
namespace {

// ELF64 layout: the fields read, at their offsets.
constexpr std::size_t TailleEnTete = 64;
constexpr std::size_t TailleEnTeteSection = 64;
constexpr std::uint8_t Elf64 = 2;
constexpr std::uint8_t PetitBoutiste = 1;
constexpr std::uint32_t SectionSansContenu = 8;  // SHT_NOBITS
constexpr std::uint64_t IndiceEtendu = 0xFFFF;   // SHN_XINDEX
constexpr std::size_t TailleBloc = sizeof(TypeInfosFixesFichier);

std::uint64_t Lire16(const std::uint8_t* AOctets) {
  return static_cast<std::uint64_t>(AOctets[0]) | static_cast<std::uint64_t>(AOctets[1]) << 8;
}
std::uint32_t Lire32(const std::uint8_t* AOctets) {
  return static_cast<std::uint32_t>(Lire16(AOctets) | Lire16(AOctets + 2) << 16);
}
std::uint64_t Lire64(const std::uint8_t* AOctets) {
  return Lire32(AOctets) | static_cast<std::uint64_t>(Lire32(AOctets + 4)) << 32;
}

struct TypeSection {
  std::uint32_t Nom;
  std::uint32_t Type;
  std::uint64_t Position;
  std::uint64_t Taille;
  std::uint32_t Lien;
};

// Reads ranges of a file image, refusing any range that is not wholly inside.
class TLecteur {
 public:
  explicit TLecteur(std::uint64_t ATaille) : FTaille(ATaille) {}
  virtual ~TLecteur() = default;

  std::uint64_t Taille() const { return FTaille; }
  bool Contient(std::uint64_t APosition, std::uint64_t ANombre) const {
    return APosition <= FTaille && ANombre <= FTaille - APosition;
  }
  bool Lire(std::uint64_t APosition, void* ADestination, std::size_t ANombre) {
    return Contient(APosition, ANombre) && LireDedans(APosition, ADestination, ANombre);
  }

 private:
  // The range is inside the image.
  virtual bool LireDedans(std::uint64_t APosition, void* ADestination, std::size_t ANombre) = 0;

  std::uint64_t FTaille;
};

class TLecteurMemoire : public TLecteur {
 public:
  explicit TLecteurMemoire(std::span<const std::uint8_t> AImage)
      : TLecteur(AImage.size()), FImage(AImage) {}

 private:
  bool LireDedans(std::uint64_t APosition, void* ADestination, std::size_t ANombre) override {
    std::memcpy(ADestination, FImage.data() + APosition, ANombre);
    return true;
  }

  std::span<const std::uint8_t> FImage;
};

class TLecteurFichier : public TLecteur {
 public:
  TLecteurFichier(const TFichierBinaire& AFichier, std::uint64_t ATaille)
      : TLecteur(ATaille), FFichier(AFichier) {}

 private:
  // A file that shrank since its size was taken reads short: a failure.
  bool LireDedans(std::uint64_t APosition, void* ADestination, std::size_t ANombre) override {
    return FFichier.LireA(static_cast<std::int64_t>(APosition), ADestination, ANombre) ==
           static_cast<std::int64_t>(ANombre);
  }

  const TFichierBinaire& FFichier;
};

bool LireSection(TLecteur& ALecteur, std::uint64_t ATable, std::uint64_t ALargeur,
                 std::uint64_t AIndice, TypeSection& ASection) {
  std::uint8_t octets[TailleEnTeteSection];
  // The caller checked that the whole table lies in the image.
  if (!ALecteur.Lire(ATable + AIndice * ALargeur, octets, sizeof octets)) return false;
  ASection = {Lire32(octets), Lire32(octets + 4), Lire64(octets + 24), Lire64(octets + 32),
              Lire32(octets + 40)};
  return true;
}

// Whether the section's name, an offset into the names table, is ours. A
// name outside the table makes the file inconsistent.
int NomEstSectionVersion(TLecteur& ALecteur, const TypeSection& ANoms, std::uint32_t ANom,
                         bool& AEgal) {
  if (ANom >= ANoms.Taille) return ENOEXEC;
  char nom[SectionVersion.size() + 1];
  const std::uint64_t longueur = std::min<std::uint64_t>(sizeof nom, ANoms.Taille - ANom);
  if (!ALecteur.Lire(ANoms.Position + ANom, nom, longueur)) return ENOEXEC;
  AEgal = longueur == sizeof nom &&
          std::string_view(nom, SectionVersion.size()) == SectionVersion &&
          nom[SectionVersion.size()] == '\0';
  return 0;
}

int LireBloc(TLecteur& ALecteur, const TypeSection& ASection, TypeInfosFixesFichier& AInfos) {
  if (ASection.Type == SectionSansContenu || ASection.Taille < TailleBloc) return ENOEXEC;
  std::uint8_t octets[TailleBloc];
  if (!ALecteur.Lire(ASection.Position, octets, sizeof octets)) return ENOEXEC;
  std::uint32_t mots[TailleBloc / 4];
  for (std::size_t i = 0; i < TailleBloc / 4; ++i) mots[i] = Lire32(octets + 4 * i);
  if (mots[0] != SignatureInfosFixesFichier) return ENOEXEC;
  static_assert(sizeof mots == sizeof AInfos);
  std::memcpy(&AInfos, mots, sizeof mots);
  return 0;
}

// 0 when the block was found, else the error code.
int ChercherBloc(TLecteur& ALecteur, TypeInfosFixesFichier& AInfos) {
  std::uint8_t entete[TailleEnTete];
  if (!ALecteur.Lire(0, entete, sizeof entete)) return ENOEXEC;
  if (std::memcmp(entete,
                  "\x7F"
                  "ELF",
                  4) != 0 ||
      entete[4] != Elf64 || entete[5] != PetitBoutiste) {
    return ENOEXEC;
  }
  const std::uint64_t table = Lire64(entete + 40);
  const std::uint64_t largeur = Lire16(entete + 58);
  std::uint64_t nombre = Lire16(entete + 60);
  std::uint64_t indiceNoms = Lire16(entete + 62);
  if (table == 0) return ENODATA;  // no section table at all
  if (largeur < TailleEnTeteSection) return ENOEXEC;
  // Past 0xFF00 sections the real count and names index sit in section 0.
  if (nombre == 0 || indiceNoms == IndiceEtendu) {
    TypeSection zero{};
    if (!ALecteur.Contient(table, largeur) || !LireSection(ALecteur, table, largeur, 0, zero)) {
      return ENOEXEC;
    }
    if (nombre == 0) nombre = zero.Taille;
    if (indiceNoms == IndiceEtendu) indiceNoms = zero.Lien;
  }
  if (nombre == 0) return ENODATA;
  if (table > ALecteur.Taille() || nombre > (ALecteur.Taille() - table) / largeur) return ENOEXEC;
  TypeSection noms{};
  if (indiceNoms >= nombre || !LireSection(ALecteur, table, largeur, indiceNoms, noms) ||
      noms.Type == SectionSansContenu || !ALecteur.Contient(noms.Position, noms.Taille)) {
    return ENOEXEC;
  }
  for (std::uint64_t i = 0; i < nombre; ++i) {
    TypeSection section{};
    if (!LireSection(ALecteur, table, largeur, i, section)) return ENOEXEC;
    bool trouvee = false;
    if (const int erreur = NomEstSectionVersion(ALecteur, noms, section.Nom, trouvee))
      return erreur;
    if (trouvee) return LireBloc(ALecteur, section, AInfos);
  }
  return ENODATA;
}

bool Conclure(int AErreur) {
  if (AErreur == 0) return true;
  errno = AErreur;
  return false;
}

}  // namespace

bool LireInfosVersion(std::u16string_view AChemin, TypeInfosFixesFichier& AInfos) {
  if (!CheminSysteme(AChemin)) return Conclure(ENOENT);
  int erreur = 0;
  {
    TFichierBinaire fichier;
    if (!fichier.Ouvrir(AChemin, TypeOuvertureFichier::ofLecture)) {
      // A pipe or a device, refused as not a regular file, is no executable.
      return errno == EINVAL ? Conclure(ENOEXEC) : false;
    }
    const std::int64_t taille = fichier.Taille();
    if (taille < 0) return false;
    TLecteurFichier lecteur(fichier, static_cast<std::uint64_t>(taille));
    erreur = ChercherBloc(lecteur, AInfos);
  }
  return Conclure(erreur);
}

bool LireInfosVersionImage(std::span<const std::uint8_t> AImage, TypeInfosFixesFichier& AInfos) {
  TLecteurMemoire lecteur(AImage);
  return Conclure(ChercherBloc(lecteur, AInfos));
}

}  // namespace kv::plateforme
