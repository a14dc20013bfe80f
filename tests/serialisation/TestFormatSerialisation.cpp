#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objets/ObjetInterfacable.h"
#include "objets/SingletonMetaInfo.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/FormateurBinaire.h"
#include "serialisation/I_FormatSerialisation.h"

namespace kv::test {
namespace {

// The description asked for last: which method, with which format.
struct TypeAppel {
  std::string Methode;
  TypeClasseFormatSerialisation Format = nullptr;
};
TypeAppel Appel;

void Noter(const char* AMethode, TypeClasseFormatSerialisation AFormat) {
  Appel = {AMethode, AFormat};
}

// One mixin per description interface, each noting its calls.
class TAvecTout : public IFSTout {
 public:
  void Serialiser(IFormatter&, TypeClasseFormatSerialisation AFormat) override {
    Noter("Tout.Serialiser", AFormat);
  }
  void Deserialiser(IFormatter&, TypeClasseFormatSerialisation AFormat) override {
    Noter("Tout.Deserialiser", AFormat);
  }

 protected:
  ~TAvecTout() = default;
};

class TAvecV1 : public IFSSerialisationGeneriqueV1 {
 public:
  void SerialiserGeneriqueV1(IFormatter&, TypeClasseFormatSerialisation AFormat) override {
    Noter("V1.Serialiser", AFormat);
  }
  void DeserialiserGeneriqueV1(IFormatter&, TypeClasseFormatSerialisation AFormat) override {
    Noter("V1.Deserialiser", AFormat);
  }

 protected:
  ~TAvecV1() = default;
};

class TAvecSousParametre : public IFSSerialisationGeneriqueV1SousParametre {
 public:
  void SerialiserSousParametre(IFormatter&, TypeClasseFormatSerialisation AFormat) override {
    Noter("SousParametre.Serialiser", AFormat);
  }
  void DeserialiserSousParametre(IFormatter&, TypeClasseFormatSerialisation AFormat) override {
    Noter("SousParametre.Deserialiser", AFormat);
  }

 protected:
  ~TAvecSousParametre() = default;
};

class TAucune : public TObjetInterfacable {
 public:
  TAucune() : TObjetInterfacable(true) {}
};

class TTout : public TObjetInterfacable, public TAvecTout {
  KV_INTERFACES(TObjetInterfacable, IFSTout)

 public:
  TTout() : TObjetInterfacable(true) {}
};

class TToutEtV1 : public TObjetInterfacable, public TAvecTout, public TAvecV1 {
  KV_INTERFACES(TObjetInterfacable, IFSTout, IFSSerialisationGeneriqueV1)

 public:
  TToutEtV1() : TObjetInterfacable(true) {}
};

class TV1 : public TObjetInterfacable, public TAvecV1 {
  KV_INTERFACES(TObjetInterfacable, IFSSerialisationGeneriqueV1)

 public:
  TV1() : TObjetInterfacable(true) {}
};

class TSousParametre : public TObjetInterfacable, public TAvecSousParametre {
  KV_INTERFACES(TObjetInterfacable, IFSSerialisationGeneriqueV1SousParametre)

