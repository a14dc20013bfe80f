#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CaptureAppel.h"
#include "EntreesDisposition.h"
#include "objets/DescriptionInterface.h"
#include "plateforme/Texte.h"
#include "serialisation/DispositionAppel.h"

// Not in an anonymous namespace: the optimiser would know ISondeSystemV's
// every implementation and call TSondeSystemV directly, past the capture.
namespace kv::test::sonde_systemv {

using namespace registres_x64;

struct TypeDoubleEntier {
  double D;
  std::int64_t E;
  friend bool operator==(const TypeDoubleEntier&, const TypeDoubleEntier&) = default;
};
struct TypeDeuxEntiers {
  std::int64_t A;
  std::int64_t B;
  friend bool operator==(const TypeDeuxEntiers&, const TypeDeuxEntiers&) = default;
};
struct TypeTroisEntiers {
  std::int64_t A;
  std::int64_t B;
  std::int64_t C;
  friend bool operator==(const TypeTroisEntiers&, const TypeTroisEntiers&) = default;
};
struct TypeDeuxDoubles {
  double A;
  double B;
  friend bool operator==(const TypeDeuxDoubles&, const TypeDeuxDoubles&) = default;
};
struct TypeTroisOctets {
  std::uint8_t A;
  std::uint8_t B;
  std::uint8_t C;
  friend bool operator==(const TypeTroisOctets&, const TypeTroisOctets&) = default;
};
struct TypeFlottantEntier {
  float F;
  std::int32_t E;
  friend bool operator==(const TypeFlottantEntier&, const TypeFlottantEntier&) = default;
};
using TypeEnsemble3 = TEnsemble<std::uint8_t, 0, 23>;

KV_DECRIRE_RECORD(TypeDoubleEntier, KV_CHAMP(D), KV_CHAMP(E));
KV_DECRIRE_RECORD(TypeDeuxEntiers, KV_CHAMP(A), KV_CHAMP(B));
KV_DECRIRE_RECORD(TypeTroisEntiers, KV_CHAMP(A), KV_CHAMP(B), KV_CHAMP(C));
KV_DECRIRE_RECORD(TypeDeuxDoubles, KV_CHAMP(A), KV_CHAMP(B));
KV_DECRIRE_RECORD(TypeTroisOctets, KV_CHAMP(A), KV_CHAMP(B), KV_CHAMP(C));
KV_DECRIRE_RECORD(TypeFlottantEntier, KV_CHAMP(F), KV_CHAMP(E));

using i32 = std::int32_t;

// One method per row of the table below.
class ISondeSystemV : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{3C7E9A15-8B2D-4F60-A4E1-96D0B5C2F718}");
  virtual void Entiers(i32 A, i32 B, i32 C, i32 D, i32 E, i32 F, i32 G, i32 H) = 0;
  virtual void Doubles(double A, double B, double C, double D, double E, double F, double G,
                       double H, double I, double J) = 0;
  virtual void Mixte(TypeDoubleEntier R, i32 X) = 0;
  virtual void Grand(TypeTroisEntiers R, i32 X) = 0;
  virtual std::u16string Chaine(i32 X) = 0;
  virtual void Ouvert(TTableauOuvert<const i32> T, double D, i32 X) = 0;
  virtual void Deborde(i32 A, i32 B, i32 C, i32 D, TypeDeuxEntiers R, i32 X) = 0;
  virtual TypeDoubleEntier RetourMixte(float F, TypeFlottantEntier G) = 0;
  virtual TypeDeuxDoubles RetourDoubles(TypeDeuxDoubles A) = 0;
  virtual TypeTroisEntiers RetourGrand(i32 X) = 0;
  virtual void Adresses(const TypeTroisOctets& A, std::u16string& B, TSortie<std::u16string> C,
                        std::u16string D, TTableauDynamique<i32> E, TypeTroisOctets F,
                        TypeEnsemble3 G, const TypeEnsemble3& H) = 0;
  virtual double Reel(float F, std::int64_t E) = 0;

