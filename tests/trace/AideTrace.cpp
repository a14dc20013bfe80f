// Another process for the trace tests:
//   ecrire <fichier> <etiquette> <nombre> <depart>
//       once the file <depart> exists, writes <nombre> lines through a trace
//   verrouiller <fichier> <marqueur> <millisecondes>
//       locks the file as a trace writer does, creates <marqueur>, waits, then
//       appends "enfant" and lets the file go
//   finir <fichier>
//       leaves traces alive at the end, for the late finalisation phase

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "plateforme/Texte.h"
#include "trace/TraceSimple.h"

namespace {

using kv::TTraceSimple;
using kv::plateforme::DepuisUtf8;

bool AttendreFichier(const char* AChemin) {
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!std::filesystem::exists(AChemin)) {
    if (std::chrono::steady_clock::now() > limite) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

int Ecrire(const char* AFichier, const char* AEtiquette, int ANombre, const char* ADepart) {
  TTraceSimple trace(u"aide", DepuisUtf8(AFichier), false, 1, false);
  trace.Activer(1);
  const std::u16string etiquette = DepuisUtf8(AEtiquette);
  const std::u16string remplissage(150, u'x');
  if (!AttendreFichier(ADepart)) return 3;
  for (int i = 0; i < ANombre; ++i) {
    trace.Tracer(etiquette + u" " + DepuisUtf8(std::to_string(i)) + u" " + remplissage, 1);
  }
  return 0;
}

int Verrouiller(const char* AFichier, const char* AMarqueur, int AMillisecondes) {
  const int fichier = ::open(AFichier, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fichier < 0 || ::flock(fichier, LOCK_EX) != 0) return 3;
  const int marqueur = ::open(AMarqueur, O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  if (marqueur < 0) return 4;
  ::close(marqueur);
  std::this_thread::sleep_for(std::chrono::milliseconds(AMillisecondes));
  constexpr std::string_view ligne = "enfant\r\n";
  if (::write(fichier, ligne.data(), ligne.size()) != static_cast<ssize_t>(ligne.size())) return 5;
  ::flock(fichier, LOCK_UN);
  ::close(fichier);
  return 0;
}

int Finir(const char* AFichier) {
  const std::u16string fichier = DepuisUtf8(AFichier);
  auto* a = new TTraceSimple(u"a", fichier, false, 1, true);
  a->Activer(1);
  auto* b = new TTraceSimple(u"b", fichier, false, 1, true);
  b->Indenter();
  b->Activer(2);
  auto* c = new TTraceSimple(u"c", fichier, false, 1, true);
  c->Activer(1);
  delete c;
  // Destroyed with the static objects, before the late phase: it must have
  // left the list by then.
  static TTraceSimple statique(u"s", fichier, false, 1, true);
  statique.Indenter();
  statique.Indenter();
  statique.Activer(3);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "ecrire" && argc == 6) return Ecrire(argv[2], argv[3], std::stoi(argv[4]), argv[5]);
  if (mode == "verrouiller" && argc == 5) return Verrouiller(argv[2], argv[3], std::stoi(argv[4]));
  if (mode == "finir" && argc == 3) return Finir(argv[2]);
  return 2;
}
