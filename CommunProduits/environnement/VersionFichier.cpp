#include "environnement/VersionFichier.h"

#include "commun/Format.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Processus.h"

namespace kv {
namespace {

struct TypeCacheVersionExecutable {
  TypeVersion Version;
  bool Lue = false;
  bool Tentee = false;
};

TypeCacheVersionExecutable& Cache() {
  // Never freed: code run at exit may still ask.
  static auto* const cache = new TypeCacheVersionExecutable;
  return *cache;
}

const TypeCacheVersionExecutable& CacheRempli() {
  TypeCacheVersionExecutable& cache = Cache();
  if (!cache.Tentee) {
    cache.Tentee = true;
    cache.Version =
        VersionFichier(plateforme::CheminCadriciel(plateforme::CheminModuleExecutable()));
    cache.Lue = true;
  }
  return cache;
}

}  // namespace

bool LireInfosVersionFichier(std::u16string_view AFichier, TypeInfosFixesFichier& AInfos) {
  if (plateforme::LireInfosVersion(plateforme::CheminNatif(AFichier), AInfos)) return true;
  const int code = plateforme::DerniereErreurSysteme();
  throw EInfosVersionIllisibles(
      Formater(u"Impossible de lire les informations de version du fichier %0:s\n%1:s (%2:d)",
               {AFichier, plateforme::MessageErreurSysteme(code), code}));
}

TypeVersion VersionFichier(std::u16string_view AFichier) {
  TypeInfosFixesFichier infos{};
  LireInfosVersionFichier(AFichier, infos);
  return {infos.VersionFichierMS >> 16, infos.VersionFichierMS & 0xFFFF,
          infos.VersionFichierLS >> 16, infos.VersionFichierLS & 0xFFFF};
}

TypeVersion VersionModule(const void* AAdresse) {
  return VersionFichier(plateforme::CheminCadriciel(plateforme::CheminModuleContenant(AAdresse)));
}

TypeVersion VersionExecutable() { return CacheRempli().Version; }

bool VersionExecutableConnue() { return CacheRempli().Lue; }

}  // namespace kv
