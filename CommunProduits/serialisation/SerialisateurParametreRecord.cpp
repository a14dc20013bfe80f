#include "serialisation/SerialisateurParametreRecord.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "commun/Format.h"
#include "serialisation/Flux.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/SerialisateurParametreRaw.h"
#include "serialisation/SerialisateurParametreTableauTailleFixe.h"

namespace kv {
namespace {

unsigned char* Champ(void* AAdresse, const TInfoParametreServiceInvocable& AChamp) noexcept {
  return static_cast<unsigned char*>(AAdresse) + AChamp.GetOffset();
}

const unsigned char* Champ(const void* AAdresse,
                           const TInfoParametreServiceInvocable& AChamp) noexcept {
  return static_cast<const unsigned char*>(AAdresse) + AChamp.GetOffset();
}

// Values that are plain bytes, read and written by copying: raw values, and
// records and fixed arrays of them. Only these may sit anywhere in memory;
// the others are C++ objects (strings, pointers) that need their alignment.
bool FaitDOctets(ISerialisateurParametre* ASerialisateur) {
  auto* serialisateur = dynamic_cast<TSerialisateurParametre*>(ASerialisateur);
  if (dynamic_cast<TSerialisateurParametreRaw*>(serialisateur)) return true;
  if (auto* tableau = dynamic_cast<TSerialisateurParametreTableauTailleFixe*>(serialisateur)) {
    return FaitDOctets(tableau->GetInfoElements()->GetSerialisateur().Get());
  }
  if (auto* record = dynamic_cast<TSerialisateurParametreRecord*>(serialisateur)) {
    for (std::int32_t i = 0; i < record->GetNombreChamps(); ++i) {
      if (!FaitDOctets(record->GetInfoChamp(i)->GetSerialisateur().Get())) return false;
    }
    return true;
  }
  return false;
}

}  // namespace

TSerialisateurParametreRecord::~TSerialisateurParametreRecord() { FInfoChamps.Vider(); }

template <class AOperation>
void TSerialisateurParametreRecord::PourChaqueChamp(AOperation AOperationChamp) const {
  for (TInfoParametreServiceInvocable* champ : FInfoChamps.FInfoParametres) {
    AOperationChamp(*champ);
  }
}

std::int32_t TSerialisateurParametreRecord::CreerInfoChamps(std::int32_t ANombre) {
  return FInfoChamps.CreerInfoParametres(ANombre);
}

TInfoParametreServiceInvocable* TSerialisateurParametreRecord::GetInfoChamp(
    std::int32_t AIndice) const {
  return FInfoChamps.GetInfoParametre(AIndice);
}

std::int32_t TSerialisateurParametreRecord::AlignementNaturel() {
  std::int32_t alignement = 0;
  PourChaqueChamp([&](TInfoParametreServiceInvocable& AChamp) {
    alignement = std::max(alignement, AChamp.GetAlignement());
  });
  return alignement;
}

void TSerialisateurParametreRecord::DetecterCompactage() {
  bool decide = false;
  bool compacte = false;
  std::int64_t o = 0;
  auto tester = [&](std::int64_t APlace, std::int64_t AAlignement) {
    const std::int64_t aligne = AlignerSur(o, AAlignement);
    if (decide || aligne == o) return;
    if (APlace == aligne) {
      decide = true;
      compacte = false;
    } else if (APlace == o) {
      decide = true;
      compacte = true;
    }
  };
  PourChaqueChamp([&](TInfoParametreServiceInvocable& AChamp) {
    tester(AChamp.GetOffset(), AChamp.GetAlignement());
    o = static_cast<std::int64_t>(AChamp.GetOffset()) + AChamp.GetTaille();
  });
  tester(FTaille, AlignementNaturel());
  FCompacte = compacte;
}

void TSerialisateurParametreRecord::CalculerDisposition() {
  std::int64_t o = 0;
  for (TInfoParametreServiceInvocable* champ : FInfoChamps.FInfoParametres) {
    if (!champ->GetSerialisateur()) {
      throw EReadError(
          Formater(u"Erreur de lecture du flux : le champ « %0:s » n'a pas de "
                   u"sérialisateur.",
                   {champ->GetNom()}));
    }
    if (FCompacte && !FaitDOctets(champ->GetSerialisateur().Get())) {
      throw EReadError(
          Formater(u"Erreur de lecture du flux : le champ « %0:s » d'un "
                   u"enregistrement compacté n'est pas fait d'octets.",
                   {champ->GetNom()}));
    }
    const std::int64_t offset = FCompacte ? o : AlignerSur(o, champ->GetAlignement());
    o = VerifierTailleLue(offset + champ->GetTaille(), u"enregistrement");
    champ->SetOffset(static_cast<std::int32_t>(offset));
  }
  // Records laid out one after the other (array elements) keep their strings
  // and pointers aligned only when the record's alignment is a power of two,
  // as every C++ alignment is; raw alignments read may be anything.
  const std::int32_t alignement = GetAlignement();
  if ((alignement & (alignement - 1)) != 0 && !FaitDOctets(this)) {
    throw EReadError(
        Formater(u"Erreur de lecture du flux : enregistrement aligné sur %0:d "
                 u"octets contenant des valeurs qui ne sont pas des octets.",
                 {alignement}));
  }
  FTaille = VerifierTailleLue(FCompacte ? o : AlignerSur(o, alignement), u"enregistrement");
}

TConteneurParametre* TSerialisateurParametreRecord::CreerConteneur(std::u16string_view ANom) {
  std::unique_ptr<TConteneurParametre> conteneur(
      new TConteneurParametreRecord(ANom, FTaille, this));
  const std::int32_t nombre = FInfoChamps.GetNombre();
  conteneur->SetNombreSousConteneurs(nombre);
  try {
    for (std::int32_t i = 0; i < nombre; ++i) {
      conteneur->SetSousConteneur(i, FInfoChamps.FInfoParametres[i]->CreerConteneur());
    }
  } catch (...) {
    LibererConteneur(conteneur.release(), false);
    throw;
  }
  return conteneur.release();
}

void TSerialisateurParametreRecord::LibererConteneur(TConteneurParametre* AConteneur,
                                                     bool ALibererObjets) {
  if (!AConteneur) return;
  const std::int32_t nombre = std::min(AConteneur->GetNombreSousConteneurs(), GetNombreChamps());
  for (std::int32_t i = 0; i < nombre; ++i) {
    if (TConteneurParametre* sous = AConteneur->GetSousConteneur(i)) {
      AConteneur->SetSousConteneur(i, nullptr);
      FInfoChamps.FInfoParametres[i]->LibererConteneur(sous, false);
    }
  }
  AConteneur->SetNombreSousConteneurs(0);
  TSerialisateurParametre::LibererConteneur(AConteneur, ALibererObjets);
}

void TSerialisateurParametreRecord::CopierValeur(const void* ASource, void* ADestination,
                                                 bool ALibererObjets) {
  PourChaqueChamp([&](TInfoParametreServiceInvocable& AChamp) {
    AChamp.CopierValeur(Champ(ASource, AChamp), Champ(ADestination, AChamp), ALibererObjets);
  });
}

void TSerialisateurParametreRecord::LibererValeur(void* AAdresse, bool ALibererObjets) {
  PourChaqueChamp([&](TInfoParametreServiceInvocable& AChamp) {
    AChamp.LibererValeur(Champ(AAdresse, AChamp), ALibererObjets);
  });
}

void TSerialisateurParametreRecord::SerialiserValeur(TConteneurParametre* AConteneur,
                                                     IFormatter& AFormateur,
                                                     TypeClasseFormatSerialisation AFormat,
                                                     bool AEnPlace) {
  void* octets = AConteneur->GetAdresseValeur();
  const std::int32_t nombre = GetNombreChamps();
  for (std::int32_t i = 0; i < nombre; ++i) {
    TInfoParametreServiceInvocable& champ = *FInfoChamps.FInfoParametres[i];
    champ.CopierValeur(Champ(octets, champ), AConteneur->GetSousConteneur(i)->GetAdresseValeur(),
                       false);
  }
  for (std::int32_t i = 0; i < nombre; ++i) {
    FInfoChamps.FInfoParametres[i]->SerialiserValeur(AConteneur->GetSousConteneur(i), AFormateur,
                                                     AFormat, AEnPlace);
  }
}

void TSerialisateurParametreRecord::DeserialiserValeur(TConteneurParametre* AConteneur,
                                                       IFormatter& AFormateur,
                                                       TypeClasseFormatSerialisation AFormat,
                                                       bool AEnPlace) {
  void* octets = AConteneur->GetAdresseValeur();
  const std::int32_t nombre = GetNombreChamps();
  for (std::int32_t i = 0; i < nombre; ++i) {
    TInfoParametreServiceInvocable& champ = *FInfoChamps.FInfoParametres[i];
    TConteneurParametre* sous = AConteneur->GetSousConteneur(i);
    // The sub-container may still hold a copy of a value read before (a
    // reused element container): dropped, so that after a failure it holds
    // only what this read made.
    if (!AEnPlace) champ.LibererValeur(sous->GetAdresseValeur(), false);
    try {
      champ.DeserialiserValeur(sous, AFormateur, AFormat, AEnPlace);
    } catch (...) {
      // What was read of the field joins the record's value, whose release
      // frees the objects that nothing else holds.
      champ.CopierValeur(sous->GetAdresseValeur(), Champ(octets, champ), false);
      throw;
    }
    champ.CopierValeur(sous->GetAdresseValeur(), Champ(octets, champ), false);
  }
}

std::int32_t TSerialisateurParametreRecord::GetTaille() { return FTaille; }

std::int32_t TSerialisateurParametreRecord::GetAlignement() {
  return FCompacte ? 1 : AlignementNaturel();
}

bool TSerialisateurParametreRecord::GetEstGere() {
  bool gere = false;
  PourChaqueChamp(
      [&](TInfoParametreServiceInvocable& AChamp) { gere = gere || AChamp.GetEstGere(); });
  return gere;
}

void TSerialisateurParametreRecord::InitialiserValeur(void* AAdresse) noexcept {
  std::memset(AAdresse, 0, static_cast<std::size_t>(FTaille));
  PourChaqueChamp([&](TInfoParametreServiceInvocable& AChamp) {
    if (const auto& serialisateur = AChamp.GetSerialisateur()) {
      serialisateur->InitialiserValeur(Champ(AAdresse, AChamp));
    }
  });
}

void TSerialisateurParametreRecord::DetruireValeur(void* AAdresse) noexcept {
  PourChaqueChamp([&](TInfoParametreServiceInvocable& AChamp) {
    if (const auto& serialisateur = AChamp.GetSerialisateur()) {
      serialisateur->DetruireValeur(Champ(AAdresse, AChamp));
    }
  });
}

void TSerialisateurParametreRecord::GetInfoSousParametres(
    TypeListeInfoParametresServiceInvocable& AListe) {
  AListe = FInfoChamps;
}

void TSerialisateurParametreRecord::Serialiser(IFormatter& AFormateur,
                                               TypeClasseFormatSerialisation AFormat) {
  AFormateur.EcrireBooleen(FCompacte);
  FInfoChamps.Serialiser(AFormateur, AFormat);
}

void TSerialisateurParametreRecord::Deserialiser(IFormatter& AFormateur,
                                                 TypeClasseFormatSerialisation AFormat) {
  FCompacte = AFormateur.LireBooleen();
  FInfoChamps.Deserialiser(AFormateur, AFormat);
  CalculerDisposition();
}

void TSerialisateurParametreRecord::SerialiserGeneriqueV1(IFormatter& AFormateur,
                                                          TypeClasseFormatSerialisation) {
  AFormateur.EcrireEntier(FTaille);
  FInfoChamps.Serialiser(AFormateur, &TFSSerialisationGeneriqueV1SousParametre::Classe());
}

void TSerialisateurParametreRecord::DeserialiserGeneriqueV1(IFormatter& AFormateur,
                                                            TypeClasseFormatSerialisation) {
  AFormateur.LireEntier();  // the size: laid out again below
  FCompacte = false;
  FInfoChamps.Deserialiser(AFormateur, &TFSSerialisationGeneriqueV1SousParametre::Classe());
  CalculerDisposition();
}

void TSerialisateurParametreRecord::SerialiserPourTrace(IFormatter& AFormateur,
                                                        TypeClasseFormatSerialisation AFormat) {
  TSerialisateurParametre::SerialiserPourTrace(AFormateur, AFormat);
  Tracer(AFormateur, u"Taille", [&] { AFormateur.EcrireEntier(FTaille); });
  Tracer(AFormateur, u"InfoChamps", [&] { FInfoChamps.SerialiserPourTrace(AFormateur, AFormat); });
}

}  // namespace kv
