// Forms that descriptions refuse at compile time: each REFUS_* case must fail
// to compile with the message its test expects (tests/objets/CMakeLists.txt).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objets/DescriptionInterface.h"

namespace kv::refus {

#define KV_INTERFACE_REFUS(AMethodes)                                                    \
  class IRefus : public IInterface {                                                     \
   public:                                                                               \
    static constexpr TGUID IID = GuidLitteral("{0E0E0E0E-1111-4222-8333-444455556666}"); \
    AMethodes                                                                            \
                                                                                         \
        protected : ~IRefus() = default;                                                 \
  };

#if defined(REFUS_VUE)
KV_INTERFACE_REFUS(virtual void M(std::u16string_view ATexte) = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M, ATexte));
#elif defined(REFUS_VECTOR)
struct TypeRefus {
  std::vector<std::int32_t> Valeurs;
};
KV_DECRIRE_RECORD(TypeRefus, KV_CHAMP(Valeurs));
#elif defined(REFUS_LONG_DOUBLE)
KV_INTERFACE_REFUS(virtual long double M() = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M));
#elif defined(REFUS_POINTEUR)
KV_INTERFACE_REFUS(virtual void M(std::int32_t* AValeur) = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M, AValeur));
#elif defined(REFUS_CHAMP_OUBLIE)
struct TypeRefus {
  std::int32_t A;
  double B;
  std::int32_t C;
};
KV_DECRIRE_RECORD(TypeRefus, KV_CHAMP(A), KV_CHAMP(C));
#elif defined(REFUS_SURCHARGE)
KV_INTERFACE_REFUS(virtual void M(std::int32_t A) = 0; virtual void M(double A) = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M, A));
#elif defined(REFUS_CONST_DOUBLE)
KV_INTERFACE_REFUS(virtual void M(const double& A) = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M, A));
#elif defined(REFUS_NOMS)
KV_INTERFACE_REFUS(virtual void M(std::int32_t A, std::int32_t B) = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M, A));
#elif defined(REFUS_NON_DECRITE)
class INonDecrite : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{0F0F0F0F-1111-4222-8333-444455556666}");

 protected:
  ~INonDecrite() = default;
};
KV_INTERFACE_REFUS(virtual TRef<INonDecrite> M() = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M));
#else
// The accepted forms next to the refused ones: this must compile.
struct TypeAccepte {
  std::int32_t A;
  double B;
  std::int32_t C;
  TTableauDynamique<std::int32_t> Valeurs;
};
KV_DECRIRE_RECORD(TypeAccepte, KV_CHAMP(A), KV_CHAMP(B), KV_CHAMP(C), KV_CHAMP(Valeurs));
KV_INTERFACE_REFUS(virtual void M(const std::u16string& ATexte, double A, TypeAccepte B,
                                  TSortie<std::int32_t> C) = 0;
                   virtual double N(std::int32_t A) = 0;)
KV_DECRIRE_INTERFACE(IRefus, IInterface, KV_METHODE(M, ATexte, A, B, C), KV_METHODE(N, A));
#endif

#if defined(REFUS_VECTOR) || defined(REFUS_CHAMP_OUBLIE)
const TInfoType& Utiliser() { return InfoTypeDe<TypeRefus>(); }
#else
const TInfoType& Utiliser() { return InfoTypeInterfaceDe<IRefus>(); }
#endif

}  // namespace kv::refus
