#pragma once

// A formatter that writes typed values as tagged binary records to a stream,
// and reads them back.
//
// Encoding. Every value is one record: a kind byte, then the value. Numbers
// are little-endian; a string is its count of UTF-16 units (4 bytes) followed
// by the units (2 bytes each, surrogates kept as they are).
//
//   01 Booleen          1 byte, 0 or 1
//   02 Entier           4 bytes, two's complement
//   03 Octet            1 byte
//   04 Cardinal         4 bytes
//   05 Chaine           a string
//   06 Guid             D1 (4 bytes), D2 (2), D3 (2), D4 (8)
//   07 TableauEntiers   count (4 bytes), then each integer (4 bytes)
//   08 Octets           count (8 bytes), then the bytes
//   09 DebutElement     the element's name, a string
//   0A FinElement       nothing
//   0B Objet            the class's name (a string: the name of its class meta
//                       information), then the object's own records, then 0C
//   0C FinObjet         nothing
//   0D Nul              nothing: a null object
//   0E Taille           an announced size (8 bytes, signed)
//
// Reading. Each reading operation expects the kind its writing counterpart
// wrote and raises EReadError ("Erreur de lecture du flux : ...") for any
// other, for a value that ends past the end of the stream, and for a count or
// size greater than what remains, refused before anything is allocated. A
// failed read leaves the stream at the position it started from.
//
// Announced sizes are checked as they are met (never negative, never beyond
// TailleAnnonceeMaximale), then passed over: nothing reads them back. An
// announced size is the size of array elements in memory, which may exceed
// the bytes that follow (a string object is larger than an empty string
// written), so the stream does not bound it. Elements give the
// records a structure for traces: a reader may mirror them, DebutElement and
// FinElement then checking the name and that an element starts or ends there;
// a reader that does not passes over them when it reads a value.
//
// Objects. Writing records the name of the object's class meta information
// (through IAvecMetaInfoClasse; an object without one raises EWriteError),
// then hands the object to the format's Serialiser. Reading finds the class
// meta information by that name (TSingletonMetaInfo::GetMetaInfoParNom), asks
// it for IInstanciateur, makes the object, hands it to the format's
// Deserialiser, and checks that the object read exactly its own records. A
// name that no meta information, or several, answers is an EReadError, as is a
// class without an instantiator. Objects nest at most ProfondeurMaximale deep,
// reading (a hostile stream must not exhaust the stack) and writing (an object
// that contains itself must not either).
//
// A formatter either writes or reads, as chosen when it is made; the
// operations of the other direction raise (EWriteError, EReadError) and leave
// the stream alone. Each value goes to the stream in one write; a failed
// object (its description raised) leaves what it had written.
//
// The value writer (GetEcrivainValeurs) writes a value described by type
// information as the record of the matching operation: an ordinal (integers,
// Booleans, characters, enumerations) of 1 byte unsigned as Octet, of 4 bytes
// unsigned as Cardinal, any other as Entier (widened with its sign); a string
// as Chaine; the GUID record as Guid; a 64-bit integer, a floating-point
// number or a set as Octets of its size. Other kinds (objects, interfaces,
// arrays, records) raise EWriteError: their values are written by their
// serializers, which know how to release and rebuild them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "objets/Classe.h"
#include "objets/I_MetaInfo.h"
#include "objets/ObjetInterfacable.h"
#include "serialisation/Flux.h"
#include "serialisation/I_EcrivainValeurs.h"
#include "serialisation/I_Formatter.h"
#include "serialisation/I_Instanciateur.h"

namespace kv {

enum class TypeSensFormateur : std::uint8_t {
  sfEcriture,
  sfLecture,
};

class TFormateurBinaire : public TObjetInterfacable, public IFormatter {
  KV_INTERFACES(TObjetInterfacable, IFormatter)
  KV_CLASSE(TFormateurBinaire, TObjetInterfacable)

 public:
  static constexpr int ProfondeurMaximale = 200;
  // The largest size an announcement may give: what an address space holds.
  static constexpr std::int64_t TailleAnnonceeMaximale = std::int64_t{1} << 47;

  // Writes to, or reads from, AFlux from its current position on. AFlux must
  // outlive the formatter. Made with automatic freeing.
  TFormateurBinaire(TFlux& AFlux, TypeSensFormateur ASens);

