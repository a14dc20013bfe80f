#pragma once

#include <string_view>

#include "objets/ClasseNonInstanciable.h"
#include "plateforme/Thread.h"

namespace kv {

// Names threads for debuggers and for the system's own tools.
class TNommageThread : public TClasseNonInstanciable {
 public:
  // Looks the system's optional description function up once, into the slot
  // that NommerThreadCourant uses.
  static void ChercherFonctionSysteme();

  // Tells an attached debugger, and the system when it has the description
  // function, the calling thread's name.
  static void NommerThreadCourant(std::u16string_view ANom);

 private:
  static inline plateforme::TFonctionDescriptionThread FDescriptionThread;
};

}  // namespace kv
