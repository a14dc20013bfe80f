// A console application that says on standard output which phases ran and
// fails where its first argument says: one or more of "initialisation",
// "traitement", "finalisation" joined by "+", or "etrangere" (processing raises
// an exception that is not a kv::Exception), "constructeur", "destructeur".

#include <memory>
#include <stdexcept>
#include <string>

#include "application/ApplicationKorvelConsole.h"
#include "application/PointEntree.h"
#include "commun/Exception.h"
#include "plateforme/Console.h"

namespace {

KV_DECLARER_EXCEPTION(EPanneInjectee, kv::Exception);

std::string Pannes;

bool EnPanne(const std::string& APhase) {
  return ("+" + Pannes + "+").find("+" + APhase + "+") != std::string::npos;
}

void Etape(const std::string& APhase, std::u16string_view ATrace) {
  kv::plateforme::EcrireLigneSortie(ATrace);
  if (EnPanne(APhase)) throw EPanneInjectee(u"panne injectée en " + std::u16string(ATrace));
}

class TApplicationPhases final : public kv::TApplicationKorvelConsole {
 public:
  TApplicationPhases() {
    if (EnPanne("constructeur")) throw EPanneInjectee(u"construction impossible");
  }
  // An exception leaving a destructor ends the program through the last-chance
  // handler.
  ~TApplicationPhases() override { Etape("destructeur", u"destruction"); }

 protected:
  void Initialiser() override {
    TApplicationKorvelConsole::Initialiser();
    Etape("initialisation", u"initialisation");
  }
  void Traiter() override {
    Etape("traitement", u"traitement");
    if (EnPanne("etrangere")) throw std::runtime_error("hors du cadre");
  }
  void Finaliser() override {
    Etape("finalisation", u"finalisation");
    TApplicationKorvelConsole::Finaliser();
  }
};

std::unique_ptr<kv::TApplicationKorvel> Creer() { return std::make_unique<TApplicationPhases>(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) Pannes = argv[1];
  return kv::TPointEntree::Executer(&Creer);
}
