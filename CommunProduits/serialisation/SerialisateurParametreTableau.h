#pragma once

// The base of the array serializers: an element description InfoElements
// ("Elements") and an index pseudo-description InfoIndice
// ("Elements.@Indice", a 4-byte raw value), both standing for a succession of
// values. A container of an array has two sub-containers, one for the element
// in hand and one for its index, reused for every element, so that couplings
// see the index of the element being handled.

#include <cstdint>

#include "serialisation/I_SerialisateurAvecSousParametres.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/ListeInfoParametresServiceInvocable.h"
#include "serialisation/SerialisateurParametre.h"

namespace kv {

class TSerialisateurParametreTableau : public TSerialisateurParametre,
                                       public IFSSerialisationGeneriqueV1,
                                       public ISerialisateurAvecSousParametres {
  KV_INTERFACES(TSerialisateurParametre, IFSSerialisationGeneriqueV1,
                ISerialisateurAvecSousParametres)
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreTableau, TSerialisateurParametre)

 public:
  explicit TSerialisateurParametreTableau(bool ALiberationAutomatique = true);

  TInfoParametreServiceInvocable* GetInfoElements() const noexcept { return FInfoElements; }
  TInfoParametreServiceInvocable* GetInfoIndice() const noexcept { return FInfoIndice; }
  // Gives the elements their serializer, under the replacement rule
  // (TInfoParametreServiceInvocable::SetSerialisateur).
  void SetSerialisateurElements(TRef<ISerialisateurParametre> ASerialisateur);

  // The kind's container, with the element and index sub-containers.
  TConteneurParametre* CreerConteneur(std::u16string_view ANom) override;
  // The two sub-containers, objects not freed, then the value.
  void LibererConteneur(TConteneurParametre* AConteneur, bool ALibererObjets) override;

  void GetInfoSousParametres(TypeListeInfoParametresServiceInvocable& AListe) override;

  // InfoElements through AFormat. Reading raises EReadError when the elements
  // come without a serializer.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // InfoElements through TFSSerialisationGeneriqueV1SousParametre.
  void SerialiserGeneriqueV1(IFormatter& AFormateur,
                             TypeClasseFormatSerialisation AFormat) override;
  void DeserialiserGeneriqueV1(IFormatter& AFormateur,
                               TypeClasseFormatSerialisation AFormat) override;
  // "SousParametreElements", "SousParametreIndices".
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TSerialisateurParametreTableau() override;

  // The container of the kind, without sub-containers.
  virtual TConteneurParametre* CreerConteneurTableau(std::u16string_view ANom) = 0;

  // Announces, then writes ANombre elements from APtrElements, each copied
  // into the element container with its index in the index container.
  void SerialiserElements(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace,
                          const void* APtrElements, std::int32_t ANombre);
  // Reads ANombre elements into the live elements at APtrElements.
  void DeserialiserElements(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                            TypeClasseFormatSerialisation AFormat, bool AEnPlace,
                            void* APtrElements, std::int32_t ANombre);
  // Raises EReadError ("Erreur de lecture du flux") for a count below zero or
  // whose elements would take more than FacteurTailleLecture times the size
  // of the formatter's stream.
  void VerifierNombreLu(IFormatter& AFormateur, std::int64_t ANombre);
  // Address of element AIndice.
  void* Element(void* APtrElements, std::int64_t AIndice);
  const void* Element(const void* APtrElements, std::int64_t AIndice);

 private:
  // Makes the two descriptions.
  void Preparer();
  void VerifierElementsLus();

  TInfoParametreServiceInvocable* FInfoElements = nullptr;
  TInfoParametreServiceInvocable* FInfoIndice = nullptr;
  TypeListeInfoParametresServiceInvocable FSousParametres;  // owns both
};

}  // namespace kv
