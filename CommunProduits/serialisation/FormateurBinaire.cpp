#include "serialisation/FormateurBinaire.h"

#include <bit>
#include <limits>
#include <utility>

#include "commun/Format.h"
#include "objets/DescriptionType.h"
#include "objets/SingletonMetaInfo.h"
#include "serialisation/FormatSerialisation.h"

namespace kv {

enum class TFormateurBinaire::TypeGenre : std::uint8_t {
  Booleen = 0x01,
  Entier = 0x02,
  Octet = 0x03,
  Cardinal = 0x04,
  Chaine = 0x05,
  Guid = 0x06,
  TableauEntiers = 0x07,
  Octets = 0x08,
  DebutElement = 0x09,
  FinElement = 0x0A,
  Objet = 0x0B,
  FinObjet = 0x0C,
  Nul = 0x0D,
  Taille = 0x0E,
};

namespace {

// An ordinal value as the record of its size and sign.
void EcrireOrdinal(IFormatter& AFormateur, const void* AAdresse, const TInfoTypeOrdinal& AType) {
  switch (AType.Taille) {
    case 1:
      if (!AType.Signe) {
        AFormateur.EcrireOctet(*static_cast<const std::uint8_t*>(AAdresse));
      } else {
        AFormateur.EcrireEntier(*static_cast<const std::int8_t*>(AAdresse));
      }
      return;
    case 2:
      AFormateur.EcrireEntier(AType.Signe ? *static_cast<const std::int16_t*>(AAdresse)
                                          : *static_cast<const std::uint16_t*>(AAdresse));
      return;
    case 4:
      if (!AType.Signe) {
        AFormateur.EcrireCardinal(*static_cast<const std::uint32_t*>(AAdresse));
      } else {
        AFormateur.EcrireEntier(*static_cast<const std::int32_t*>(AAdresse));
      }
      return;
    default:
      throw EArgumentInvalide(
          Formater(u"Écrivain de valeurs : ordinal de %0:d octets.", {AType.Taille}));
  }
}

using TypeEnregistrement = std::vector<std::uint8_t>;

constexpr std::size_t CapaciteTamponGardee = 64 * 1024;

constexpr std::u16string_view PrefixeLecture = u"Erreur de lecture du flux : ";
constexpr std::u16string_view PrefixeEcriture = u"Erreur d'écriture du flux : ";

[[noreturn]] void LeverLecture(std::u16string_view AFormat,
                               std::initializer_list<TypeArgumentFormat> AArguments = {}) {
  throw EReadError(std::u16string(PrefixeLecture) + Formater(AFormat, AArguments));
}

[[noreturn]] void LeverEcriture(std::u16string_view AFormat,
                                std::initializer_list<TypeArgumentFormat> AArguments = {}) {
  throw EWriteError(std::u16string(PrefixeEcriture) + Formater(AFormat, AArguments));
}

std::u16string_view NomGenre(std::uint8_t AGenre) {
  static constexpr std::u16string_view Noms[] = {
      u"inconnu",
      u"booléen",
      u"entier",
      u"octet",
      u"cardinal",
      u"chaîne",
      u"GUID",
      u"tableau d'entiers",
      u"octets",
      u"début d'élément",
      u"fin d'élément",
      u"objet",
      u"fin d'objet",
      u"objet nul",
      u"taille annoncée",
  };
  return AGenre < std::size(Noms) ? Noms[AGenre] : Noms[0];
}

void AjouterNombre(TypeEnregistrement& AEnregistrement, std::uint64_t AValeur,
                   std::size_t AOctets) {
  for (std::size_t i = 0; i < AOctets; ++i) {
    AEnregistrement.push_back(static_cast<std::uint8_t>(AValeur >> (8 * i)));
  }
}

void AjouterTexte(TypeEnregistrement& AEnregistrement, std::u16string_view ATexte) {
  if (ATexte.size() > std::numeric_limits<std::uint32_t>::max()) {
    LeverEcriture(u"chaîne de %0:u unités, au-delà de ce qu'un enregistrement compte.",
                  {static_cast<unsigned long long>(ATexte.size())});
  }
  AEnregistrement.reserve(AEnregistrement.size() + 4 + 2 * ATexte.size());
  AjouterNombre(AEnregistrement, ATexte.size(), 4);
  for (const char16_t unite : ATexte) AjouterNombre(AEnregistrement, unite, 2);
}

constexpr std::uint8_t Code(TFormateurBinaire::TypeGenre AGenre) {
  return static_cast<std::uint8_t>(AGenre);
}

}  // namespace

// Puts the stream back where a read started when the read fails.
class TFormateurBinaire::TGardeLecture {
 public:
  explicit TGardeLecture(TFormateurBinaire& AFormateur)
      : FFlux(AFormateur.FFlux), FPosition(FFlux.GetPosition()) {
    AFormateur.VerifierLecture();
  }
  ~TGardeLecture() {
    if (FValide) return;
    try {
      FFlux.SetPosition(FPosition);
    } catch (...) {
      // The position was valid when the read began; a stream that refuses it
      // now has nothing better to offer.
    }
  }
  TGardeLecture(const TGardeLecture&) = delete;
  TGardeLecture& operator=(const TGardeLecture&) = delete;

