#include "application/PointEntree.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <typeinfo>

#include "commun/Exception.h"
#include "plateforme/Console.h"
#include "plateforme/NomsTypes.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

std::u16string Hexadecimal(const void* AAdresse) {
  constexpr char16_t Chiffres[] = u"0123456789ABCDEF";
  auto valeur = reinterpret_cast<std::uintptr_t>(AAdresse);
  std::u16string texte(2 * sizeof valeur, u'0');
  for (auto chiffre = texte.rbegin(); chiffre != texte.rend(); ++chiffre, valeur >>= 4) {
    *chiffre = Chiffres[valeur & 0xF];
  }
  return u"0x" + texte;
}

std::u16string Description(std::u16string_view AClasse, const void* AAdresse,
                           std::u16string_view AMessage) {
  std::u16string ligne(u"Erreur fatale [");
  ligne.append(AClasse).append(u"] à l'adresse ").append(Hexadecimal(AAdresse));
  ligne.append(u" : ").append(AMessage);
  return ligne;
}

std::u16string Decrire(const std::exception_ptr& AException) {
  try {
    std::rethrow_exception(AException);
  } catch (const Exception& exception) {
    return Description(exception.NomClasse(), &exception, exception.Message());
  } catch (const std::exception& exception) {
    return Description(plateforme::NomTypeLisible(typeid(exception)), &exception,
                       plateforme::DepuisUtf8(exception.what()));
  } catch (...) {
    return u"Erreur fatale : exception d'un type inconnu.";
  }
}

// Reached by an exception that leaves a destructor or any other noexcept code.
[[noreturn]] void TerminaisonAnormale() {
  if (const std::exception_ptr exception = std::current_exception()) {
    TPointEntree::DecrireExceptionFatale(exception);
  } else {
    plateforme::EcrireLigneErreur(u"Erreur fatale : arrêt anormal du programme.");
  }
  std::_Exit(1);
}

}  // namespace

void TPointEntree::DecrireExceptionFatale(const std::exception_ptr& AException) noexcept {
  try {
    plateforme::EcrireLigneErreur(Decrire(AException));
  } catch (...) {
    plateforme::EcrireLigneErreur(u"Erreur fatale.");
  }
}

int TPointEntree::Executer(TypeCreationApplication ACreerApplication) {
  std::set_terminate(&TerminaisonAnormale);
  plateforme::PreparerFluxStandard();
  try {
    const std::unique_ptr<TApplicationKorvel> application = ACreerApplication();
    if (application) application->Execute();
  } catch (...) {
    DecrireExceptionFatale(std::current_exception());
    DefinirCodeSortie(1);
  }
  return CodeSortie();
}

}  // namespace kv
