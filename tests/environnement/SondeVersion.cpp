// Prints, one line each, what three calls of the version functions answer in a
// program that has no version record. Argument: "connue" to ask
// VersionExecutableConnue first (twice), else VersionExecutable first.

#include <cstring>
#include <iostream>
#include <string>

#include "environnement/VersionFichier.h"
#include "plateforme/Texte.h"

namespace {

std::string Connue() { return kv::VersionExecutableConnue() ? "connue" : "inconnue"; }

std::string Version() {
  return "version [" + kv::plateforme::VersUtf8(kv::VersionExecutable().EnChaine()) + "]";
}

void Afficher(std::string (*AAppel)()) {
  try {
    std::cout << AAppel() << '\n';
  } catch (const kv::Exception& e) {
    std::cout << kv::plateforme::VersUtf8(e.NomClasse()) << " : "
              << kv::plateforme::VersUtf8(e.Message()) << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool connueDAbord = argc > 1 && std::strcmp(argv[1], "connue") == 0;
  std::string (*premier)() = connueDAbord ? &Connue : &Version;
  Afficher(premier);
  Afficher(premier);
  Afficher(connueDAbord ? &Version : &Connue);
  return 0;
}
