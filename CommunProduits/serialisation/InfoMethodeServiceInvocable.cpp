#include "serialisation/InfoMethodeServiceInvocable.h"

#include "commun/Format.h"
#include "serialisation/EntreeDispositionParametre.h"
#include "serialisation/Flux.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/LectureNombre.h"
#include "serialisation/SerialisateurParametre.h"
#include "serialisation/TraceElement.h"

namespace kv {
namespace {

constexpr std::u16string_view NomResultat = u"Result";

}  // namespace

TInfoMethodeServiceInvocable::~TInfoMethodeServiceInvocable() { FParametres.Vider(); }

TInfoParametreServiceInvocable* TInfoMethodeServiceInvocable::GetInfoParametre(
    std::int32_t AIndice) const {
  return FParametres.GetInfoParametre(AIndice);
}

std::int32_t TInfoMethodeServiceInvocable::CreerInfoParametres(std::int32_t ANombre) {
  return FParametres.CreerInfoParametres(ANombre);
}

bool TInfoMethodeServiceInvocable::ResultatDansRegistre() {
  return FAvecValeurRetour && FParametres.GetNombre() > 0 &&
         FParametres.GetInfoParametre(0)->GetRetourParRegistre();
}

void TInfoMethodeServiceInvocable::CalculerDisposition() {
  TypeEntreeDispositionMethode entree{FAvecValeurRetour, {}};
  entree.Parametres.reserve(FParametres.FInfoParametres.size());
  for (std::size_t i = 0; i < FParametres.FInfoParametres.size(); ++i) {
    entree.Parametres.push_back(
        EntreeDisposition(*FParametres.FInfoParametres[i], FAvecValeurRetour && i == 0));
  }
  const TypeDispositionMethode windows = DispositionWindowsX64().Disposer(entree);
  TypeDispositionMethode hote = DispositionHote().Disposer(entree);
  for (std::size_t i = 0; i < FParametres.FInfoParametres.size(); ++i) {
    FParametres.FInfoParametres[i]->SetOffset(windows.Parametres[i].Offset);
    FParametres.FInfoParametres[i]->SetModes(windows.Parametres[i].Modes);
  }
  FOffsetInterface = windows.OffsetInterface;
  FTaillePile = windows.TaillePile;
  FMasqueSse = windows.MasqueSse;
  FDispositionHote = std::move(hote);
}

void TInfoMethodeServiceInvocable::VerifierParametresLus() const {
  if (FAvecValeurRetour && FParametres.GetNombre() == 0) {
    throw EReadError(Formater(
        u"Erreur de lecture du flux : la méthode %0:s annonce un résultat sans le décrire.",
        {FNom}));
  }
  // The frame holds every value passed by value: its size must stay far from
  // the limits of the offsets.
  std::int64_t taille = 0;
  for (TInfoParametreServiceInvocable* info : FParametres.FInfoParametres) {
    if (!info->GetSerialisateur()) {
      throw EReadError(
          Formater(u"Erreur de lecture du flux : le paramètre %0:s de la méthode %1:s n'a pas de "
                   u"sérialisateur.",
                   {info->GetNom(), FNom}));
    }
    taille += TailleSurPile(info->GetTaille());
  }
  if (taille > TSerialisateurParametre::TailleMaximaleValeur) {
    throw EReadError(Formater(
        u"Erreur de lecture du flux : les paramètres de la méthode %0:s occupent %1:d octets.",
        {FNom, static_cast<long long>(taille)}));
  }
}

void TInfoMethodeServiceInvocable::RetablirRegles32En64() {
  // {mpEntrant, mpParReference} in force for 1, 2, 4 or 8 bytes comes only
  // from a set passed const under the 32-bit rules: without them, the value
  // would go by value.
  for (TInfoParametreServiceInvocable* info : FParametres.FInfoParametres) {
    if (info->GetModesAPriori() == (mpsEntrant | mpsParReference) && info->GetPasseEnRegistre64()) {
      info->SetModesAPriori(mpsEntrant | mpsParReference | mpsRegles32En64);
    }
  }
}

void TInfoMethodeServiceInvocable::Serialiser(IFormatter& AFormateur,
                                              TypeClasseFormatSerialisation AFormat) {
  AFormateur.EcrireChaine(FNom);
  AFormateur.EcrireBooleen(FAvecValeurRetour);
  AFormateur.EcrireEntier(FAutorisationsSpeciales);
  FParametres.Serialiser(AFormateur, AFormat);
  AFormateur.EcrireEntier(static_cast<std::int32_t>(FInfoCouplages.size()));
  for (const TypeInfoCouplageParametresServiceInvocable& couplage : FInfoCouplages) {
    couplage.SerialiserTout(AFormateur, AFormat);
  }
}

void TInfoMethodeServiceInvocable::Deserialiser(IFormatter& AFormateur,
                                                TypeClasseFormatSerialisation AFormat) {
  FNom = AFormateur.LireChaine();
  FAvecValeurRetour = AFormateur.LireBooleen();
  FAutorisationsSpeciales = AFormateur.LireEntier();
  FParametres.Deserialiser(AFormateur, AFormat);
  VerifierParametresLus();
  CalculerDisposition();
  const std::int32_t nombre = LireNombreAnnonce(AFormateur, u"couplages");
  FInfoCouplages.clear();
  FInfoCouplages.resize(static_cast<std::size_t>(nombre));
  for (TypeInfoCouplageParametresServiceInvocable& couplage : FInfoCouplages) {
    couplage.DeserialiserTout(AFormateur, AFormat);
  }
}

void TInfoMethodeServiceInvocable::SerialiserGeneriqueV1(IFormatter& AFormateur,
                                                         TypeClasseFormatSerialisation AFormat) {
  AFormateur.EcrireChaine(FNom);
  AFormateur.EcrireEntier(FTaillePile);
  AFormateur.EcrireBooleen(ResultatDansRegistre());
  AFormateur.EcrireEntier(FAutorisationsSpeciales);
  AFormateur.EcrireEntier(FOffsetInterface == 0 ? 0 : FOffsetInterface - 8);
  FParametres.Serialiser(AFormateur, AFormat);
}

void TInfoMethodeServiceInvocable::DeserialiserGeneriqueV1(IFormatter& AFormateur,
                                                           TypeClasseFormatSerialisation AFormat) {
  FNom = AFormateur.LireChaine();
  AFormateur.LireEntier();   // TaillePile: laid out again below
  AFormateur.LireBooleen();  // ResultatDansRegistre: likewise
  FAutorisationsSpeciales = AFormateur.LireEntier();
  AFormateur.LireEntier();  // OffsetInterface
  FParametres.Deserialiser(AFormateur, AFormat);
  FAvecValeurRetour =
      FParametres.GetNombre() > 0 && FParametres.GetInfoParametre(0)->GetNom() == NomResultat;
  FInfoCouplages.clear();
  VerifierParametresLus();
  RetablirRegles32En64();
  CalculerDisposition();
}

void TInfoMethodeServiceInvocable::SerialiserPourTrace(IFormatter& AFormateur,
                                                       TypeClasseFormatSerialisation AFormat) {
  Tracer(AFormateur, u"Classe", [&] { AFormateur.EcrireChaine(ClasseObjet().GetNom()); });
  Tracer(AFormateur, u"Nom", [&] { AFormateur.EcrireChaine(FNom); });
  Tracer(AFormateur, u"AvecValeurRetour", [&] { AFormateur.EcrireBooleen(FAvecValeurRetour); });
  Tracer(AFormateur, u"TaillePile", [&] { AFormateur.EcrireEntier(FTaillePile); });
  Tracer(AFormateur, u"AutorisationsSpeciales",
         [&] { AFormateur.EcrireEntier(FAutorisationsSpeciales); });
  Tracer(AFormateur, u"OffsetInterface", [&] { AFormateur.EcrireEntier(FOffsetInterface); });
  Tracer(AFormateur, u"MasqueSse", [&] { AFormateur.EcrireOctet(FMasqueSse); });
  Tracer(AFormateur, u"Parametres", [&] { FParametres.SerialiserPourTrace(AFormateur, AFormat); });
  Tracer(AFormateur, u"InfoCouplages", [&] {
    for (const TypeInfoCouplageParametresServiceInvocable& couplage : FInfoCouplages) {
      Tracer(AFormateur, u"InfoCouplage",
             [&] { couplage.SerialiserPourTrace(AFormateur, AFormat); });
    }
  });
}

}  // namespace kv
