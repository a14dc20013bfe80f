#pragma once

// Naming threads for debuggers and the operating system.

#include <string_view>

namespace kv::plateforme {

bool DebogueurPresent();

// Tells an attached debugger the calling thread's name.
void AnnoncerNomThreadAuDebogueur(std::u16string_view ANom);

// The system's optional function that gives the calling thread a description,
// looked up at run time: an older system may lack it.
class TFonctionDescriptionThread {
 public:
  static TFonctionDescriptionThread Chercher();

  bool Presente() const { return FAdresse != nullptr; }
  // Does nothing when the function is absent.
  void DecrireThreadCourant(std::u16string_view ANom) const;

 private:
  void* FAdresse = nullptr;
};

}  // namespace kv::plateforme
