#include "serialisation/SerialisateurParametreTableau.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "commun/Format.h"
#include "serialisation/Flux.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/SerialisateurParametreRaw.h"

namespace kv {

TSerialisateurParametreTableau::TSerialisateurParametreTableau(bool ALiberationAutomatique)
    : TSerialisateurParametre(ALiberationAutomatique) {
  try {
    Preparer();
  } catch (...) {
    FSousParametres.Vider();  // no destructor runs for an object not made
    throw;
  }
}

void TSerialisateurParametreTableau::Preparer() {
  FSousParametres.CreerInfoParametres(2);
  FInfoElements = FSousParametres.FInfoParametres[0];
  FInfoIndice = FSousParametres.FInfoParametres[1];
  FInfoElements->SetNom(u"Elements");
  FInfoElements->SetPlusieursParametres(true);
  FInfoIndice->SetNom(u"Elements.@Indice");
  FInfoIndice->SetPlusieursParametres(true);
  FInfoIndice->SetEstIndice(true);
  FInfoIndice->SetSerialisateur(Nouveau<TSerialisateurParametreRaw>(4, -1));
}

TSerialisateurParametreTableau::~TSerialisateurParametreTableau() { FSousParametres.Vider(); }

void TSerialisateurParametreTableau::SetSerialisateurElements(
    TRef<ISerialisateurParametre> ASerialisateur) {
  FInfoElements->SetSerialisateur(std::move(ASerialisateur));
}

TConteneurParametre* TSerialisateurParametreTableau::CreerConteneur(std::u16string_view ANom) {
  std::unique_ptr<TConteneurParametre> conteneur(CreerConteneurTableau(ANom));
  conteneur->SetNombreSousConteneurs(2);
  try {
    conteneur->SetSousConteneur(0, FInfoElements->CreerConteneur());
    conteneur->SetSousConteneur(1, FInfoIndice->CreerConteneur());
  } catch (...) {
    LibererConteneur(conteneur.release(), false);
    throw;
  }
  return conteneur.release();
}

void TSerialisateurParametreTableau::LibererConteneur(TConteneurParametre* AConteneur,
                                                      bool ALibererObjets) {
  if (!AConteneur) return;
  TInfoParametreServiceInvocable* infos[] = {FInfoElements, FInfoIndice};
  for (std::int32_t i = AConteneur->GetNombreSousConteneurs(); i-- > 0;) {
    TConteneurParametre* sous = AConteneur->GetSousConteneur(i);
    AConteneur->SetSousConteneur(i, nullptr);
    if (sous && i < 2) infos[i]->LibererConteneur(sous, false);
  }
  AConteneur->SetNombreSousConteneurs(0);
  TSerialisateurParametre::LibererConteneur(AConteneur, ALibererObjets);
}

void TSerialisateurParametreTableau::GetInfoSousParametres(
    TypeListeInfoParametresServiceInvocable& AListe) {
  AListe = FSousParametres;
}

void* TSerialisateurParametreTableau::Element(void* APtrElements, std::int64_t AIndice) {
  return static_cast<unsigned char*>(APtrElements) + AIndice * FInfoElements->GetTaille();
}

const void* TSerialisateurParametreTableau::Element(const void* APtrElements,
                                                    std::int64_t AIndice) {
  return static_cast<const unsigned char*>(APtrElements) + AIndice * FInfoElements->GetTaille();
}

void TSerialisateurParametreTableau::SerialiserElements(TConteneurParametre* AConteneur,
                                                        IFormatter& AFormateur,
                                                        TypeClasseFormatSerialisation AFormat,
                                                        bool AEnPlace, const void* APtrElements,
                                                        std::int32_t ANombre) {
  TConteneurParametre* element = AConteneur->GetSousConteneur(0);
  TConteneurParametre* indice = AConteneur->GetSousConteneur(1);
  AFormateur.AnnoncerTaille(static_cast<std::int64_t>(FInfoElements->GetTaille()) * ANombre);
  for (std::int32_t i = 0; i < ANombre; ++i) {
    FInfoIndice->CopierValeur(&i, indice->GetAdresseValeur(), false);
    FInfoElements->CopierValeur(Element(APtrElements, i), element->GetAdresseValeur(), false);
    FInfoElements->SerialiserValeur(element, AFormateur, AFormat, AEnPlace);
  }
}

void TSerialisateurParametreTableau::DeserialiserElements(TConteneurParametre* AConteneur,
                                                          IFormatter& AFormateur,
                                                          TypeClasseFormatSerialisation AFormat,
                                                          bool AEnPlace, void* APtrElements,
                                                          std::int32_t ANombre) {
  TConteneurParametre* element = AConteneur->GetSousConteneur(0);
  TConteneurParametre* indice = AConteneur->GetSousConteneur(1);
  for (std::int32_t i = 0; i < ANombre; ++i) {
    FInfoIndice->CopierValeur(&i, indice->GetAdresseValeur(), false);
    // The element container holds a copy of the previous element: dropped,
    // so that after a failure it holds only what this read made, which then
    // joins the array's elements to be released with them.
    if (!AEnPlace) FInfoElements->LibererValeur(element->GetAdresseValeur(), false);
    try {
      FInfoElements->DeserialiserValeur(element, AFormateur, AFormat, AEnPlace);
    } catch (...) {
      FInfoElements->CopierValeur(element->GetAdresseValeur(), Element(APtrElements, i), false);
      throw;
    }
    FInfoElements->CopierValeur(element->GetAdresseValeur(), Element(APtrElements, i), false);
  }
}

void TSerialisateurParametreTableau::VerifierNombreLu(IFormatter& AFormateur,
                                                      std::int64_t ANombre) {
  // In 64 bits: a count times a size must not wrap into a small product.
  // Elements of no size count as one byte, so that a huge count of them is
  // refused too instead of looping.
  const std::int64_t taille = std::max<std::int64_t>(FInfoElements->GetTaille(), 1);
  if (ANombre < 0 || ANombre > std::numeric_limits<std::int32_t>::max() ||
      ANombre * taille > FacteurTailleLecture * AFormateur.GetFlux().GetTaille()) {
    throw EReadError(u"Erreur de lecture du flux");
  }
}

void TSerialisateurParametreTableau::VerifierElementsLus() {
  if (!FInfoElements->GetSerialisateur()) {
    throw EReadError(u"Erreur de lecture du flux : éléments de tableau sans sérialisateur.");
  }
}

void TSerialisateurParametreTableau::Serialiser(IFormatter& AFormateur,
                                                TypeClasseFormatSerialisation AFormat) {
  AFormat->Serialiser(FInfoElements, AFormateur);
}

void TSerialisateurParametreTableau::Deserialiser(IFormatter& AFormateur,
                                                  TypeClasseFormatSerialisation AFormat) {
  AFormat->Deserialiser(FInfoElements, AFormateur);
  VerifierElementsLus();
}

void TSerialisateurParametreTableau::SerialiserGeneriqueV1(IFormatter& AFormateur,
                                                           TypeClasseFormatSerialisation) {
  TFSSerialisationGeneriqueV1SousParametre::Classe().Serialiser(FInfoElements, AFormateur);
}

void TSerialisateurParametreTableau::DeserialiserGeneriqueV1(IFormatter& AFormateur,
                                                             TypeClasseFormatSerialisation) {
  TFSSerialisationGeneriqueV1SousParametre::Classe().Deserialiser(FInfoElements, AFormateur);
  VerifierElementsLus();
}

void TSerialisateurParametreTableau::SerialiserPourTrace(IFormatter& AFormateur,
                                                         TypeClasseFormatSerialisation AFormat) {
  TSerialisateurParametre::SerialiserPourTrace(AFormateur, AFormat);
  Tracer(AFormateur, u"SousParametreElements",
         [&] { FInfoElements->SerialiserPourTrace(AFormateur, AFormat); });
  Tracer(AFormateur, u"SousParametreIndices",
         [&] { FInfoIndice->SerialiserPourTrace(AFormateur, AFormat); });
}

}  // namespace kv
