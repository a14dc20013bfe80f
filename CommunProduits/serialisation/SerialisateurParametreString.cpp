#include "serialisation/SerialisateurParametreString.h"

#include <memory>
#include <new>

namespace kv {
namespace {

std::u16string& Valeur(void* AAdresse) noexcept {
  return *std::launder(static_cast<std::u16string*>(AAdresse));
}

}  // namespace

TConteneurParametre* TSerialisateurParametreString::CreerConteneur(std::u16string_view ANom) {
  return new TConteneurParametreString(ANom);
}

void TSerialisateurParametreString::CopierValeur(const void* ASource, void* ADestination, bool) {
  Valeur(ADestination) = *std::launder(static_cast<const std::u16string*>(ASource));
}

void TSerialisateurParametreString::LibererValeur(void* AAdresse, bool) {
  std::u16string().swap(Valeur(AAdresse));
}

void TSerialisateurParametreString::SerialiserValeur(TConteneurParametre* AConteneur,
                                                     IFormatter& AFormateur,
                                                     TypeClasseFormatSerialisation, bool) {
  AFormateur.EcrireChaine(Valeur(AConteneur->GetAdresseValeur()));
}

void TSerialisateurParametreString::DeserialiserValeur(TConteneurParametre* AConteneur,
                                                       IFormatter& AFormateur,
                                                       TypeClasseFormatSerialisation, bool) {
  Valeur(AConteneur->GetAdresseValeur()) = AFormateur.LireChaine();
}

std::int32_t TSerialisateurParametreString::GetTaille() {
  return static_cast<std::int32_t>(sizeof(std::u16string));
}

std::int32_t TSerialisateurParametreString::GetAlignement() {
  return static_cast<std::int32_t>(alignof(std::u16string));
}

bool TSerialisateurParametreString::GetEstGere() { return true; }

void TSerialisateurParametreString::InitialiserValeur(void* AAdresse) noexcept {
  ::new (AAdresse) std::u16string();
}

void TSerialisateurParametreString::DetruireValeur(void* AAdresse) noexcept {
  std::destroy_at(&Valeur(AAdresse));
}

}  // namespace kv