 protected:
  ~ISondeSystemV() = default;
};
KV_DECRIRE_INTERFACE(ISondeSystemV, IInterface, KV_METHODE(Entiers, A, B, C, D, E, F, G, H),
                     KV_METHODE(Doubles, A, B, C, D, E, F, G, H, I, J), KV_METHODE(Mixte, R, X),
                     KV_METHODE(Grand, R, X), KV_METHODE(Chaine, X), KV_METHODE(Ouvert, T, D, X),
                     KV_METHODE(Deborde, A, B, C, D, R, X), KV_METHODE(RetourMixte, F, G),
                     KV_METHODE(RetourDoubles, A), KV_METHODE(RetourGrand, X),
                     KV_METHODE(Adresses, A, B, C, D, E, F, G, H), KV_METHODE(Reel, F, E));

const TypeFeuilleScalaire E8_0{0, 8, false}, E8_8{8, 8, false}, E8_16{16, 8, false};
const TypeFeuilleScalaire F8_0{0, 8, true}, F8_8{8, 8, true};

struct TypeLigne {
  const char16_t* Methode;  // of ISondeSystemV
  TypeEntreeDispositionMethode Entree;
  std::vector<TypeDispositionParametre> Parametres;  // {Offset, Modes}
  std::vector<TypeEmplacement> Emplacements;
  std::vector<TypeEmplacement> EmplacementsResultat;
  std::int32_t OctetsPile;
};

TypeEmplacement Ent(std::int32_t ARegistre) {
  return {TypeGenreEmplacement::geRegistreEntier, ARegistre};
}
TypeEmplacement Sse(std::int32_t ARegistre) {
  return {TypeGenreEmplacement::geRegistreSse, ARegistre};
}
TypeEmplacement Pile(std::int32_t AOffset) { return {TypeGenreEmplacement::gePile, AOffset}; }

const std::vector<TypeLigne>& Lignes() {
  const TypeEntreeDisposition e4 = Entier(4), d = Flottant(8);
  const TypeEntreeDisposition troisOctets = Record(3, {{0, 1}, {1, 1}, {2, 1}});
  static const std::vector<TypeLigne> lignes = {
      // Five integer registers after `this`, then the stack.
      {u"Entiers",
       Methode({e4, e4, e4, e4, e4, e4, e4, e4}),
       {{32, mpsE},
        {40, mpsE},
        {48, mpsE},
        {56, mpsE},
        {64, mpsE},
        {72, mpsE},
        {80, mpsE},
        {88, mpsE}},
       {Ent(RDI), Ent(RSI), Ent(RDX), Ent(RCX), Ent(R8), Ent(R9), Pile(0), Pile(8), Pile(16)},
       {},
       24},
      {u"Doubles",
       Methode({d, d, d, d, d, d, d, d, d, d}),
       {{32, mpsE},
        {40, mpsE},
        {48, mpsE},
        {56, mpsE},
        {64, mpsE},
        {72, mpsE},
        {80, mpsE},
        {88, mpsE},
        {96, mpsE},
        {104, mpsE}},
       {Ent(RDI), Sse(0), Sse(1), Sse(2), Sse(3), Sse(4), Sse(5), Sse(6), Sse(7), Pile(0), Pile(8)},
       {},
       16},
      // {double, int64}: one SSE piece, one INTEGER piece.
      {u"Mixte",
       Methode({Record(16, {F8_0, E8_8}), e4}),
       {{32, mpsE}, {48, mpsE}},
       {Ent(RDI), Sse(0), Ent(RSI), Ent(RDX)},
       {},
       0},
      // Above 16 bytes: in memory, the next integer still in a register.
      {u"Grand",
       Methode({Record(24, {E8_0, E8_8, E8_16}), e4}),
       {{32, mpsE}, {56, mpsE}},
       {Ent(RDI), Pile(0), Pile(8), Pile(16), Ent(RSI)},
       {},
       24},
      // The hidden result address takes RDI and moves `this` to RSI.
      {u"Chaine",
       Fonction(Chaine(), {e4}),
       {{32, mpsSR}, {40, mpsE}},
       {Ent(RSI), Ent(RDI), Ent(RDX)},
       {},
       0},
      {u"Ouvert",
       Methode({TableauOuvert(), d, e4}),
       {{32, mpsE}, {48, mpsE}, {56, mpsE}},
       {Ent(RDI), Ent(RSI), Ent(RDX), Sse(0), Ent(RCX)},
       {},
       0},
      // Two pieces, one register left: the record goes whole to the stack,
      // the integer after it takes the register.
      {u"Deborde",
       Methode({e4, e4, e4, e4, Record(16, {E8_0, E8_8}), e4}),
       {{32, mpsE}, {40, mpsE}, {48, mpsE}, {56, mpsE}, {64, mpsE}, {80, mpsE}},
       {Ent(RDI), Ent(RSI), Ent(RDX), Ent(RCX), Ent(R8), Pile(0), Pile(8), Ent(R9)},
       {},
       16},
      // {float, int32} in one piece is INTEGER.
      {u"RetourMixte",
       Fonction(Record(16, {F8_0, E8_8}), {Flottant(4), Record(8, {{0, 4, true}, {4, 4, false}})}),
       {{0, mpsS}, {32, mpsE}, {40, mpsE}},
       {Ent(RDI), Sse(0), Ent(RSI)},
       {Sse(0), Ent(RAX)},
       0},
      {u"RetourDoubles",
       Fonction(Record(16, {F8_0, F8_8}), {Record(16, {F8_0, F8_8})}),
       {{0, mpsS}, {32, mpsE}},
       {Ent(RDI), Sse(0), Sse(1)},
       {Sse(0), Sse(1)},
       0},
      {u"RetourGrand",
       Fonction(Record(24, {E8_0, E8_8, E8_16}), {e4}),
       {{32, mpsSR}, {40, mpsE}},
       {Ent(RSI), Ent(RDI), Ent(RDX)},
       {},
       0},
      // References, and values that are not trivially copyable, travel as
      // addresses; a set by value travels as its bytes, by const reference as
      // an address.
      {u"Adresses",
       Methode({Record(3, {{0, 1}, {1, 1}, {2, 1}}, mpsER), Chaine(mpsESR), Chaine(mpsSR), Chaine(),
                PointeurGere(), troisOctets, Ensemble(3), Ensemble(3, mpsER)}),
       {{32, mpsER},
        {40, mpsESR},
        {48, mpsSR},
        {56, mpsER},
        {64, mpsER},
        {72, mpsE},
        {80, mpsE},
        {88, mpsER}},
       {Ent(RDI), Ent(RSI), Ent(RDX), Ent(RCX), Ent(R8), Ent(R9), Pile(0), Pile(8), Pile(16)},
       {},
       24},
      {u"Reel",
       Fonction(Flottant(8), {Flottant(4), Entier(8)}),
       {{0, mpsS}, {32, mpsE}, {40, mpsE}},
       {Ent(RDI), Sse(0), Ent(RSI)},
       {Sse(0)},
       0},
  };
  return lignes;
}

