#include "serialisation/InfoServiceInvocable.h"

#include "commun/Format.h"
#include "plateforme/ComparaisonLocale.h"
#include "serialisation/Flux.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/InfoMethodeServiceInvocable.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/LectureNombre.h"
#include "serialisation/TraceElement.h"

namespace kv {

TInfoServiceInvocable::~TInfoServiceInvocable() { SetNombreMethodes(0); }

TInfoMethodeServiceInvocable* TInfoServiceInvocable::GetMethode(std::int32_t AIndice) {
  if (AIndice < 0 || static_cast<std::size_t>(AIndice) >= FMethodes.size()) {
    throw EListError(Formater(u"Indice de méthode invalide : %0:d parmi %1:d méthodes.",
                              {AIndice, static_cast<long long>(FMethodes.size())}));
  }
  return FMethodes[static_cast<std::size_t>(AIndice)];
}

TInfoMethodeServiceInvocable* TInfoServiceInvocable::GetMethodeParNom(std::u16string_view ANom) {
  for (TInfoMethodeServiceInvocable* methode : FMethodes) {
    if (plateforme::MemeTexte(methode->GetNom(), ANom)) return methode;
  }
  return nullptr;
}

bool TInfoServiceInvocable::SansValeursSortantes(bool AStrict) {
  for (const TInfoMethodeServiceInvocable* methode : FMethodes) {
    for (const TInfoParametreServiceInvocable* info : methode->GetParametres().FInfoParametres) {
      const TypeModesParametre modes = info->GetModes();
      if (ContientMode(modes, TypeModeParametre::mpSortant) &&
          (AStrict || !ContientMode(modes, TypeModeParametre::mpEntrant))) {
        return false;
      }
    }
  }
  return true;
}

void TInfoServiceInvocable::SetNombreMethodes(std::int32_t ANombre) {
  if (ANombre < 0) {
    throw EArgumentInvalide(Formater(u"Nombre de méthodes négatif : %0:d.", {ANombre}));
  }
  const auto nombre = static_cast<std::size_t>(ANombre);
  while (FMethodes.size() > nombre) {
    TInfoMethodeServiceInvocable* methode = FMethodes.back();
    FMethodes.pop_back();
    try {
      methode->Liberer();
    } catch (...) {
      // Still referenced, a fault of the holder: left to it rather than
      // freed under it.
    }
  }
  FMethodes.reserve(nombre);
  while (FMethodes.size() < nombre) {
    FMethodes.push_back(Construire<TInfoMethodeServiceInvocable>(false));
  }
}

void TInfoServiceInvocable::EcrireMethodes(IFormatter& AFormateur,
                                           TypeClasseFormatSerialisation AFormat) {
  AFormateur.EcrireEntier(GetNombreMethodes());
  for (TInfoMethodeServiceInvocable* methode : FMethodes) AFormat->Serialiser(methode, AFormateur);
}

void TInfoServiceInvocable::LireMethodes(IFormatter& AFormateur,
                                         TypeClasseFormatSerialisation AFormat) {
  const std::int32_t nombre = LireNombreAnnonce(AFormateur, u"méthodes");
  SetNombreMethodes(0);
  SetNombreMethodes(nombre);
  for (TInfoMethodeServiceInvocable* methode : FMethodes) {
    AFormat->Deserialiser(methode, AFormateur);
  }
}

void TInfoServiceInvocable::Serialiser(IFormatter& AFormateur,
                                       TypeClasseFormatSerialisation AFormat) {
  AFormateur.EcrireGuid(FGuidService);
  AFormateur.EcrireChaine(FNomService);
  AFormateur.EcrireEntier(FAutorisationsSpeciales);
  EcrireMethodes(AFormateur, AFormat);
}

void TInfoServiceInvocable::Deserialiser(IFormatter& AFormateur,
                                         TypeClasseFormatSerialisation AFormat) {
  FGuidService = AFormateur.LireGuid();
  FNomService = AFormateur.LireChaine();
  FAutorisationsSpeciales = AFormateur.LireEntier();
  LireMethodes(AFormateur, AFormat);
}

void TInfoServiceInvocable::SerialiserGeneriqueV1(IFormatter& AFormateur,
                                                  TypeClasseFormatSerialisation AFormat) {
  AFormateur.EcrireGuid(FGuidService);
  AFormateur.EcrireChaine(FNomService);
  EcrireMethodes(AFormateur, AFormat);
}

void TInfoServiceInvocable::DeserialiserGeneriqueV1(IFormatter& AFormateur,
                                                    TypeClasseFormatSerialisation AFormat) {
  FGuidService = AFormateur.LireGuid();
  FNomService = AFormateur.LireChaine();
  FAutorisationsSpeciales = AutorisationsSpecialesV1;
  LireMethodes(AFormateur, AFormat);
}

void TInfoServiceInvocable::SerialiserPourTrace(IFormatter& AFormateur,
                                                TypeClasseFormatSerialisation AFormat) {
  Tracer(AFormateur, u"GuidService", [&] { AFormateur.EcrireGuid(FGuidService); });
  Tracer(AFormateur, u"NomService", [&] { AFormateur.EcrireChaine(FNomService); });
  Tracer(AFormateur, u"AutorisationsSpeciales",
         [&] { AFormateur.EcrireEntier(FAutorisationsSpeciales); });
  Tracer(AFormateur, u"Methodes", [&] {
    for (TInfoMethodeServiceInvocable* methode : FMethodes) {
      Tracer(AFormateur, u"Methode", [&] { methode->SerialiserPourTrace(AFormateur, AFormat); });
    }
  });
}

}  // namespace kv