 public:
  TSousParametre() : TObjetInterfacable(true) {}
};

class TTrois : public TObjetInterfacable,
               public TAvecTout,
               public TAvecV1,
               public TAvecSousParametre {
  KV_INTERFACES(TObjetInterfacable, IFSTout, IFSSerialisationGeneriqueV1,
                IFSSerialisationGeneriqueV1SousParametre)

 public:
  TTrois() : TObjetInterfacable(true) {}
};

const TCustomFormatSerialisation* const Tout = &TFSTout::Classe();
const TCustomFormatSerialisation* const V1 = &TFSSerialisationGeneriqueV1::Classe();
const TCustomFormatSerialisation* const SousParametre =
    &TFSSerialisationGeneriqueV1SousParametre::Classe();

struct TypeCas {
  const char* Objet;
  TRef<TObjetInterfacable> (*Creer)();
  TypeClasseFormatSerialisation Format;
  const char* Description;  // the interface answered, "" for none
};

template <class AObjet>
TRef<TObjetInterfacable> Creer() {
  return Nouveau<AObjet>();
}

class Dispatch : public testing::TestWithParam<TypeCas> {
 protected:
  TFluxMemoire FFlux;
  TRef<TFormateurBinaire> FFormateur =
      Nouveau<TFormateurBinaire>(FFlux, TypeSensFormateur::sfEcriture);
};

// The most specific description the object offers, the format in force
// passed along, whichever way the object is handed over.
TEST_P(Dispatch, DescriptionLaPlusPrecise) {
  const TypeCas& cas = GetParam();
  TRef<TObjetInterfacable> objet = cas.Creer();
  const std::string description = cas.Description;
  struct TypeSens {
    const char* Methode;
    void (*Appeler)(TypeClasseFormatSerialisation, TObjetInterfacable*, IFormatter&);
  };
  const TypeSens Sens[] = {
      {".Serialiser", [](TypeClasseFormatSerialisation F, TObjetInterfacable* O,
                         IFormatter& R) { F->Serialiser(O->InterfaceDeBase(), R); }},
      {".Deserialiser", [](TypeClasseFormatSerialisation F, TObjetInterfacable* O,
                           IFormatter& R) { F->Deserialiser(O->InterfaceDeBase(), R); }},
      {".Serialiser", [](TypeClasseFormatSerialisation F, TObjetInterfacable* O,
                         IFormatter& R) { F->Serialiser(O, R); }},
      {".Deserialiser", [](TypeClasseFormatSerialisation F, TObjetInterfacable* O,
                           IFormatter& R) { F->Deserialiser(O, R); }},
  };
  for (const TypeSens& sens : Sens) {
    Appel = {};
    sens.Appeler(cas.Format, objet.Get(), *FFormateur);
    if (description.empty()) {
      EXPECT_EQ(Appel.Methode, "") << "nothing is described";
    } else {
      EXPECT_EQ(Appel.Methode, description + sens.Methode);
      EXPECT_EQ(Appel.Format, cas.Format) << "the format through which the call was made";
    }
  }
  EXPECT_EQ(FFlux.GetTaille(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Dispatch,
    testing::Values(TypeCas{"ToutParTout", Creer<TTout>, Tout, "Tout"},
                    TypeCas{"ToutParV1", Creer<TTout>, V1, "Tout"},
                    TypeCas{"ToutParSousParametre", Creer<TTout>, SousParametre, "Tout"},
                    TypeCas{"ToutEtV1ParTout", Creer<TToutEtV1>, Tout, "Tout"},
                    TypeCas{"ToutEtV1ParV1", Creer<TToutEtV1>, V1, "V1"},
                    TypeCas{"ToutEtV1ParSousParametre", Creer<TToutEtV1>, SousParametre, "V1"},
                    TypeCas{"TroisParTout", Creer<TTrois>, Tout, "Tout"},
                    TypeCas{"TroisParV1", Creer<TTrois>, V1, "V1"},
                    TypeCas{"TroisParSousParametre", Creer<TTrois>, SousParametre, "SousParametre"},
                    TypeCas{"V1ParTout", Creer<TV1>, Tout, ""},
                    TypeCas{"V1ParV1", Creer<TV1>, V1, "V1"},
                    TypeCas{"V1ParSousParametre", Creer<TV1>, SousParametre, "V1"},
                    TypeCas{"SousParametreParTout", Creer<TSousParametre>, Tout, ""},
                    TypeCas{"SousParametreParV1", Creer<TSousParametre>, V1, ""},
                    TypeCas{"SousParametreParSousParametre", Creer<TSousParametre>, SousParametre,
                            "SousParametre"},
                    TypeCas{"AucuneParTout", Creer<TAucune>, Tout, ""},
                    TypeCas{"AucuneParV1", Creer<TAucune>, V1, ""},
                    TypeCas{"AucuneParSousParametre", Creer<TAucune>, SousParametre, ""}),
    [](const testing::TestParamInfo<TypeCas>& AInfo) { return AInfo.param.Objet; });

TEST(Formats, SansObjetRienNEstDecrit) {
  TFluxMemoire flux;
  TRef<TFormateurBinaire> formateur =
      Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
  Appel = {};
  for (TypeClasseFormatSerialisation format : {Tout, V1, SousParametre}) {
    format->Serialiser(static_cast<IInterface*>(nullptr), *formateur);
    format->Deserialiser(static_cast<TObjetInterfacable*>(nullptr), *formateur);
  }
  EXPECT_EQ(Appel.Methode, "");
}

TEST(Formats, ClassesDeFormats) {
  EXPECT_EQ(SousParametre->GetNom(), u"TFSSerialisationGeneriqueV1SousParametre");
  EXPECT_EQ(SousParametre->GetParent(), V1);
  EXPECT_EQ(V1->GetParent(), Tout);
  EXPECT_EQ(Tout->GetParent(), &TCustomFormatSerialisation::Classe());
  EXPECT_TRUE(SousParametre->HeriteDe(&TObjetInterfacable::Classe()));
  EXPECT_FALSE(Tout->HeriteDe(V1));

  // A format is found by name through the meta information of its class.
  TRef<IMetaInfoClasse> metaInfo = TSingletonMetaInfo::GetMetaInfoClasse(V1);
  TRef<IMetaInfoClasse> trouvee = Interroger<IMetaInfoClasse>(
      TSingletonMetaInfo::GetMetaInfoParNom(u"TFSSerialisationGeneriqueV1"));
  ASSERT_TRUE(trouvee);
  EXPECT_EQ(trouvee->GetClasse(), V1);
  EXPECT_EQ(trouvee, metaInfo);
}

}  // namespace
}  // namespace kv::test