  TFlux& GetFlux() override;
  IEcrivainValeurs& GetEcrivainValeurs() override;

  void EcrireBooleen(bool AValeur) override;
  bool LireBooleen() override;
  void EcrireEntier(std::int32_t AValeur) override;
  std::int32_t LireEntier() override;
  void EcrireOctet(std::uint8_t AValeur) override;
  std::uint8_t LireOctet() override;
  void EcrireCardinal(std::uint32_t AValeur) override;
  std::uint32_t LireCardinal() override;
  // Raises EWriteError for a string of 2^32 units or more.
  void EcrireChaine(std::u16string_view AValeur) override;
  std::u16string LireChaine() override;
  void EcrireGuid(const TGUID& AValeur) override;
  TGUID LireGuid() override;
  // Raises EWriteError for 2^32 integers or more.
  void EcrireTableauEntiers(std::span<const std::int32_t> AValeurs) override;
  std::vector<std::int32_t> LireTableauEntiers() override;
  void EcrireOctets(const void* ASource, std::size_t ANombre) override;
  // Raises EReadError when the record holds another count than ANombre.
  void LireOctets(void* ADestination, std::size_t ANombre) override;

  // Writing: FinElement without an open element raises EWriteError.
  void DebutElement(std::u16string_view ANom) override;
  void FinElement() override;

  // A null format with an object raises EArgumentInvalide.
  void EcrireInterface(IInterface* AObjet, TypeClasseFormatSerialisation AFormat) override;
  TRef<IInterface> LireInterface(TypeClasseFormatSerialisation AFormat) override;
  void EcrireObjet(TObjetInterfacable* AObjet, TypeClasseFormatSerialisation AFormat) override;
  // The object must come from its instantiator's Instancier not freeing
  // itself; one that does cannot be handed over without a reference, and is
  // refused (Exception) and freed.
  TObjetInterfacable* LireObjet(TypeClasseFormatSerialisation AFormat) override;

  // Raises EArgumentInvalide for a negative size.
  void AnnoncerTaille(std::int64_t ATaille) override;

 protected:
  ~TFormateurBinaire() override = default;

 public:
  // The kind byte of a record (listed above).
  enum class TypeGenre : std::uint8_t;

 private:
  class TGardeLecture;
  class TGardeProfondeur;

  class TEcrivainValeurs final : public IEcrivainValeurs {
   public:
    explicit TEcrivainValeurs(TFormateurBinaire& AFormateur) noexcept : FFormateur(AFormateur) {}
    void EcrireValeur(const void* AAdresse, bool AIndirect, const TInfoType& AType) override;

   private:
    TFormateurBinaire& FFormateur;
  };

  // Writing.
  void VerifierEcriture();
  // The record buffer, emptied and started with the kind's code.
  std::vector<std::uint8_t>& Commencer(TypeGenre AGenre);
  void EcrireEnregistrement(std::vector<std::uint8_t>& AEnregistrement);
  void EcrireObjetDecrit(IInterface* AObjet, IAvecMetaInfoClasse* AAvecMetaInfo,
                         std::u16string_view ANomPourMessage,
                         TypeClasseFormatSerialisation AFormat);

  // Reading.
  void VerifierLecture();
  std::uint64_t LireNombre(std::size_t AOctets);
  std::u16string LireTexte();
  // Reads the kind byte of the next record, passing over what may be passed
  // over, and raises unless it is AAttendu or AAutre.
  TypeGenre LireGenre(TypeGenre AAttendu, TypeGenre AAutre);
  TypeGenre LireGenre(TypeGenre AAttendu) { return LireGenre(AAttendu, AAttendu); }
  // After Objet: the name, the meta information and the instantiator.
  TRef<IInstanciateur> LireInstanciateur(std::u16string& ANom);
  void LireFinObjet(const std::u16string& ANom);

  TFlux& FFlux;
  std::vector<std::uint8_t> FTampon;
  TypeSensFormateur FSens;
  int FElementsOuverts = 0;
  int FProfondeur = 0;
  TEcrivainValeurs FEcrivainValeurs{*this};
};

}  // namespace kv