const TypeLigne& Ligne(std::u16string_view AMethode) {
  for (const TypeLigne& ligne : Lignes()) {
    if (ligne.Methode == AMethode) return ligne;
  }
  throw std::logic_error("ligne absente");
}

TEST(DispositionSystemVX64, RegleDuCadreDAppel) {
  for (const TypeLigne& ligne : Lignes()) {
    SCOPED_TRACE(plateforme::VersUtf8(ligne.Methode));
    const TypeDispositionMethode d = DispositionSystemVX64().Disposer(ligne.Entree);
    ASSERT_EQ(d.Parametres.size(), ligne.Parametres.size());
    for (std::size_t i = 0; i < ligne.Parametres.size(); ++i) {
      EXPECT_EQ(d.Parametres[i].Offset, ligne.Parametres[i].Offset) << i;
      EXPECT_EQ(d.Parametres[i].Modes, ligne.Parametres[i].Modes) << i;
    }
    EXPECT_EQ(d.OffsetInterface, 24);
    EXPECT_EQ(d.Emplacements, ligne.Emplacements);
    EXPECT_EQ(d.EmplacementsResultat, ligne.EmplacementsResultat);
    EXPECT_EQ(d.ResultatDansRegistre, !ligne.EmplacementsResultat.empty());
    EXPECT_EQ(d.OctetsPile, ligne.OctetsPile);
    EXPECT_EQ(d.TailleArguments, 8 * static_cast<std::int32_t>(ligne.Emplacements.size()));
  }
}

TEST(DispositionSystemVX64, CEstLaConventionDeLHote) {
  EXPECT_EQ(&DispositionHote(), &DispositionSystemVX64());
  EXPECT_EQ(DispositionHote().Nom(), u"System V x86-64");
}

#if defined(__x86_64__) && !defined(_WIN32)

