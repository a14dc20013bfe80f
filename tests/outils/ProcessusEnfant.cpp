#include "outils/ProcessusEnfant.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace kv::tests {
namespace {

using Horloge = std::chrono::steady_clock;

struct TypeTube {
  int Lecture = -1;
  int Ecriture = -1;
};

TypeTube OuvrirTube() {
  int extremites[2];
  if (::pipe2(extremites, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 a échoué");
  return {extremites[0], extremites[1]};
}

void Fermer(int& ADescripteur) {
  if (ADescripteur >= 0) ::close(ADescripteur);
  ADescripteur = -1;
}

std::vector<std::string> Environnement(const TypeLancement& ALancement) {
  std::map<std::string, std::string> variables;
  for (char** entree = environ; *entree != nullptr; ++entree) {
    const std::string texte(*entree);
    const std::size_t egal = texte.find('=');
    if (egal != std::string::npos) variables[texte.substr(0, egal)] = texte.substr(egal + 1);
  }
  for (const auto& [nom, valeur] : ALancement.Environnement) {
    if (valeur) {
      variables[nom] = *valeur;
    } else {
      variables.erase(nom);
    }
  }
  std::vector<std::string> resultat;
  for (const auto& [nom, valeur] : variables) resultat.push_back(nom + "=" + valeur);
  return resultat;
}

std::vector<char*> Pointeurs(std::vector<std::string>& ATextes) {
  std::vector<char*> pointeurs;
  for (std::string& texte : ATextes) pointeurs.push_back(texte.data());
  pointeurs.push_back(nullptr);
  return pointeurs;
}

// Between fork and exec: only async-signal-safe calls.
[[noreturn]] void DevenirEnfant(const TypeLancement& ALancement, const TypeTube& AEntree,
                                const TypeTube& ASortie, const TypeTube& AErreur, char** AArguments,
                                char** AEnvironnement) {
  if (ALancement.Entree == TypeLancement::TypeEntree::Fermee) {
    ::close(STDIN_FILENO);
  } else {
    ::dup2(AEntree.Lecture, STDIN_FILENO);
    if (ALancement.Entree == TypeLancement::TypeEntree::TubeNonBloquant) {
      ::fcntl(STDIN_FILENO, F_SETFL, ::fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
    }
  }
  if (ALancement.FichierSortie.empty()) {
    ::dup2(ASortie.Ecriture, STDOUT_FILENO);
  } else {
    const int fichier =
        ::open(ALancement.FichierSortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fichier < 0) ::_exit(126);
    ::dup2(fichier, STDOUT_FILENO);
  }
  ::dup2(AErreur.Ecriture, STDERR_FILENO);
  if (ALancement.SansPrivileges && ::geteuid() == 0) {
    const gid_t groupe = CompteSansPrivileges;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(groupe, groupe, groupe) != 0 ||
        ::setresuid(CompteSansPrivileges, CompteSansPrivileges, CompteSansPrivileges) != 0) {
      ::_exit(125);
    }
  }
  ::execve(ALancement.Executable.c_str(), AArguments, AEnvironnement);
  ::_exit(127);
}

class TSurveillance {
 public:
  TSurveillance(pid_t AEnfant, TypeResultat& AResultat) : FEnfant(AEnfant), FResultat(AResultat) {}

  bool Termine() {
    if (FTermine) return true;
    int statut = 0;
    if (::waitpid(FEnfant, &statut, WNOHANG) == FEnfant) {
      FTermine = true;
      if (WIFEXITED(statut)) FResultat.CodeSortie = WEXITSTATUS(statut);
      if (WIFSIGNALED(statut)) FResultat.Signal = WTERMSIG(statut);
    }
    return FTermine;
  }

  void Tuer() {
    ::kill(FEnfant, SIGKILL);
    FResultat.DelaiDepasse = true;
    while (!Termine()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

 private:
  pid_t FEnfant;
  TypeResultat& FResultat;
  bool FTermine = false;
};

int EnMillisecondes(Horloge::duration ADuree) {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(ADuree).count());
}

// Reads what is there; false at end of stream.
bool Lire(int ADescripteur, std::string& ADestination) {
  char tampon[4096];
  const ssize_t lus = ::read(ADescripteur, tampon, sizeof tampon);
  if (lus > 0) {
    ADestination.append(tampon, static_cast<std::size_t>(lus));
    return true;
  }
  return lus < 0 && errno == EINTR;
}

}  // namespace

bool EstAdministrateur() { return ::geteuid() == 0; }

TypeResultat Lancer(const TypeLancement& ALancement) {
  ::signal(SIGPIPE, SIG_IGN);  // a child that ends without reading its input
  std::vector<std::string> arguments{ALancement.Executable};
  arguments.insert(arguments.end(), ALancement.Arguments.begin(), ALancement.Arguments.end());
  std::vector<std::string> environnement = Environnement(ALancement);
  std::vector<char*> pointeursArguments = Pointeurs(arguments);
  std::vector<char*> pointeursEnvironnement = Pointeurs(environnement);

  TypeTube entree = OuvrirTube();
  TypeTube sortie = OuvrirTube();
  TypeTube erreur = OuvrirTube();
  const pid_t enfant = ::fork();
  if (enfant < 0) throw std::runtime_error("fork a échoué");
  if (enfant == 0) {
    DevenirEnfant(ALancement, entree, sortie, erreur, pointeursArguments.data(),
                  pointeursEnvironnement.data());
  }
  Fermer(entree.Lecture);
  Fermer(sortie.Ecriture);
  Fermer(erreur.Ecriture);

  TypeResultat resultat;
  TSurveillance surveillance(enfant, resultat);
  const auto debut = Horloge::now();
  const auto limite = debut + ALancement.Delai;
  const auto momentEntree = debut + ALancement.DelaiAvantEntree;
  for (;;) {
    const auto maintenant = Horloge::now();
    if (entree.Ecriture >= 0 && maintenant >= momentEntree) {
      resultat.TermineAvantEntree = surveillance.Termine();
      if (!ALancement.TexteEntree.empty()) {
        [[maybe_unused]] const ssize_t ecrits =
            ::write(entree.Ecriture, ALancement.TexteEntree.data(), ALancement.TexteEntree.size());
      }
      Fermer(entree.Ecriture);
    }
    if (maintenant >= limite) {
      surveillance.Tuer();
      break;
    }
    if (sortie.Lecture < 0 && erreur.Lecture < 0 && surveillance.Termine()) break;

    auto attente = limite - maintenant;
    if (entree.Ecriture >= 0) attente = std::min(attente, momentEntree - maintenant);
    pollfd flux[2] = {{sortie.Lecture, POLLIN, 0}, {erreur.Lecture, POLLIN, 0}};
    // With both streams closed, poll is only a short sleep while the child ends.
    const bool fluxOuverts = sortie.Lecture >= 0 || erreur.Lecture >= 0;
    if (::poll(flux, 2, fluxOuverts ? EnMillisecondes(attente) + 1 : 1) > 0) {
      if (flux[0].revents != 0 && !Lire(sortie.Lecture, resultat.Sortie)) Fermer(sortie.Lecture);
      if (flux[1].revents != 0 && !Lire(erreur.Lecture, resultat.Erreur)) Fermer(erreur.Lecture);
    }
  }
  Fermer(entree.Ecriture);
  Fermer(sortie.Lecture);
  Fermer(erreur.Lecture);
  return resultat;
}

}  // namespace kv::tests
