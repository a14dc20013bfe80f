#include "application/ApplicationKorvelConsole.h"

#include <string>

#include "application/PointEntree.h"
#include "plateforme/Console.h"

namespace kv {
namespace {

void Rapporter(std::u16string_view APrefixe, std::u16string_view AClasseException,
               std::u16string_view AMessage, int ACodeSortie) {
  std::u16string ligne(APrefixe);
  ligne.append(AClasseException).append(u"] ").append(AMessage);
  plateforme::EcrireLigneErreur(ligne);
  TPointEntree::DefinirCodeSortie(ACodeSortie);
}

}  // namespace

void TApplicationKorvelConsole::EchecInitialisation(std::u16string_view AClasseException,
                                                    std::u16string_view AMessage) {
  Rapporter(u"Échec à l'initialisation - [", AClasseException, AMessage, 1);
}

void TApplicationKorvelConsole::EchecTraitement(std::u16string_view AClasseException,
                                                std::u16string_view AMessage) {
  Rapporter(u"Échec - [", AClasseException, AMessage, 2);
}

void TApplicationKorvelConsole::EchecFinalisation(std::u16string_view AClasseException,
                                                  std::u16string_view AMessage) {
  Rapporter(u"Échec à la finalisation - [", AClasseException, AMessage, 3);
}

}  // namespace kv
