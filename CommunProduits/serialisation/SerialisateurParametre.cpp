#include "serialisation/SerialisateurParametre.h"

#include <cstring>

#include "commun/Format.h"
#include "serialisation/Flux.h"

namespace kv {

TSerialisateurParametre::TSerialisateurParametre(bool) noexcept : TObjetSerialisable(true) {}

void TSerialisateurParametre::LibererConteneur(TConteneurParametre* AConteneur,
                                               bool ALibererObjets) {
  if (!AConteneur) return;
  struct TypeGarde {
    TConteneurParametre* Conteneur;
    ~TypeGarde() { delete Conteneur; }
  } garde{AConteneur};  // destroyed even when releasing raises
  LibererValeur(AConteneur->GetAdresseValeur(), ALibererObjets);
}

std::int32_t TSerialisateurParametre::GetAlignement() { return 8; }

bool TSerialisateurParametre::GetEstGere() { return false; }

bool TSerialisateurParametre::GetEstFlottant() { return false; }

std::int32_t TSerialisateurParametre::GetNombreParametres() { return 1; }

void TSerialisateurParametre::Reserve() {}

bool TSerialisateurParametre::EstCompatibleAvec(ISerialisateurParametre* AAutre) {
  return AAutre && GetTaille() == AAutre->GetTaille() && GetAlignement() == AAutre->GetAlignement();
}

void TSerialisateurParametre::InitialiserValeur(void* AAdresse) noexcept {
  std::memset(AAdresse, 0, static_cast<std::size_t>(GetTaille()));
}

void TSerialisateurParametre::DetruireValeur(void*) noexcept {}

void TSerialisateurParametre::SerialiserPourTrace(IFormatter& AFormateur,
                                                  TypeClasseFormatSerialisation) {
  Tracer(AFormateur, u"Classe", [&] { AFormateur.EcrireChaine(ClasseObjet().GetNom()); });
}

std::int32_t TSerialisateurParametre::VerifierTailleLue(std::int64_t ATaille,
                                                        std::u16string_view AQuoi) {
  if (ATaille < 0 || ATaille > TailleMaximaleValeur) {
    throw EReadError(Formater(u"Erreur de lecture du flux : %0:s de %1:d octets hors limites.",
                              {AQuoi, static_cast<long long>(ATaille)}));
  }
  return static_cast<std::int32_t>(ATaille);
}

std::int32_t ArrondirTaille(std::int32_t ATaille) noexcept {
  if (ATaille > 7) return ATaille;
  std::int32_t taille = 1;
  while (taille < ATaille) taille *= 2;
  return taille;
}

std::int64_t AlignerSur(std::int64_t AValeur, std::int64_t AAlignement) noexcept {
  if (AAlignement <= 0) AAlignement = 1;
  return AAlignement * ((AValeur + AAlignement - 1) / AAlignement);
}

}  // namespace kv
