#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "commun/Exception.h"
#include "plateforme/Console.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

// False with errno set when the bytes could not all be written.
bool EcrireTout(int ADescripteur, std::string_view AOctets) {
  while (!AOctets.empty()) {
    const ssize_t ecrits = ::write(ADescripteur, AOctets.data(), AOctets.size());
    if (ecrits < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    AOctets.remove_prefix(static_cast<std::size_t>(ecrits));
  }
  return true;
}

std::string Ligne(std::u16string_view ATexte) {
  std::string ligne = VersUtf8(ATexte);
  ligne += '\n';
  return ligne;
}

// Waits without spinning when standard input was left non-blocking.
bool AttendreEntree() {
  pollfd attente{STDIN_FILENO, POLLIN, 0};
  int resultat;
  do {
    resultat = ::poll(&attente, 1, -1);
  } while (resultat < 0 && errno == EINTR);
  return resultat > 0;
}

}  // namespace

void PreparerFluxStandard() { ::signal(SIGPIPE, SIG_IGN); }

void EcrireLigneSortie(std::u16string_view ALigne) {
  if (EcrireTout(STDOUT_FILENO, Ligne(ALigne))) return;
  const int code = DerniereErreurSysteme();
  throw EInOutError(u"Échec de l'écriture sur la sortie standard : " + MessageErreurSysteme(code));
}

void EcrireLigneErreur(std::u16string_view ALigne) noexcept {
  try {
    EcrireTout(STDERR_FILENO, Ligne(ALigne));
  } catch (...) {
    // Out of memory while converting: nothing is left to report with.
  }
}

void IgnorerLigneEntree() {
  char octet;
  for (;;) {
    const ssize_t lus = ::read(STDIN_FILENO, &octet, 1);
    if (lus == 1) {
      if (octet == '\n') return;
      continue;
    }
    if (lus < 0 && errno == EINTR) continue;
    if (lus < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && AttendreEntree()) continue;
    return;  // end of input or a failure: either way nobody is left to press Enter
  }
}

}  // namespace kv::plateforme
