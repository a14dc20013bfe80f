#include "serialisation/SerialisateurParametreInterface.h"

#include <utility>

#include "serialisation/FormatSerialisation.h"

namespace kv {
namespace {

IInterface*& Valeur(void* AAdresse) noexcept { return *static_cast<IInterface**>(AAdresse); }

}  // namespace

TGUID TSerialisateurParametreInterface::GetGuid() { return FGuid; }

TConteneurParametre* TSerialisateurParametreInterface::CreerConteneur(std::u16string_view ANom) {
  return new TConteneurParametreInterface(ANom);
}

void TSerialisateurParametreInterface::CopierValeur(const void* ASource, void* ADestination, bool) {
  IInterface* source = *static_cast<IInterface* const*>(ASource);
  if (source) source->_AddRef();  // first, so that a copy onto itself keeps it
  IInterface* ancienne = std::exchange(Valeur(ADestination), source);
  if (ancienne) ancienne->_Release();
}

void TSerialisateurParametreInterface::LibererValeur(void* AAdresse, bool) {
  if (IInterface* ancienne = std::exchange(Valeur(AAdresse), nullptr)) ancienne->_Release();
}

void TSerialisateurParametreInterface::SerialiserValeur(TConteneurParametre* AConteneur,
                                                        IFormatter& AFormateur,
                                                        TypeClasseFormatSerialisation AFormat,
                                                        bool AEnPlace) {
  IInterface* objet = Valeur(AConteneur->GetAdresseValeur());
  if (!AEnPlace) {
    AFormateur.EcrireInterface(objet, AFormat);
  } else if (objet) {
    AFormat->Serialiser(objet, AFormateur);
  }
}

void TSerialisateurParametreInterface::DeserialiserValeur(TConteneurParametre* AConteneur,
                                                          IFormatter& AFormateur,
                                                          TypeClasseFormatSerialisation AFormat,
                                                          bool AEnPlace) {
  IInterface*& valeur = Valeur(AConteneur->GetAdresseValeur());
  if (AEnPlace) {
    if (valeur) AFormat->Deserialiser(valeur, AFormateur);
    return;
  }
  TRef<IInterface> objet = AFormateur.LireInterface(AFormat);
  void* interface = nullptr;
  if (objet) objet->QueryInterface(FGuid, &interface);  // null when it lacks the interface
  IInterface* ancienne = std::exchange(valeur, static_cast<IInterface*>(interface));
  if (ancienne) ancienne->_Release();
}

std::int32_t TSerialisateurParametreInterface::GetTaille() { return 8; }

bool TSerialisateurParametreInterface::GetEstGere() { return true; }

bool TSerialisateurParametreInterface::EstCompatibleAvec(ISerialisateurParametre* AAutre) {
  if (!TSerialisateurParametre::EstCompatibleAvec(AAutre)) return false;
  auto autre = Interroger<ISerialisateurParametreInterface>(AAutre);
  return autre && autre->GetGuid() == FGuid;
}

void TSerialisateurParametreInterface::Serialiser(IFormatter& AFormateur,
                                                  TypeClasseFormatSerialisation) {
  AFormateur.EcrireGuid(FGuid);
}

void TSerialisateurParametreInterface::Deserialiser(IFormatter& AFormateur,
                                                    TypeClasseFormatSerialisation) {
  FGuid = AFormateur.LireGuid();
}

void TSerialisateurParametreInterface::SerialiserPourTrace(IFormatter& AFormateur,
                                                           TypeClasseFormatSerialisation AFormat) {
  TSerialisateurParametre::SerialiserPourTrace(AFormateur, AFormat);
  Tracer(AFormateur, u"Guid", [&] { AFormateur.EcrireGuid(FGuid); });
}

}  // namespace kv
