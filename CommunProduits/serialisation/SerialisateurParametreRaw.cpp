#include "serialisation/SerialisateurParametreRaw.h"

#include <cstring>

namespace kv {

TSerialisateurParametreRaw::TSerialisateurParametreRaw(std::int32_t ATailleUtile,
                                                       std::int32_t AAlignement) noexcept
    : TSerialisateurParametre(true),
      FTailleUtile(ATailleUtile),
      FTaille(ArrondirTaille(ATailleUtile)),
      FAlignement(AAlignement == -1 ? ATailleUtile : AAlignement) {}

TConteneurParametre* TSerialisateurParametreRaw::CreerConteneur(std::u16string_view ANom) {
  return new TConteneurParametreRaw(ANom, FTaille);
}

void TSerialisateurParametreRaw::CopierValeur(const void* ASource, void* ADestination, bool) {
  std::memmove(ADestination, ASource, static_cast<std::size_t>(FTaille));
}

void TSerialisateurParametreRaw::LibererValeur(void* AAdresse, bool) {
  std::memset(AAdresse, 0, static_cast<std::size_t>(FTaille));
}

void TSerialisateurParametreRaw::SerialiserValeur(TConteneurParametre* AConteneur,
                                                  IFormatter& AFormateur,
                                                  TypeClasseFormatSerialisation, bool) {
  AFormateur.EcrireOctets(AConteneur->GetAdresseValeur(), static_cast<std::size_t>(FTailleUtile));
}

void TSerialisateurParametreRaw::DeserialiserValeur(TConteneurParametre* AConteneur,
                                                    IFormatter& AFormateur,
                                                    TypeClasseFormatSerialisation, bool) {
  auto* octets = static_cast<unsigned char*>(AConteneur->GetAdresseValeur());
  AFormateur.LireOctets(octets, static_cast<std::size_t>(FTailleUtile));
  std::memset(octets + FTailleUtile, 0, static_cast<std::size_t>(FTaille - FTailleUtile));
}

std::int32_t TSerialisateurParametreRaw::GetTaille() { return FTaille; }

std::int32_t TSerialisateurParametreRaw::GetAlignement() { return FAlignement; }

void TSerialisateurParametreRaw::Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation) {
  AFormateur.EcrireEntier(FTailleUtile);
  AFormateur.EcrireEntier(FAlignement);
}

void TSerialisateurParametreRaw::Deserialiser(IFormatter& AFormateur,
                                              TypeClasseFormatSerialisation) {
  const std::int32_t tailleUtile = VerifierTailleLue(AFormateur.LireEntier(), u"valeur brute");
  const std::int32_t alignement = VerifierTailleLue(AFormateur.LireEntier(), u"alignement");
  FTailleUtile = tailleUtile;
  FTaille = ArrondirTaille(tailleUtile);
  FAlignement = alignement;
}

void TSerialisateurParametreRaw::SerialiserGeneriqueV1(IFormatter& AFormateur,
                                                       TypeClasseFormatSerialisation) {
  AFormateur.EcrireEntier(FTailleUtile);
}

void TSerialisateurParametreRaw::DeserialiserGeneriqueV1(IFormatter& AFormateur,
                                                         TypeClasseFormatSerialisation) {
  FTailleUtile = VerifierTailleLue(AFormateur.LireEntier(), u"valeur brute");
  FTaille = ArrondirTaille(FTailleUtile);
  FAlignement = FTaille;
}

void TSerialisateurParametreRaw::SerialiserPourTrace(IFormatter& AFormateur,
                                                     TypeClasseFormatSerialisation AFormat) {
  TSerialisateurParametre::SerialiserPourTrace(AFormateur, AFormat);
  Tracer(AFormateur, u"TailleUtile", [&] { AFormateur.EcrireEntier(FTailleUtile); });
  Tracer(AFormateur, u"Taille", [&] { AFormateur.EcrireEntier(FTaille); });
  Tracer(AFormateur, u"Alignement", [&] { AFormateur.EcrireEntier(FAlignement); });
}

bool TSerialisateurParametreFlottant::GetEstFlottant() { return true; }

}  // namespace kv
