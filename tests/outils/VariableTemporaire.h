#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kv::tests {

// Sets or removes an environment variable for one test and puts the old value
// back.
class TVariableTemporaire {
 public:
  TVariableTemporaire(const char* ANom, std::optional<std::string> AValeur) : FNom(ANom) {
    if (const char* ancienne = std::getenv(ANom)) FAncienne = ancienne;
    Definir(AValeur);
  }
  ~TVariableTemporaire() { Definir(FAncienne); }
  TVariableTemporaire(const TVariableTemporaire&) = delete;
  TVariableTemporaire& operator=(const TVariableTemporaire&) = delete;

 private:
  void Definir(const std::optional<std::string>& AValeur) {
    if (AValeur) {
      ::setenv(FNom.c_str(), AValeur->c_str(), 1);
    } else {
      ::unsetenv(FNom.c_str());
    }
  }
  std::string FNom;
  std::optional<std::string> FAncienne;
};

}  // namespace kv::tests