// Checks, during a call through ISondeSystemV, that every argument position
// that the layout of AMethode names holds what the caller passed:
// AInterface, then AAttendus in order (the declared parameters).
void VerifierArguments(std::u16string_view AMethode, const void* AInterface,
                       const std::vector<TypeAttendu>& AAttendus) {
  const TypeLigne& ligne = Ligne(AMethode);
  const TypeDispositionMethode d = DispositionSystemVX64().Disposer(ligne.Entree);
  EXPECT_EQ(MotArgument(d.Emplacements[0]), reinterpret_cast<std::uintptr_t>(AInterface));
  const std::size_t premier = ligne.Entree.AvecValeurRetour ? 1 : 0;
  ASSERT_EQ(AAttendus.size() + premier, d.Parametres.size());
  for (std::size_t i = 0; i < AAttendus.size(); ++i) {
    const TypeDispositionParametre& parametre = d.Parametres[premier + i];
    const TypeAttendu& attendu = AAttendus[i];
    const std::size_t position = static_cast<std::size_t>(parametre.Offset - 24) / 8;
    if (ContientMode(parametre.Modes, TypeModeParametre::mpParReference)) {
      const auto* adresse = reinterpret_cast<const void*>(MotArgument(d.Emplacements[position]));
      EXPECT_TRUE(attendu.Egal(adresse, attendu.Valeur)) << "paramètre " << i;
      continue;
    }
    for (std::size_t morceau = 0; morceau * 8 < attendu.Taille; ++morceau) {
      EXPECT_TRUE(MemesOctets(MotArgument(d.Emplacements[position + morceau]),
                              static_cast<const char*>(attendu.Valeur) + 8 * morceau,
                              std::min<std::size_t>(8, attendu.Taille - 8 * morceau)))
          << "paramètre " << i << ", morceau " << morceau;
    }
  }
}

// After the call: the result came back where the layout of AMethode says.
template <class T>
void VerifierResultat(std::u16string_view AMethode, const T& AResultat) {
  const TypeDispositionMethode d = DispositionSystemVX64().Disposer(Ligne(AMethode).Entree);
  if (!d.ResultatDansRegistre) {
    const std::size_t position = static_cast<std::size_t>(d.Parametres[0].Offset - 24) / 8;
    EXPECT_EQ(MotArgument(d.Emplacements[position]), reinterpret_cast<std::uintptr_t>(&AResultat));
    return;
  }
  for (std::size_t morceau = 0; morceau < d.EmplacementsResultat.size(); ++morceau) {
    EXPECT_TRUE(MemesOctets(MotResultat(d.EmplacementsResultat[morceau]),
                            reinterpret_cast<const char*>(&AResultat) + 8 * morceau,
                            std::min<std::size_t>(8, sizeof(T) - 8 * morceau)))
        << "morceau " << morceau;
  }
}

// Runs GVerification in every method and answers fixed results.
class TSondeSystemV final : public ISondeSystemV {
 public:
  virtual ~TSondeSystemV() = default;
  THResult QueryInterface(const TGUID&, void**) noexcept override { return E_NOINTERFACE; }
  std::int32_t _AddRef() noexcept override { return 1; }
  std::int32_t _Release() noexcept override { return 1; }

  void Entiers(i32, i32, i32, i32, i32, i32, i32, i32) override { GVerification(); }
  void Doubles(double, double, double, double, double, double, double, double, double,
               double) override {
    GVerification();
  }
  void Mixte(TypeDoubleEntier, i32) override { GVerification(); }
  void Grand(TypeTroisEntiers, i32) override { GVerification(); }
  std::u16string Chaine(i32) override {
    GVerification();
    return u"une chaîne assez longue pour ne pas tenir dans l'objet lui-même";
  }
  void Ouvert(TTableauOuvert<const i32>, double, i32) override { GVerification(); }
  void Deborde(i32, i32, i32, i32, TypeDeuxEntiers, i32) override { GVerification(); }
  TypeDoubleEntier RetourMixte(float, TypeFlottantEntier) override {
    GVerification();
    return {-2.5, 0x0102030405060708};
  }
  TypeDeuxDoubles RetourDoubles(TypeDeuxDoubles) override {
    GVerification();
    return {1.25, -8.5};
  }
  TypeTroisEntiers RetourGrand(i32) override {
    GVerification();
    return {7, 8, 9};
  }
  void Adresses(const TypeTroisOctets&, std::u16string&, TSortie<std::u16string> C, std::u16string,
                TTableauDynamique<i32>, TypeTroisOctets, TypeEnsemble3,
                const TypeEnsemble3&) override {
    GVerification();
    *C = u"sortie";
  }
  double Reel(float, std::int64_t) override {
    GVerification();
    return 3.75;
  }
};

