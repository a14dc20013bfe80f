#pragma once

// The description of one parameter of a described method, or of one part of
// a composite parameter: a record field, the element or the index of an
// array. It names the value, places it (an offset in the call frame or in the
// record), tells how it travels and holds the serializer of its type.

#include <cstdint>
#include <string>
#include <string_view>

#include "objets/ObjetInterfacable.h"
#include "objets/Reference.h"
#include "serialisation/ConteneurParametre.h"
#include "serialisation/I_FormatSerialisation.h"
#include "serialisation/I_SerialisateurParametre.h"
#include "serialisation/ModesParametre.h"

namespace kv {

// Made without automatic freeing: the list that holds it frees it
// (TypeListeInfoParametresServiceInvocable::Vider).
//
// The forwarders hand the operations to the serializer, with every
// ALibererObjets passed on as ALibererObjets and not NePasLibererLaValeur;
// without a serializer they raise Exception.
class TInfoParametreServiceInvocable : public TObjetInterfacable,
                                       public IFSTout,
                                       public IFSSerialisationGeneriqueV1,
                                       public IFSSerialisationGeneriqueV1SousParametre,
                                       public IFSPourTrace {
  KV_INTERFACES(TObjetInterfacable, IFSTout, IFSSerialisationGeneriqueV1,
                IFSSerialisationGeneriqueV1SousParametre, IFSPourTrace)
  KV_CLASSE(TInfoParametreServiceInvocable, TObjetInterfacable)

 public:
  TInfoParametreServiceInvocable() noexcept : TObjetInterfacable(false) {}

  // "Result" for a function result; the field name in a record; "Elements"
  // or "Elements.@Indice" in an array.
  const std::u16string& GetNom() const noexcept { return FNom; }
  void SetNom(std::u16string_view ANom) { FNom = ANom; }
  // Offset of the slot in the call frame, or of the field in the record.
  std::int32_t GetOffset() const noexcept { return FOffset; }
  void SetOffset(std::int32_t AOffset) noexcept { FOffset = AOffset; }
  // The modes declared, and those in force.
  TypeModesParametre GetModesAPriori() const noexcept { return FModesAPriori; }
  void SetModesAPriori(TypeModesParametre AModes) noexcept { FModesAPriori = AModes; }
  TypeModesParametre GetModes() const noexcept { return FModes; }
  void SetModes(TypeModesParametre AModes) noexcept { FModes = AModes; }
  // Objects held by the value are never freed through this description.
  bool GetNePasLibererLaValeur() const noexcept { return FNePasLibererLaValeur; }
  void SetNePasLibererLaValeur(bool AValeur) noexcept { FNePasLibererLaValeur = AValeur; }
  // Stands for a succession of values (the elements of an array).
  bool GetPlusieursParametres() const noexcept { return FPlusieursParametres; }
  void SetPlusieursParametres(bool AValeur) noexcept { FPlusieursParametres = AValeur; }
  // The index pseudo-parameter of an array.
  bool GetEstIndice() const noexcept { return FEstIndice; }
  void SetEstIndice(bool AValeur) noexcept { FEstIndice = AValeur; }

  // The serializer; null when the type has none.
  const TRef<ISerialisateurParametre>& GetSerialisateur() const noexcept { return FSerialisateur; }
  // Replaces the serializer: refused with Exception ("Les types sérialisateurs
  // de paramètres sont incompatibles."), keeping the present one, when both
  // are set and ASerialisateur is not compatible with the present one. A
  // first assignment, or null, is never refused.
  void SetSerialisateur(TRef<ISerialisateurParametre> ASerialisateur);

  // Forwarders. CreerConteneur names the container after the description.
  TConteneurParametre* CreerConteneur();
  void LibererConteneur(TConteneurParametre* AConteneur, bool ALibererObjets);
  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets);
  void LibererValeur(void* AAdresse, bool ALibererObjets);
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace);
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace);
  void InitialiserValeur(void* AAdresse);
  void DetruireValeur(void* AAdresse);
  std::int32_t GetTaille();
  std::int32_t GetAlignement();
  bool GetEstGere();
  std::int32_t GetNombreParametres();

  // GetTaille rounded up to a multiple of 8.
  std::int32_t GetTailleSurPile();
  // GetTaille is 1, 2, 3 or 4.
  bool GetPasseEnRegistre32();
  // GetTaille is 1, 2, 4 or 8.
  bool GetPasseEnRegistre64();
  // GetPasseEnRegistre64 and not GetEstGere.
  bool GetRetourParRegistre();
  // Not passed by reference, and the serializer's values are floating-point.
  bool GetEstFlottantEnRegistre();

  // IFSTout: Nom, ModesAPriori (byte), the serializer as an interface,
  // NePasLibererLaValeur, PlusieursParametres.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // IFSSerialisationGeneriqueV1: Nom, Offset - 8 (0 for 0), Modes (byte), the
  // serializer, NePasLibererLaValeur, PlusieursParametres. Reading puts the
  // byte into ModesAPriori and drops the offset.
  void SerialiserGeneriqueV1(IFormatter& AFormateur,
                             TypeClasseFormatSerialisation AFormat) override;
  void DeserialiserGeneriqueV1(IFormatter& AFormateur,
                               TypeClasseFormatSerialisation AFormat) override;
  // IFSSerialisationGeneriqueV1SousParametre: the same with the offset as it is.
  void SerialiserSousParametre(IFormatter& AFormateur,
                               TypeClasseFormatSerialisation AFormat) override;
  void DeserialiserSousParametre(IFormatter& AFormateur,
                                 TypeClasseFormatSerialisation AFormat) override;
  // Elements "Classe", "Nom", "Offset", "ModesAPriori" and "Modes" (one
  // "Mode" element per mode, holding the TypeModeParametre value written by
  // the formatter's value writer), "Serialisateur"
  // (the serializer's own trace), "NePasLibererLaValeur",
  // "PlusieursParametres".
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TInfoParametreServiceInvocable() override = default;

 private:
  ISerialisateurParametre& Serialisateur() const;
  bool LibererObjetsTransmis(bool ALibererObjets) const noexcept {
    return ALibererObjets && !FNePasLibererLaValeur;
  }
  void EcrireGenerique(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat,
                       std::int32_t AOffset);
  void LireGenerique(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat);
  void LireSerialisateur(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat);

  std::u16string FNom;
  std::int32_t FOffset = 0;
  TypeModesParametre FModesAPriori = 0;
  TypeModesParametre FModes = 0;
  TRef<ISerialisateurParametre> FSerialisateur;
  bool FNePasLibererLaValeur = false;
  bool FPlusieursParametres = false;
  bool FEstIndice = false;
};

}  // namespace kv
