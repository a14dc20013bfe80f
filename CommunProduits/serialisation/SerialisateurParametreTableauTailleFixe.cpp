#include "serialisation/SerialisateurParametreTableauTailleFixe.h"

#include <cstring>

namespace kv {

TConteneurParametre* TSerialisateurParametreTableauTailleFixe::CreerConteneurTableau(
    std::u16string_view ANom) {
  return new TConteneurParametreTableauTailleFixe(ANom, GetTaille(), this);
}

void TSerialisateurParametreTableauTailleFixe::CopierValeur(const void* ASource, void* ADestination,
                                                            bool ALibererObjets) {
  for (std::int32_t i = 0; i < FNombreElements; ++i) {
    GetInfoElements()->CopierValeur(Element(ASource, i), Element(ADestination, i), ALibererObjets);
  }
}

void TSerialisateurParametreTableauTailleFixe::LibererValeur(void* AAdresse, bool ALibererObjets) {
  for (std::int32_t i = 0; i < FNombreElements; ++i) {
    GetInfoElements()->LibererValeur(Element(AAdresse, i), ALibererObjets);
  }
}

void TSerialisateurParametreTableauTailleFixe::SerialiserValeur(
    TConteneurParametre* AConteneur, IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat,
    bool AEnPlace) {
  SerialiserElements(AConteneur, AFormateur, AFormat, AEnPlace, AConteneur->GetAdresseValeur(),
                     FNombreElements);
}

void TSerialisateurParametreTableauTailleFixe::DeserialiserValeur(
    TConteneurParametre* AConteneur, IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat,
    bool AEnPlace) {
  DeserialiserElements(AConteneur, AFormateur, AFormat, AEnPlace, AConteneur->GetAdresseValeur(),
                       FNombreElements);
}

std::int32_t TSerialisateurParametreTableauTailleFixe::GetTaille() {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(FNombreElements) *
                                   GetInfoElements()->GetTaille());
}

std::int32_t TSerialisateurParametreTableauTailleFixe::GetAlignement() {
  return GetInfoElements()->GetAlignement();
}

bool TSerialisateurParametreTableauTailleFixe::GetEstGere() {
  return GetInfoElements()->GetEstGere();
}

void TSerialisateurParametreTableauTailleFixe::InitialiserValeur(void* AAdresse) noexcept {
  const auto& elements = GetInfoElements()->GetSerialisateur();
  const std::int32_t taille = elements ? elements->GetTaille() : 0;
  for (std::int32_t i = 0; i < FNombreElements && elements; ++i) {
    elements->InitialiserValeur(static_cast<unsigned char*>(AAdresse) +
                                static_cast<std::int64_t>(i) * taille);
  }
}

void TSerialisateurParametreTableauTailleFixe::DetruireValeur(void* AAdresse) noexcept {
  const auto& elements = GetInfoElements()->GetSerialisateur();
  const std::int32_t taille = elements ? elements->GetTaille() : 0;
  for (std::int32_t i = 0; i < FNombreElements && elements; ++i) {
    elements->DetruireValeur(static_cast<unsigned char*>(AAdresse) +
                             static_cast<std::int64_t>(i) * taille);
  }
}

void TSerialisateurParametreTableauTailleFixe::Serialiser(IFormatter& AFormateur,
                                                          TypeClasseFormatSerialisation AFormat) {
  TSerialisateurParametreTableau::Serialiser(AFormateur, AFormat);
  AFormateur.EcrireEntier(FNombreElements);
}

void TSerialisateurParametreTableauTailleFixe::Deserialiser(IFormatter& AFormateur,
                                                            TypeClasseFormatSerialisation AFormat) {
  TSerialisateurParametreTableau::Deserialiser(AFormateur, AFormat);
  const std::int32_t nombre = AFormateur.LireEntier();
  VerifierTailleLue(nombre, u"nombre d'éléments");
  VerifierTailleLue(static_cast<std::int64_t>(nombre) * GetInfoElements()->GetTaille(),
                    u"tableau de taille fixe");
  FNombreElements = nombre;
}

void TSerialisateurParametreTableauTailleFixe::SerialiserPourTrace(
    IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) {
  TSerialisateurParametreTableau::SerialiserPourTrace(AFormateur, AFormat);
  Tracer(AFormateur, u"NombreElements", [&] { AFormateur.EcrireEntier(FNombreElements); });
}

}  // namespace kv