  template <class AValeur>
  AValeur Valider(AValeur&& AResultat) {
    FValide = true;
    return std::forward<AValeur>(AResultat);
  }
  void Valider() { FValide = true; }

 private:
  TFlux& FFlux;
  std::int64_t FPosition;
  bool FValide = false;
};

// Counts one level of nested objects for as long as it lives.
class TFormateurBinaire::TGardeProfondeur {
 public:
  TGardeProfondeur(TFormateurBinaire& AFormateur, bool ALecture) : FFormateur(AFormateur) {
    if (FFormateur.FProfondeur >= ProfondeurMaximale) {
      constexpr std::u16string_view Format = u"objets imbriqués sur plus de %0:d niveaux.";
      if (ALecture) LeverLecture(Format, {ProfondeurMaximale});
      LeverEcriture(Format, {ProfondeurMaximale});
    }
    ++FFormateur.FProfondeur;
  }
  ~TGardeProfondeur() { --FFormateur.FProfondeur; }
  TGardeProfondeur(const TGardeProfondeur&) = delete;
  TGardeProfondeur& operator=(const TGardeProfondeur&) = delete;

 private:
  TFormateurBinaire& FFormateur;
};

TFormateurBinaire::TFormateurBinaire(TFlux& AFlux, TypeSensFormateur ASens)
    : TObjetInterfacable(true), FFlux(AFlux), FSens(ASens) {}

TFlux& TFormateurBinaire::GetFlux() { return FFlux; }

IEcrivainValeurs& TFormateurBinaire::GetEcrivainValeurs() { return FEcrivainValeurs; }

void TFormateurBinaire::TEcrivainValeurs::EcrireValeur(const void* AAdresse, bool AIndirect,
                                                       const TInfoType& AType) {
  FFormateur.VerifierEcriture();
  if (AIndirect && AAdresse) AAdresse = *static_cast<const void* const*>(AAdresse);
  if (!AAdresse) throw EArgumentInvalide(u"Écrivain de valeurs : adresse nulle.");
  if (const auto* ordinal = AType.Comme<TInfoTypeOrdinal>()) {
    EcrireOrdinal(FFormateur, AAdresse, *ordinal);
    return;
  }
  switch (AType.Genre) {
    case TypeGenreType::gtChaine:
      FFormateur.EcrireChaine(*static_cast<const std::u16string*>(AAdresse));
      return;
    case TypeGenreType::gtEntier64:
      FFormateur.EcrireOctets(AAdresse, 8);
      return;
    case TypeGenreType::gtFlottant:
      FFormateur.EcrireOctets(
          AAdresse, AType.Comme<TInfoTypeFlottant>()->Flottant == TypeFlottant::tfSimple ? 4 : 8);
      return;
    case TypeGenreType::gtEnsemble:
      FFormateur.EcrireOctets(
          AAdresse, static_cast<std::size_t>(AType.Comme<TInfoTypeEnsemble>()->NombreOctets));
      return;
    default:
      if (&AType == &InfoTypeGuid()) {
        FFormateur.EcrireGuid(*static_cast<const TGUID*>(AAdresse));
        return;
      }
      LeverEcriture(
          u"l'écrivain de valeurs n'écrit pas les valeurs de genre %0:d (objets, "
          u"interfaces, tableaux et records s'écrivent par leur sérialisateur).",
          {static_cast<int>(AType.Genre)});
  }
}

// Writing.

void TFormateurBinaire::VerifierEcriture() {
  if (FSens != TypeSensFormateur::sfEcriture) LeverEcriture(u"formateur ouvert en lecture.");
}

TypeEnregistrement& TFormateurBinaire::Commencer(TypeGenre AGenre) {
  // Records are built in one buffer kept from record to record: most are a
  // few bytes, and an allocation each would cost more than the writing.
  FTampon.clear();
  FTampon.push_back(Code(AGenre));
  return FTampon;
}

void TFormateurBinaire::EcrireEnregistrement(TypeEnregistrement& AEnregistrement) {
  // One write per record, so that a stream refusing it holds none of it when
  // the stream itself writes all or nothing.
  FFlux.Ecrire(AEnregistrement.data(), AEnregistrement.size());
  // A large block is not kept alive for the formatter's lifetime.
  if (AEnregistrement.capacity() > CapaciteTamponGardee) TypeEnregistrement().swap(AEnregistrement);
}

void TFormateurBinaire::EcrireBooleen(bool AValeur) {
  VerifierEcriture();
  TypeEnregistrement& e = Commencer(TypeGenre::Booleen);
  e.push_back(AValeur ? 1 : 0);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireEntier(std::int32_t AValeur) {
  VerifierEcriture();
  TypeEnregistrement& e = Commencer(TypeGenre::Entier);
  AjouterNombre(e, static_cast<std::uint32_t>(AValeur), 4);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireOctet(std::uint8_t AValeur) {
  VerifierEcriture();
  TypeEnregistrement& e = Commencer(TypeGenre::Octet);
  e.push_back(AValeur);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireCardinal(std::uint32_t AValeur) {
  VerifierEcriture();
  TypeEnregistrement& e = Commencer(TypeGenre::Cardinal);
  AjouterNombre(e, AValeur, 4);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireChaine(std::u16string_view AValeur) {
  VerifierEcriture();
  TypeEnregistrement& e = Commencer(TypeGenre::Chaine);
  AjouterTexte(e, AValeur);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireGuid(const TGUID& AValeur) {
  VerifierEcriture();
  TypeEnregistrement& e = Commencer(TypeGenre::Guid);
  AjouterNombre(e, AValeur.D1, 4);
  AjouterNombre(e, AValeur.D2, 2);
  AjouterNombre(e, AValeur.D3, 2);
  e.insert(e.end(), AValeur.D4.begin(), AValeur.D4.end());
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireTableauEntiers(std::span<const std::int32_t> AValeurs) {
  VerifierEcriture();
  if (AValeurs.size() > std::numeric_limits<std::uint32_t>::max()) {
    LeverEcriture(u"tableau de %0:u entiers, au-delà de ce qu'un enregistrement compte.",
                  {static_cast<unsigned long long>(AValeurs.size())});
  }
  TypeEnregistrement& e = Commencer(TypeGenre::TableauEntiers);
  e.reserve(5 + 4 * AValeurs.size());
  AjouterNombre(e, AValeurs.size(), 4);
  for (const std::int32_t valeur : AValeurs)
    AjouterNombre(e, static_cast<std::uint32_t>(valeur), 4);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireOctets(const void* ASource, std::size_t ANombre) {
  VerifierEcriture();
  const auto* octets = static_cast<const std::uint8_t*>(ASource);
  TypeEnregistrement& e = Commencer(TypeGenre::Octets);
  e.reserve(9 + ANombre);
  AjouterNombre(e, ANombre, 8);
  if (ANombre > 0) e.insert(e.end(), octets, octets + ANombre);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::DebutElement(std::u16string_view ANom) {
  if (FSens == TypeSensFormateur::sfLecture) {
    TGardeLecture garde(*this);
    LireGenre(TypeGenre::DebutElement);
    const std::u16string nom = LireTexte();
    if (nom != ANom) LeverLecture(u"élément « %0:s » attendu, « %1:s » lu.", {ANom, nom});
    return garde.Valider();
  }
  TypeEnregistrement& e = Commencer(TypeGenre::DebutElement);
  AjouterTexte(e, ANom);
  EcrireEnregistrement(e);
  ++FElementsOuverts;
}

void TFormateurBinaire::FinElement() {
  if (FSens == TypeSensFormateur::sfLecture) {
    TGardeLecture garde(*this);
    LireGenre(TypeGenre::FinElement);
    return garde.Valider();
  }
  if (FElementsOuverts == 0) LeverEcriture(u"fin d'élément sans élément ouvert.");
  TypeEnregistrement& e = Commencer(TypeGenre::FinElement);
  EcrireEnregistrement(e);
  --FElementsOuverts;
}

void TFormateurBinaire::EcrireObjetDecrit(IInterface* AObjet, IAvecMetaInfoClasse* AAvecMetaInfo,
                                          std::u16string_view ANomPourMessage,
                                          TypeClasseFormatSerialisation AFormat) {
  TRef<IMetaInfoClasse> metaInfo = AAvecMetaInfo ? AAvecMetaInfo->GetMetaInfoClasse() : nullptr;
  if (!metaInfo) {
    LeverEcriture(u"l'objet%0:s n'a pas de méta-information de classe ; il ne peut être relu.",
                  {ANomPourMessage.empty() ? std::u16string()
                                           : u" de classe " + std::u16string(ANomPourMessage)});
  }
  TGardeProfondeur profondeur(*this, false);
  TypeEnregistrement& e = Commencer(TypeGenre::Objet);
  AjouterTexte(e, metaInfo->GetNom());
  EcrireEnregistrement(e);
  AFormat->Serialiser(AObjet, *this);
  Commencer(TypeGenre::FinObjet);
  EcrireEnregistrement(e);
}

void TFormateurBinaire::EcrireInterface(IInterface* AObjet, TypeClasseFormatSerialisation AFormat) {
  VerifierEcriture();
  if (!AObjet) {
    TypeEnregistrement& e = Commencer(TypeGenre::Nul);
    return EcrireEnregistrement(e);
  }
  if (!AFormat) throw EArgumentInvalide(u"Erreur interne : objet à écrire sans format.");
  EcrireObjetDecrit(AObjet, Interroger<IAvecMetaInfoClasse>(AObjet).Get(), {}, AFormat);
}

void TFormateurBinaire::EcrireObjet(TObjetInterfacable* AObjet,
                                    TypeClasseFormatSerialisation AFormat) {
  VerifierEcriture();
  if (!AObjet) {
    TypeEnregistrement& e = Commencer(TypeGenre::Nul);
    return EcrireEnregistrement(e);
  }
  if (!AFormat) throw EArgumentInvalide(u"Erreur interne : objet à écrire sans format.");
  IInterface* objet = AObjet->InterfaceDeBase();
  EcrireObjetDecrit(objet, Interroger<IAvecMetaInfoClasse>(objet).Get(), AObjet->NomClasseObjet(),
                    AFormat);
}

void TFormateurBinaire::AnnoncerTaille(std::int64_t ATaille) {
  VerifierEcriture();
  if (ATaille < 0) {
    throw EArgumentInvalide(
        Formater(u"Taille annoncée négative : %0:d.", {static_cast<long long>(ATaille)}));
  }
  TypeEnregistrement& e = Commencer(TypeGenre::Taille);
  AjouterNombre(e, static_cast<std::uint64_t>(ATaille), 8);
  EcrireEnregistrement(e);
}

// Reading.

void TFormateurBinaire::VerifierLecture() {
  if (FSens != TypeSensFormateur::sfLecture) LeverLecture(u"formateur ouvert en écriture.");
}

std::uint64_t TFormateurBinaire::LireNombre(std::size_t AOctets) {
  std::uint8_t octets[8];
  FFlux.Lire(octets, AOctets);
  std::uint64_t valeur = 0;
  for (std::size_t i = AOctets; i-- > 0;) valeur = valeur << 8 | octets[i];
  return valeur;
}

std::u16string TFormateurBinaire::LireTexte() {
  const std::uint64_t unites = LireNombre(4);
  if (unites > static_cast<std::uint64_t>(FFlux.Restant()) / 2) {
    LeverLecture(
        u"chaîne de %0:u unités annoncée, %1:d octets restants.",
        {static_cast<unsigned long long>(unites), static_cast<long long>(FFlux.Restant())});
  }
  std::u16string texte(static_cast<std::size_t>(unites), u'\0');
  FFlux.Lire(texte.data(), texte.size() * 2);
  if constexpr (std::endian::native == std::endian::big) {
    for (char16_t& unite : texte) unite = static_cast<char16_t>(unite >> 8 | unite << 8);
  }
  return texte;
}

TFormateurBinaire::TypeGenre TFormateurBinaire::LireGenre(TypeGenre AAttendu, TypeGenre AAutre) {
  const bool elementAttendu =
      AAttendu == TypeGenre::DebutElement || AAttendu == TypeGenre::FinElement;
  for (;;) {
    const auto genre = static_cast<TypeGenre>(LireNombre(1));
    if (genre == AAttendu || genre == AAutre) return genre;
    if (genre == TypeGenre::Taille) {
      const auto taille = static_cast<std::int64_t>(LireNombre(8));
      if (taille < 0 || taille > TailleAnnonceeMaximale) {
        LeverLecture(u"taille annoncée de %0:d octets.", {static_cast<long long>(taille)});
      }
    } else if (genre == TypeGenre::DebutElement && !elementAttendu) {
      LireTexte();  // the name, passed over
    } else if (genre != TypeGenre::FinElement || elementAttendu) {
      LeverLecture(u"valeur de genre « %0:s » attendue, « %1:s » trouvée.",
                   {NomGenre(Code(AAttendu)), NomGenre(Code(genre))});
    }
  }
}

bool TFormateurBinaire::LireBooleen() {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::Booleen);
  const std::uint64_t valeur = LireNombre(1);
  if (valeur > 1) LeverLecture(u"booléen de valeur %0:u.", {static_cast<unsigned>(valeur)});
  return garde.Valider(valeur == 1);
}

std::int32_t TFormateurBinaire::LireEntier() {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::Entier);
  return garde.Valider(static_cast<std::int32_t>(static_cast<std::uint32_t>(LireNombre(4))));
}

std::uint8_t TFormateurBinaire::LireOctet() {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::Octet);
  return garde.Valider(static_cast<std::uint8_t>(LireNombre(1)));
}

std::uint32_t TFormateurBinaire::LireCardinal() {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::Cardinal);
  return garde.Valider(static_cast<std::uint32_t>(LireNombre(4)));
}

std::u16string TFormateurBinaire::LireChaine() {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::Chaine);
  return garde.Valider(LireTexte());
}

TGUID TFormateurBinaire::LireGuid() {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::Guid);
  TGUID guid;
  guid.D1 = static_cast<std::uint32_t>(LireNombre(4));
  guid.D2 = static_cast<std::uint16_t>(LireNombre(2));
  guid.D3 = static_cast<std::uint16_t>(LireNombre(2));
  FFlux.Lire(guid.D4.data(), guid.D4.size());
  return garde.Valider(guid);
}

std::vector<std::int32_t> TFormateurBinaire::LireTableauEntiers() {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::TableauEntiers);
  const std::uint64_t nombre = LireNombre(4);
  if (nombre > static_cast<std::uint64_t>(FFlux.Restant()) / 4) {
    LeverLecture(
        u"tableau de %0:u entiers annoncé, %1:d octets restants.",
        {static_cast<unsigned long long>(nombre), static_cast<long long>(FFlux.Restant())});
  }
  std::vector<std::int32_t> valeurs(static_cast<std::size_t>(nombre));
  for (std::int32_t& valeur : valeurs) {
    valeur = static_cast<std::int32_t>(static_cast<std::uint32_t>(LireNombre(4)));
  }
  return garde.Valider(std::move(valeurs));
}

void TFormateurBinaire::LireOctets(void* ADestination, std::size_t ANombre) {
  TGardeLecture garde(*this);
  LireGenre(TypeGenre::Octets);
  const std::uint64_t nombre = LireNombre(8);
  if (nombre != ANombre) {
    LeverLecture(u"%0:u octets attendus, %1:u écrits.", {static_cast<unsigned long long>(ANombre),
                                                         static_cast<unsigned long long>(nombre)});
  }
  FFlux.Lire(ADestination, ANombre);
  garde.Valider();
}

TRef<IInstanciateur> TFormateurBinaire::LireInstanciateur(std::u16string& ANom) {
  ANom = LireTexte();
  TRef<IMetaInfo> metaInfo = TSingletonMetaInfo::GetMetaInfoParNom(ANom);
  if (!metaInfo) {
    LeverLecture(u"aucune classe n'est connue sous le seul nom « %0:s ».", {ANom});
  }
  TRef<IInstanciateur> instanciateur = Interroger<IInstanciateur>(metaInfo);
  if (!instanciateur) LeverLecture(u"la classe « %0:s » n'a pas d'instanciateur.", {ANom});
  return instanciateur;
}

void TFormateurBinaire::LireFinObjet(const std::u16string& ANom) {
  try {
    LireGenre(TypeGenre::FinObjet);
  } catch (const EReadError& AErreur) {
    throw EReadError(
        AErreur.Message() +
        Formater(u" L'objet de classe « %0:s » n'a pas relu ce qui en avait été écrit.", {ANom}));
  }
}

TRef<IInterface> TFormateurBinaire::LireInterface(TypeClasseFormatSerialisation AFormat) {
  TGardeLecture garde(*this);
  if (LireGenre(TypeGenre::Objet, TypeGenre::Nul) == TypeGenre::Nul) return garde.Valider(nullptr);
  if (!AFormat) throw EArgumentInvalide(u"Erreur interne : objet à lire sans format.");
  TGardeProfondeur profondeur(*this, true);
  std::u16string nom;
  TRef<IInstanciateur> instanciateur = LireInstanciateur(nom);
  TRef<IInterface> objet = instanciateur->InstancierInterface();
  if (!objet) LeverLecture(u"l'instanciateur de « %0:s » n'a rien créé.", {nom});
  AFormat->Deserialiser(objet.Get(), *this);
  LireFinObjet(nom);
  return garde.Valider(std::move(objet));
}

TObjetInterfacable* TFormateurBinaire::LireObjet(TypeClasseFormatSerialisation AFormat) {
  TGardeLecture garde(*this);
  if (LireGenre(TypeGenre::Objet, TypeGenre::Nul) == TypeGenre::Nul) return garde.Valider(nullptr);
  if (!AFormat) throw EArgumentInvalide(u"Erreur interne : objet à lire sans format.");
  TGardeProfondeur profondeur(*this, true);
  std::u16string nom;
  TRef<IInstanciateur> instanciateur = LireInstanciateur(nom);
  TObjetInterfacable* objet = instanciateur->Instancier();
  if (!objet) LeverLecture(u"l'instanciateur de « %0:s » n'a rien créé.", {nom});
  // Freed here unless it reaches the caller.
  struct TypeGarde {
    TObjetInterfacable* Objet;
    ~TypeGarde() {
      if (!Objet) return;
      try {
        Objet->Liberer();
      } catch (...) {
        // Still referenced by someone who took it while it was read: theirs now.
      }
    }
  } proprietaire{objet};
  if (objet->LiberationAutomatique()) {
    // Its first reference, taken by the format, would free it.
    throw Exception(
        Formater(u"Erreur interne : l'instanciateur de « %0:s » a créé un objet qui "
                 u"se libère seul ; il se lit par LireInterface.",
                 {nom}));
  }
  AFormat->Deserialiser(objet, *this);
  LireFinObjet(nom);
  garde.Valider();
  return std::exchange(proprietaire.Objet, nullptr);
}

}  // namespace kv
