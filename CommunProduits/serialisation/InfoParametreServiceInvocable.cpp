#include "serialisation/InfoParametreServiceInvocable.h"

#include "commun/Format.h"
#include "objets/ConversionInterface.h"
#include "objets/DescriptionType.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/I_EcrivainValeurs.h"
#include "serialisation/TraceElement.h"

namespace kv {
namespace {

// One "Mode" element per mode of the set, each written as a TypeModeParametre
// value through the formatter's value writer.
void TracerModes(IFormatter& AFormateur, std::u16string_view AElement, TypeModesParametre AModes) {
  Tracer(AFormateur, AElement, [&] {
    for (unsigned i = 0; i < 8; ++i) {
      const auto mode = static_cast<TypeModeParametre>(i);
      if (!ContientMode(AModes, mode)) continue;
      Tracer(AFormateur, u"Mode", [&] {
        AFormateur.GetEcrivainValeurs().EcrireValeur(&mode, false, InfoTypeDe<TypeModeParametre>());
      });
    }
  });
}

}  // namespace

void TInfoParametreServiceInvocable::SetSerialisateur(
    TRef<ISerialisateurParametre> ASerialisateur) {
  if (ASerialisateur && FSerialisateur &&
      !ASerialisateur->EstCompatibleAvec(FSerialisateur.Get())) {
    throw Exception(u"Les types sérialisateurs de paramètres sont incompatibles.");
  }
  FSerialisateur = std::move(ASerialisateur);
}

ISerialisateurParametre& TInfoParametreServiceInvocable::Serialisateur() const {
  if (!FSerialisateur) {
    throw Exception(
        Formater(u"Erreur interne : le paramètre « %0:s » n'a pas de sérialisateur.", {FNom}));
  }
  return *FSerialisateur;
}

TConteneurParametre* TInfoParametreServiceInvocable::CreerConteneur() {
  return Serialisateur().CreerConteneur(FNom);
}

void TInfoParametreServiceInvocable::LibererConteneur(TConteneurParametre* AConteneur,
                                                      bool ALibererObjets) {
  Serialisateur().LibererConteneur(AConteneur, LibererObjetsTransmis(ALibererObjets));
}

void TInfoParametreServiceInvocable::CopierValeur(const void* ASource, void* ADestination,
                                                  bool ALibererObjets) {
  Serialisateur().CopierValeur(ASource, ADestination, LibererObjetsTransmis(ALibererObjets));
}

void TInfoParametreServiceInvocable::LibererValeur(void* AAdresse, bool ALibererObjets) {
  Serialisateur().LibererValeur(AAdresse, LibererObjetsTransmis(ALibererObjets));
}

void TInfoParametreServiceInvocable::SerialiserValeur(TConteneurParametre* AConteneur,
                                                      IFormatter& AFormateur,
                                                      TypeClasseFormatSerialisation AFormat,
                                                      bool AEnPlace) {
  Serialisateur().SerialiserValeur(AConteneur, AFormateur, AFormat, AEnPlace);
}

void TInfoParametreServiceInvocable::DeserialiserValeur(TConteneurParametre* AConteneur,
                                                        IFormatter& AFormateur,
                                                        TypeClasseFormatSerialisation AFormat,
                                                        bool AEnPlace) {
  Serialisateur().DeserialiserValeur(AConteneur, AFormateur, AFormat, AEnPlace);
}

void TInfoParametreServiceInvocable::InitialiserValeur(void* AAdresse) {
  Serialisateur().InitialiserValeur(AAdresse);
}

void TInfoParametreServiceInvocable::DetruireValeur(void* AAdresse) {
  Serialisateur().DetruireValeur(AAdresse);
}

std::int32_t TInfoParametreServiceInvocable::GetTaille() { return Serialisateur().GetTaille(); }

std::int32_t TInfoParametreServiceInvocable::GetAlignement() {
  return Serialisateur().GetAlignement();
}

bool TInfoParametreServiceInvocable::GetEstGere() { return Serialisateur().GetEstGere(); }

std::int32_t TInfoParametreServiceInvocable::GetNombreParametres() {
  return Serialisateur().GetNombreParametres();
}

std::int32_t TInfoParametreServiceInvocable::GetTailleSurPile() {
  return static_cast<std::int32_t>((static_cast<std::int64_t>(GetTaille()) + 7) / 8 * 8);
}

bool TInfoParametreServiceInvocable::GetPasseEnRegistre32() {
  const std::int32_t taille = GetTaille();
  return taille >= 1 && taille <= 4;
}

bool TInfoParametreServiceInvocable::GetPasseEnRegistre64() {
  const std::int32_t taille = GetTaille();
  return taille == 1 || taille == 2 || taille == 4 || taille == 8;
}

bool TInfoParametreServiceInvocable::GetRetourParRegistre() {
  return GetPasseEnRegistre64() && !GetEstGere();
}

bool TInfoParametreServiceInvocable::GetEstFlottantEnRegistre() {
  return !ContientMode(FModes, TypeModeParametre::mpParReference) &&
         Serialisateur().GetEstFlottant();
}

void TInfoParametreServiceInvocable::LireSerialisateur(IFormatter& AFormateur,
                                                       TypeClasseFormatSerialisation AFormat) {
  TRef<IInterface> lu = AFormateur.LireInterface(AFormat);
  // A description without a serializer is one of a type that has none; any
  // other object read must be a serializer. Stored without the replacement
  // rule: the description is being rebuilt.
  FSerialisateur = lu ? Convertir<ISerialisateurParametre>(lu.Get()) : nullptr;
}

void TInfoParametreServiceInvocable::Serialiser(IFormatter& AFormateur,
                                                TypeClasseFormatSerialisation AFormat) {
  AFormateur.EcrireChaine(FNom);
  AFormateur.EcrireOctet(FModesAPriori);
  AFormateur.EcrireInterface(FSerialisateur.Get(), AFormat);
  AFormateur.EcrireBooleen(FNePasLibererLaValeur);
  AFormateur.EcrireBooleen(FPlusieursParametres);
}

void TInfoParametreServiceInvocable::Deserialiser(IFormatter& AFormateur,
                                                  TypeClasseFormatSerialisation AFormat) {
  FNom = AFormateur.LireChaine();
  FModesAPriori = AFormateur.LireOctet();
  LireSerialisateur(AFormateur, AFormat);
  FNePasLibererLaValeur = AFormateur.LireBooleen();
  FPlusieursParametres = AFormateur.LireBooleen();
}

void TInfoParametreServiceInvocable::EcrireGenerique(IFormatter& AFormateur,
                                                     TypeClasseFormatSerialisation AFormat,
                                                     std::int32_t AOffset) {
  AFormateur.EcrireChaine(FNom);
  AFormateur.EcrireEntier(AOffset);
  AFormateur.EcrireOctet(FModes);
  AFormateur.EcrireInterface(FSerialisateur.Get(), AFormat);
  AFormateur.EcrireBooleen(FNePasLibererLaValeur);
  AFormateur.EcrireBooleen(FPlusieursParametres);
}

void TInfoParametreServiceInvocable::LireGenerique(IFormatter& AFormateur,
                                                   TypeClasseFormatSerialisation AFormat) {
  FNom = AFormateur.LireChaine();
  AFormateur.LireEntier();  // the offset: the reader lays the values out again
  FModesAPriori = AFormateur.LireOctet();
  LireSerialisateur(AFormateur, AFormat);
  FNePasLibererLaValeur = AFormateur.LireBooleen();
  FPlusieursParametres = AFormateur.LireBooleen();
}

void TInfoParametreServiceInvocable::SerialiserGeneriqueV1(IFormatter& AFormateur,
                                                           TypeClasseFormatSerialisation AFormat) {
  // Wrapping subtraction: a frame offset is never near the limit, and a
  // record field's offset goes through the other format.
  const std::int32_t offset =
      FOffset == 0 ? 0 : static_cast<std::int32_t>(static_cast<std::uint32_t>(FOffset) - 8u);
  EcrireGenerique(AFormateur, AFormat, offset);
}

void TInfoParametreServiceInvocable::DeserialiserGeneriqueV1(
    IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) {
  LireGenerique(AFormateur, AFormat);
}

void TInfoParametreServiceInvocable::SerialiserSousParametre(
    IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) {
  EcrireGenerique(AFormateur, AFormat, FOffset);
}

void TInfoParametreServiceInvocable::DeserialiserSousParametre(
    IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) {
  LireGenerique(AFormateur, AFormat);
}

void TInfoParametreServiceInvocable::SerialiserPourTrace(IFormatter& AFormateur,
                                                         TypeClasseFormatSerialisation AFormat) {
  Tracer(AFormateur, u"Classe", [&] { AFormateur.EcrireChaine(ClasseObjet().GetNom()); });
  Tracer(AFormateur, u"Nom", [&] { AFormateur.EcrireChaine(FNom); });
  Tracer(AFormateur, u"Offset", [&] { AFormateur.EcrireEntier(FOffset); });
  TracerModes(AFormateur, u"ModesAPriori", FModesAPriori);
  TracerModes(AFormateur, u"Modes", FModes);
  Tracer(AFormateur, u"Serialisateur", [&] {
    if (auto trace = Interroger<IFSPourTrace>(FSerialisateur)) {
      trace->SerialiserPourTrace(AFormateur, AFormat);
    }
  });
  Tracer(AFormateur, u"NePasLibererLaValeur",
         [&] { AFormateur.EcrireBooleen(FNePasLibererLaValeur); });
  Tracer(AFormateur, u"PlusieursParametres",
         [&] { AFormateur.EcrireBooleen(FPlusieursParametres); });
}

}  // namespace kv