// Puts the capture routine in every slot of ISondeSystemV's methods in a copy
// of the object's table, for the object's life in the test.
class TInterposition {
 public:
  explicit TInterposition(ISondeSystemV* AInterface)
      : FPointeurTable(*reinterpret_cast<void***>(AInterface)), FOriginale(FPointeurTable) {
    const std::size_t nombre = 3 + InfoTypeInterfaceDe<ISondeSystemV>().Methodes.size();
    // The two words before the slots (offset to top, type information) go
    // along: the sanitizers read them on calls.
    FTable.assign(FOriginale - 2, FOriginale + nombre);
    for (std::size_t k = 3; k < nombre; ++k) {
      FTable[2 + k] = reinterpret_cast<void*>(&CapturerAppel);
    }
    FPointeurTable = FTable.data() + 2;
  }
  ~TInterposition() { FPointeurTable = FOriginale; }

  // The next call goes to AMethode's implementation through the routine.
  void Viser(std::u16string_view AMethode) {
    for (const TypeInfoMethode& methode : InfoTypeInterfaceDe<ISondeSystemV>().Methodes) {
      if (methode.Nom == AMethode) GCapture.Cible = FOriginale[methode.IndiceTable];
    }
  }

 private:
  void**& FPointeurTable;
  void** FOriginale;
  std::vector<void*> FTable;
};

// Hides the object's type from the optimiser, which would otherwise call
// the implementation directly.
ISondeSystemV* Opaque(ISondeSystemV* AInterface) {
  asm volatile("" : "+r"(AInterface));
  return AInterface;
}

class DispositionSystemVX64Appels : public testing::Test {
 protected:
  void TearDown() override { GVerification = nullptr; }

  // Sets the check to run inside AMethode and aims the routine at it.
  void Preparer(std::u16string_view AMethode, std::vector<TypeAttendu> AAttendus) {
    FInterposition.Viser(AMethode);
    GVerification = [this, AMethode, AAttendus] {
      FVerifiee = true;
      VerifierArguments(AMethode, FInterface, AAttendus);
    };
    FVerifiee = false;
  }

  TSondeSystemV FSonde;
  ISondeSystemV* FInterface = Opaque(&FSonde);
  TInterposition FInterposition{FInterface};
  bool FVerifiee = false;
};

TEST_F(DispositionSystemVX64Appels, EntiersEtDoubles) {
  const i32 e[8] = {-1, 2, -3, 4, -5, 6, -7, 0x7FFFFFFF};
  Preparer(u"Entiers", {Attendu(e[0]), Attendu(e[1]), Attendu(e[2]), Attendu(e[3]), Attendu(e[4]),
                        Attendu(e[5]), Attendu(e[6]), Attendu(e[7])});
  FInterface->Entiers(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7]);
  EXPECT_TRUE(FVerifiee);

  const double r[10] = {0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.5};
  std::vector<TypeAttendu> attendus;
  for (const double& valeur : r) attendus.push_back(Attendu(valeur));
  Preparer(u"Doubles", attendus);
  FInterface->Doubles(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9]);
  EXPECT_TRUE(FVerifiee);
}

TEST_F(DispositionSystemVX64Appels, Records) {
  const TypeDoubleEntier mixte{1.0e300, -42};
  const i32 x = 77;
  Preparer(u"Mixte", {Attendu(mixte), Attendu(x)});
  FInterface->Mixte(mixte, x);
  EXPECT_TRUE(FVerifiee);

  const TypeTroisEntiers grand{11, 22, 33};
  Preparer(u"Grand", {Attendu(grand), Attendu(x)});
  FInterface->Grand(grand, x);
  EXPECT_TRUE(FVerifiee);

  const i32 a = 1, b = 2, c = 3, dd = 4;
  const TypeDeuxEntiers deux{0x1111111111111111, 0x2222222222222222};
  Preparer(u"Deborde",
           {Attendu(a), Attendu(b), Attendu(c), Attendu(dd), Attendu(deux), Attendu(x)});
  FInterface->Deborde(a, b, c, dd, deux, x);
  EXPECT_TRUE(FVerifiee);
}

