#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "plateforme/IndexMethodeVirtuelle.h"

namespace kv::plateforme {
namespace {

class TPremiere {
 public:
  virtual ~TPremiere() = default;
  virtual void Un() {}
  virtual void Deux() {}
  void NonVirtuelle() {}
};

class TSeconde {
 public:
  virtual ~TSeconde() = default;
  virtual void Trois() {}
};

class TDerivee : public TPremiere, public TSeconde {
 public:
  virtual void Quatre() {}
};

template <class AMembre>
TypeLectureMethodeVirtuelle Lire(AMembre AMethode, std::int32_t& AIndice) {
  unsigned char octets[sizeof AMethode];
  std::memcpy(octets, &AMethode, sizeof octets);
  return LireIndiceMethodeVirtuelle(octets, sizeof octets, AIndice);
}

TEST(IndexMethodeVirtuelle, EntreeDeLaTable) {
  // A virtual destructor takes two slots (complete and deleting destructors).
  struct Cas {
    void (TDerivee::*Methode)();
    std::int32_t Indice;
  };
  for (const Cas& cas :
       {Cas{&TDerivee::Un, 2}, Cas{&TDerivee::Deux, 3}, Cas{&TDerivee::Quatre, 4}}) {
    std::int32_t indice = -1;
    EXPECT_EQ(Lire(cas.Methode, indice), TypeLectureMethodeVirtuelle::lmvVirtuelle);
    EXPECT_EQ(indice, cas.Indice);
  }
}

TEST(IndexMethodeVirtuelle, NonVirtuelleAjusteeOuInconnue) {
  std::int32_t indice = -7;
  EXPECT_EQ(Lire(&TPremiere::NonVirtuelle, indice), TypeLectureMethodeVirtuelle::lmvNonVirtuelle);
  // A method of the second base, seen from the derived class, moves the object.
  void (TDerivee::*troisDerivee)() = &TSeconde::Trois;
  EXPECT_EQ(Lire(troisDerivee, indice), TypeLectureMethodeVirtuelle::lmvAjustee);
  // From its own class, it is slot 2.
  EXPECT_EQ(Lire(&TSeconde::Trois, indice), TypeLectureMethodeVirtuelle::lmvVirtuelle);
  EXPECT_EQ(indice, 2);
  const unsigned char court[8] = {};
  indice = -7;
  EXPECT_EQ(LireIndiceMethodeVirtuelle(court, sizeof court, indice),
            TypeLectureMethodeVirtuelle::lmvInconnue);
  EXPECT_EQ(indice, -7);
}

}  // namespace
}  // namespace kv::plateforme
