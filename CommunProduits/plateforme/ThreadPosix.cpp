#include <dlfcn.h>
#include <pthread.h>
#include <sys/prctl.h>

#include <fstream>
#include <string>

#include "plateforme/Texte.h"
#include "plateforme/Thread.h"

namespace kv::plateforme {
namespace {

// The kernel keeps at most 15 bytes of a thread name; cut on a character
// boundary so that the kept part stays valid UTF-8.
std::string NomNoyau(std::u16string_view ANom) {
  constexpr std::size_t Maximum = 15;
  std::string nom = VersUtf8(ANom);
  if (nom.size() <= Maximum) return nom;
  std::size_t fin = Maximum;
  while (fin > 0 && (static_cast<unsigned char>(nom[fin]) & 0xC0) == 0x80) --fin;
  nom.resize(fin);
  return nom;
}

using TypeNommerThread = int (*)(pthread_t, const char*);

}  // namespace

bool DebogueurPresent() {
  std::ifstream etat("/proc/self/status");
  std::string ligne;
  while (std::getline(etat, ligne)) {
    if (ligne.rfind("TracerPid:", 0) == 0) {
      return ligne.find_first_not_of("0 \t", sizeof "TracerPid:" - 1) != std::string::npos;
    }
  }
  return false;
}

// Debuggers read thread names from the kernel, so telling the kernel is how a
// debugger hears of it on this machine.
void AnnoncerNomThreadAuDebogueur(std::u16string_view ANom) {
  ::prctl(PR_SET_NAME, NomNoyau(ANom).c_str(), 0, 0, 0);
}

TFonctionDescriptionThread TFonctionDescriptionThread::Chercher() {
  TFonctionDescriptionThread fonction;
  fonction.FAdresse = ::dlsym(RTLD_DEFAULT, "pthread_setname_np");
  return fonction;
}

void TFonctionDescriptionThread::DecrireThreadCourant(std::u16string_view ANom) const {
  if (FAdresse == nullptr) return;
  const auto nommer = reinterpret_cast<TypeNommerThread>(FAdresse);
  nommer(::pthread_self(), NomNoyau(ANom).c_str());
}

}  // namespace kv::plateforme
