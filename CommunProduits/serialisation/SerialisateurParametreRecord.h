#pragma once

// Record values: a standard-layout struct of Taille bytes whose fields are
// described one by one (name, offset, serializer) in InfoChamps. Bytes between
// fields are neither copied nor sent.
//
// A record built by code gets its size, its field descriptions with the
// offsets of the native layout and their serializers, then DetecterCompactage.
// A record read from a description is laid out again by CalculerDisposition:
// fields in order, each aligned on its own alignment unless Compacte.

#include <cstdint>

#include "serialisation/I_SerialisateurAvecSousParametres.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/ListeInfoParametresServiceInvocable.h"
#include "serialisation/SerialisateurParametre.h"

namespace kv {

class TSerialisateurParametreRecord : public TSerialisateurParametre,
                                      public IFSSerialisationGeneriqueV1,
                                      public ISerialisateurAvecSousParametres {
  KV_INTERFACES(TSerialisateurParametre, IFSSerialisationGeneriqueV1,
                ISerialisateurAvecSousParametres)
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreRecord, TSerialisateurParametre)

 public:
  explicit TSerialisateurParametreRecord(bool ALiberationAutomatique = true) noexcept
      : TSerialisateurParametre(ALiberationAutomatique) {}

  // For the builder. Fields must all get a serializer before any value
  // operation.
  void SetTaille(std::int32_t ATaille) noexcept { FTaille = ATaille; }
  bool GetCompacte() const noexcept { return FCompacte; }
  // Appends ANombre empty field descriptions; answers the index of the first.
  std::int32_t CreerInfoChamps(std::int32_t ANombre);
  // Raises EListError for an index out of range.
  TInfoParametreServiceInvocable* GetInfoChamp(std::int32_t AIndice) const;
  std::int32_t GetNombreChamps() const noexcept { return FInfoChamps.GetNombre(); }
  // Decides Compacte from the offsets and Taille of the native layout: packed
  // when a field, or the end, sits where an aligned and an unaligned layout
  // part and it is the unaligned place.
  void DetecterCompactage();
  // Lays the fields out from their sizes and alignments and sets Taille.
  // Raises EReadError for a field without a serializer, a record larger than
  // TailleMaximaleValeur, a Compacte record with a field that is not plain
  // bytes (raw values, records and fixed arrays of them), and a record holding
  // such a field whose alignment is not a power of two: strings and pointers
  // cannot live at unaligned places.
  void CalculerDisposition();

  // A record container of Taille bytes (values made by InitialiserValeur),
  // with one sub-container per field.
  TConteneurParametre* CreerConteneur(std::u16string_view ANom) override;
  // The sub-containers first, without freeing objects (they hold copies of
  // the record's values), then the record's value, each field once.
  void LibererConteneur(TConteneurParametre* AConteneur, bool ALibererObjets) override;
  // Field by field, through the field descriptions.
  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  // Each field copied into its sub-container, then each written; nothing
  // else: the layout belongs to the description.
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  std::int32_t GetTaille() override;
  // 1 when Compacte, otherwise the largest field alignment (0 without fields).
  std::int32_t GetAlignement() override;
  bool GetEstGere() override;
  // Zero bytes, then each field's empty value; and each field ended.
  void InitialiserValeur(void* AAdresse) noexcept override;
  void DetruireValeur(void* AAdresse) noexcept override;

  void GetInfoSousParametres(TypeListeInfoParametresServiceInvocable& AListe) override;

  // Compacte, then the fields through AFormat; reading lays them out.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // Taille, then the fields through TFSSerialisationGeneriqueV1SousParametre;
  // reading drops the size and lays the fields out naturally aligned.
  void SerialiserGeneriqueV1(IFormatter& AFormateur,
                             TypeClasseFormatSerialisation AFormat) override;
  void DeserialiserGeneriqueV1(IFormatter& AFormateur,
                               TypeClasseFormatSerialisation AFormat) override;
  // "Taille", "InfoChamps" with one "Parametre" per field.
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TSerialisateurParametreRecord() override;

 private:
  // The largest field alignment, whatever Compacte says.
  std::int32_t AlignementNaturel();
  template <class AOperation>
  void PourChaqueChamp(AOperation AOperationChamp) const;

  std::int32_t FTaille = 0;
  bool FCompacte = false;
  TypeListeInfoParametresServiceInvocable FInfoChamps;
};

}  // namespace kv
