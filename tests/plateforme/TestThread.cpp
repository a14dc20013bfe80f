#include <gtest/gtest.h>
#include <pthread.h>

#include <string>
#include <thread>

#include "plateforme/Texte.h"
#include "plateforme/Thread.h"

namespace kv::plateforme {
namespace {

// Names a fresh thread and reads back what the kernel kept.
template <class AFonction>
std::string NomDonneDansUnThread(AFonction ANommer) {
  std::string lu;
  std::thread([&] {
    ANommer();
    char nom[64] = {};
    pthread_getname_np(pthread_self(), nom, sizeof nom);
    lu = nom;
  }).join();
  return lu;
}

TEST(Thread, LaFonctionDeDescriptionEstTrouveeEtNommeLeThread) {
  const auto fonction = TFonctionDescriptionThread::Chercher();
  ASSERT_TRUE(fonction.Presente());
  EXPECT_EQ(NomDonneDansUnThread([&] { fonction.DecrireThreadCourant(u"Essai"); }), "Essai");
}

// The kernel keeps 15 bytes: a longer name is cut, never inside a character.
TEST(Thread, NomTropLongCoupeSurUneLimiteDeCaractere) {
  const auto fonction = TFonctionDescriptionThread::Chercher();
  EXPECT_EQ(NomDonneDansUnThread([&] { fonction.DecrireThreadCourant(u"Thread principal"); }),
            "Thread principa");
  // The 15th byte is the first half of "é".
  EXPECT_EQ(NomDonneDansUnThread([&] { fonction.DecrireThreadCourant(u"Thread principé"); }),
            "Thread princip");
  EXPECT_EQ(NomDonneDansUnThread([] { AnnoncerNomThreadAuDebogueur(u"Thread principé"); }),
            "Thread princip");
}

TEST(Thread, FonctionAbsenteNeFaitRien) {
  const TFonctionDescriptionThread absente;
  EXPECT_FALSE(absente.Presente());
  const std::string avant = NomDonneDansUnThread([] {});
  EXPECT_EQ(NomDonneDansUnThread([&] { absente.DecrireThreadCourant(u"Ignoré"); }), avant);
}

TEST(Thread, AucunDebogueurSousLesTests) { EXPECT_FALSE(DebogueurPresent()); }

}  // namespace
}  // namespace kv::plateforme