TEST_F(DispositionSystemVX64Appels, TableauOuvert) {
  const i32 valeurs[3] = {4, 5, 6};
  const TTableauOuvert<const i32> ouvert(valeurs);
  const double reel = -0.125;
  const i32 x = 9;
  Preparer(u"Ouvert", {Attendu(ouvert.PtrValeurs), Attendu(reel), Attendu(x)});
  FInterface->Ouvert(ouvert, reel, x);
  EXPECT_TRUE(FVerifiee);
  // The second piece of the open array: the index of the last value.
  const TypeDispositionMethode d = DispositionSystemVX64().Disposer(Ligne(u"Ouvert").Entree);
  EXPECT_EQ(static_cast<i32>(MotArgument(d.Emplacements[2])), 2);
}

TEST_F(DispositionSystemVX64Appels, Resultats) {
  const i32 x = 5;
  Preparer(u"Chaine", {Attendu(x)});
  const std::u16string chaine = FInterface->Chaine(x);
  EXPECT_TRUE(FVerifiee);
  VerifierResultat(u"Chaine", chaine);

  const float f = 1.5f;
  const TypeFlottantEntier fe{2.5f, -3};
  Preparer(u"RetourMixte", {Attendu(f), Attendu(fe)});
  const TypeDoubleEntier mixte = FInterface->RetourMixte(f, fe);
  EXPECT_TRUE(FVerifiee);
  VerifierResultat(u"RetourMixte", mixte);

  const TypeDeuxDoubles deux{3.0, 4.0};
  Preparer(u"RetourDoubles", {Attendu(deux)});
  const TypeDeuxDoubles doubles = FInterface->RetourDoubles(deux);
  EXPECT_TRUE(FVerifiee);
  VerifierResultat(u"RetourDoubles", doubles);

  Preparer(u"RetourGrand", {Attendu(x)});
  const TypeTroisEntiers grand = FInterface->RetourGrand(x);
  EXPECT_TRUE(FVerifiee);
  EXPECT_EQ(grand, (TypeTroisEntiers{7, 8, 9}));
  VerifierResultat(u"RetourGrand", grand);

  const std::int64_t e = -1;
  Preparer(u"Reel", {Attendu(f), Attendu(e)});
  const double reel = FInterface->Reel(f, e);
  EXPECT_TRUE(FVerifiee);
  VerifierResultat(u"Reel", reel);
}

TEST_F(DispositionSystemVX64Appels, Adresses) {
  const TypeTroisOctets trois{1, 2, 3};
  std::u16string var = u"variable";
  std::u16string sortie = u"avant";
  const std::u16string valeur = u"une valeur copiée par l'appelant pour l'appelé";
  const TTableauDynamique<i32> dynamique{1, 2, 3};
  const TypeEnsemble3 ensemble{1, 12, 23};
  const TypeEnsemble3 ensembleConst{0, 8};
  // The open block is shared by the caller's copy: same first element.
  auto memeBloc = [](const void* AObtenu, const void* AAttendu) {
    return static_cast<const TTableauDynamique<i32>*>(AObtenu)->data() ==
           static_cast<const TTableauDynamique<i32>*>(AAttendu)->data();
  };
  const TypeAttendu attenduDynamique{&dynamique, sizeof dynamique, memeBloc};
  Preparer(u"Adresses",
           {Attendu(trois), Attendu(var), Attendu(sortie), Attendu(valeur), attenduDynamique,
            Attendu(trois), Attendu(ensemble), Attendu(ensembleConst)});
  FInterface->Adresses(trois, var, TSortie(sortie), valeur, dynamique, trois, ensemble,
                       ensembleConst);
  EXPECT_TRUE(FVerifiee);
  EXPECT_EQ(sortie, u"sortie");
  // References are the caller's own variables.
  EXPECT_EQ(GCapture.Entiers[1], reinterpret_cast<std::uintptr_t>(&trois));
  EXPECT_EQ(GCapture.Entiers[3], reinterpret_cast<std::uintptr_t>(&sortie));
}

#endif

}  // namespace kv::test::sonde_systemv
