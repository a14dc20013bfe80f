// The special folders, the overrides and the parameter stores as a fresh
// process sees them, for the tests to run as a child: the command line (and
// its option "instance") is the child's own, and what it reads comes from the
// files, not from the parent's memory. One command a run:
//   dossier <root> <level> <options> <sub-folder>   GetDossier's answer
//   surcharges                                      what LireSurcharges reads
//   ecriture-limitee <bytes>                        saves a large parameter
//       document with the file size limited to <bytes>
// A framework exception is printed as "<class>: <message>" and ends with exit
// code 1.

#include <signal.h>
#include <sys/resource.h>

#include <iostream>
#include <string>

#include "environnement/ImplDossierSpecial.h"
#include "environnement/ImplPersistanceParametresXml.h"
#include "environnement/ImplSurchargeRepertoiresWindows.h"
#include "environnement/InformationEssai.h"
#include "plateforme/Texte.h"

namespace {

using namespace kv;

void Ecrire(std::u16string_view ATexte) { std::cout << plateforme::VersUtf8(ATexte) << '\n'; }

TRef<TDossierSpecial> Dossiers() {
  return Nouveau<TDossierSpecial>(tests::InformationEssai().Get(), nullptr, nullptr);
}

int Dossier(char** AArguments) {
  const auto octet = [](const char* ATexte) {
    return static_cast<std::uint8_t>(std::stoi(ATexte));
  };
  Ecrire(Dossiers()->GetDossier(static_cast<TypeRacineDossierSpecial>(octet(AArguments[0])),
                                static_cast<TypeNiveauDossierSpecial>(octet(AArguments[1])),
                                octet(AArguments[2]), plateforme::DepuisUtf8(AArguments[3])));
  return 0;
}

int Surcharges() {
  std::u16string communes;
  std::u16string documents;
  LireSurcharges(communes, documents);
  Ecrire(u"communes=" + communes);
  Ecrire(u"documents=" + documents);
  return 0;
}

// A failed write must leave the document that was there.
int EcritureLimitee(const char* ALimite) {
  const auto persistance = Nouveau<TPersistanceParametresXml>(
      Dossiers().Get(), TypeNiveauDossierSpecial::NDS_Application, u"Essai.xml", TypeVersion{2});
  persistance->LireFichier();
  persistance->AjouterNoeud(u"Gros", 1, true).text().set(std::string(65536, 'x').c_str());
  ::signal(SIGXFSZ, SIG_IGN);
  const rlim_t limite = std::stoul(ALimite);
  const rlimit limites{limite, limite};
  if (::setrlimit(RLIMIT_FSIZE, &limites) != 0) return 3;
  Ecrire(persistance->EcrireFichier() ? u"écrit" : u"refusé");
  return 0;
}

int Executer(int ANombre, char** AArguments) {
  const std::string commande = ANombre > 1 ? AArguments[1] : "";
  if (commande == "dossier" && ANombre >= 6) return Dossier(AArguments + 2);
  if (commande == "surcharges") return Surcharges();
  if (commande == "ecriture-limitee" && ANombre >= 3) return EcritureLimitee(AArguments[2]);
  std::cerr << "commande inconnue\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Executer(argc, argv);
  } catch (const kv::Exception& exception) {
    Ecrire(std::u16string(exception.NomClasse()) + u": " + exception.Message());
    return 1;
  }
}
