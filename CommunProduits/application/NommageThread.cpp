#include "application/NommageThread.h"

namespace kv {

void TNommageThread::ChercherFonctionSysteme() {
  FDescriptionThread = plateforme::TFonctionDescriptionThread::Chercher();
}

void TNommageThread::NommerThreadCourant(std::u16string_view ANom) {
  if (plateforme::DebogueurPresent()) plateforme::AnnoncerNomThreadAuDebogueur(ANom);
  FDescriptionThread.DecrireThreadCourant(ANom);
}

}  // namespace kv
