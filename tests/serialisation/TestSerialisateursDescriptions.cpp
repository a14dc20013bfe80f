// Descriptions of the serializers and of their parameters: written and read
// back in each format, laid out, traced, replaced, followed by paths; and the
// serialisable objects and instantiators they rest on.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Fabriques.h"
#include "objets/DescriptionType.h"
#include "objets/SingletonMetaInfo.h"
#include "serialisation/I_InstanciateurObjetSerialisable.h"
#include "serialisation/InfoCouplageParametresServiceInvocable.h"

namespace kv::test {
namespace {

const TypeClasseFormatSerialisation Tout = &TFSTout::Classe();
const TypeClasseFormatSerialisation GeneriqueV1 = &TFSSerialisationGeneriqueV1::Classe();
constexpr TGUID GuidAutre = GuidLitteral("{0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9}");

std::u16string NomClasse(ISerialisateurParametre* ASerialisateur) {
  return std::u16string(
      Convertir<IAvecMetaInfoClasse>(ASerialisateur)->GetMetaInfoClasse()->GetClasse()->GetNom());
}

TEST(ArrondirTaille, PuissanceDeDeuxJusquAHuit) {
  const std::pair<std::int32_t, std::int32_t> table[] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {4, 4},
                                                         {5, 8}, {7, 8}, {8, 8}, {9, 9}, {12, 12}};
  for (const auto& [taille, arrondie] : table) {
    EXPECT_EQ(ArrondirTaille(taille), arrondie) << taille;
  }
}

// Each kind of serializer, its description written and read back in both
// formats: the copy answers as the original (except what the compact format
// drops) and reads values the original wrote.
struct TypeCasDescription {
  std::string Nom;
  std::function<TypeSerialisateur()> Creer;
  // What the compact format changes: size and alignment expected after it,
  // -1 for the original's.
  std::int32_t TailleV1 = -1;
  std::int32_t AlignementV1 = -1;
};

std::vector<TypeCasDescription> TousLesCasDescription() {
  return {
      {"Raw3", [] { return Raw(3); }, 4, 4},
      {"Raw16Aligne4", [] { return Raw(16, 4); }, 16, 16},
      {"Flottant8", [] { return Flottant(8); }},
      {"Chaine", [] { return Chaine(); }},
      {"Interface", [] { return InterfaceExemple(); }},
      {"Objet", [] { return Objet(); }},
      {"Record", [] { return SerialisateurRiche(); }},
      {"RecordImbrique", [] { return SerialisateurImbrique(); }},
      {"RecordCompacte",
       [] {
         return Enregistrement(5, {{u"A", 0, Raw(1)}, {u"B", 1, Raw(4)}});
       },
       8, 4},
      {"TableauDynamique", [] { return Dynamique(SerialisateurSimple()); }},
      {"TableauOuvert", [] { return Ouvert(Chaine()); }},
      {"TableauTailleFixe", [] { return Fixe(3, Raw(2)); }, 0, 2},
      {"TableauDeTableaux", [] { return Dynamique(Fixe(2, Dynamique(Chaine()))); }},
  };
}

class Description : public ::testing::TestWithParam<TypeCasDescription> {};

TEST_P(Description, RelueParIFSTout) {
  TypeSerialisateur original = GetParam().Creer();
  TypeSerialisateur copie = CopieParDescription(original.Get(), Tout);
  EXPECT_NE(copie.Get(), original.Get());
  EXPECT_EQ(NomClasse(copie.Get()), NomClasse(original.Get()));
  EXPECT_EQ(copie->GetTaille(), original->GetTaille());
  EXPECT_EQ(copie->GetAlignement(), original->GetAlignement());
  EXPECT_EQ(copie->GetEstGere(), original->GetEstGere());
  EXPECT_EQ(copie->GetEstFlottant(), original->GetEstFlottant());
  EXPECT_EQ(copie->GetNombreParametres(), original->GetNombreParametres());
  EXPECT_TRUE(copie->EstCompatibleAvec(original.Get()));
  // A value written through the original reads back through the copy.
  TConteneurParametre* ecrit = original->CreerConteneur(u"V");
  TFluxMemoire flux;
  {
    auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
    original->SerialiserValeur(ecrit, *ecrivain, Tout, false);
    ecrivain->EcrireEntier(Sentinelle);
  }
  original->LibererConteneur(ecrit, true);
  flux.SetPosition(0);
  TConteneurParametre* lu = copie->CreerConteneur(u"V");
  auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
  copie->DeserialiserValeur(lu, *lecteur, Tout, false);
  EXPECT_EQ(lecteur->LireEntier(), Sentinelle);
  copie->LibererConteneur(lu, true);
}

TEST_P(Description, RelueParIFSSerialisationGeneriqueV1) {
  TypeSerialisateur original = GetParam().Creer();
  TypeSerialisateur copie = CopieParDescription(original.Get(), GeneriqueV1);
  EXPECT_EQ(NomClasse(copie.Get()), NomClasse(original.Get()));
  const std::int32_t taille =
      GetParam().TailleV1 >= 0 ? GetParam().TailleV1 : original->GetTaille();
  const std::int32_t alignement =
      GetParam().AlignementV1 >= 0 ? GetParam().AlignementV1 : original->GetAlignement();
  EXPECT_EQ(copie->GetTaille(), taille);
  EXPECT_EQ(copie->GetAlignement(), alignement);
  EXPECT_EQ(copie->GetEstGere(), original->GetEstGere());
}

TEST_P(Description, TraceCommenceParClasse) {
  TypeSerialisateur serialisateur = GetParam().Creer();
  auto trace = Nouveau<TFormateurTrace>();
  Convertir<IFSPourTrace>(serialisateur.Get())->SerialiserPourTrace(*trace, Tout);
  ASSERT_GE(trace->Lignes.size(), 3u);
  EXPECT_EQ(trace->Lignes[0], u"<Classe>");
  EXPECT_EQ(trace->Lignes[1], u"s:" + NomClasse(serialisateur.Get()));
  EXPECT_EQ(trace->Lignes[2], u"</>");
  std::int32_t profondeur = 0;
  for (const std::u16string& ligne : trace->Lignes) {
    if (ligne == u"</>") {
      --profondeur;
    } else if (ligne.starts_with(u"<")) {
      ++profondeur;
    }
    ASSERT_GE(profondeur, 0);
  }
  EXPECT_EQ(profondeur, 0) << "every element closed";
}

INSTANTIATE_TEST_SUITE_P(Serialisateurs, Description, ::testing::ValuesIn(TousLesCasDescription()),
                         [](const auto& AInfo) { return AInfo.param.Nom; });

TEST(Description, TracesDetaillees) {
  auto trace = Nouveau<TFormateurTrace>();
  Convertir<IFSPourTrace>(Raw(3).Get())->SerialiserPourTrace(*trace, Tout);
  EXPECT_EQ(trace->Tout(),
            u"<Classe> s:TSerialisateurParametreRaw </> <TailleUtile> i:3 </> <Taille> i:4 </> "
            u"<Alignement> i:3 </>");
  trace->Lignes.clear();
  Convertir<IFSPourTrace>(Fixe(2, Raw(1)).Get())->SerialiserPourTrace(*trace, Tout);
  const std::u16string tableau = trace->Tout();
  EXPECT_TRUE(
      tableau.starts_with(u"<Classe> s:TSerialisateurParametreTableauTailleFixe </> "
                          u"<SousParametreElements> <Classe> "
                          u"s:TInfoParametreServiceInvocable </> <Nom> s:Elements </>"))
      << std::string(tableau.begin(), tableau.end());
  EXPECT_TRUE(tableau.ends_with(u"<NombreElements> i:2 </>"));
  EXPECT_NE(tableau.find(u"<SousParametreIndices> <Classe> s:TInfoParametreServiceInvocable </> "
                         u"<Nom> s:Elements.@Indice </>"),
            std::u16string::npos);
}

TEST(Description, TableauTailleFixeGardeSonNombreParIFSToutSeulement) {
  auto tableau = Fixe(5, Raw(4));
  EXPECT_EQ(dynamic_cast<TSerialisateurParametreTableauTailleFixe&>(
                *CopieParDescription(tableau.Get(), Tout))
                .GetNombreElements(),
            5);
  EXPECT_EQ(dynamic_cast<TSerialisateurParametreTableauTailleFixe&>(
                *CopieParDescription(tableau.Get(), GeneriqueV1))
                .GetNombreElements(),
            0);
}

// Records: compactness and layout.

TEST(Record, CompactageDetecte) {
  struct TypeCas {
    std::int32_t OffsetB;
    std::int32_t Taille;
    bool Compacte;
    std::int32_t Alignement;
  };
  // { a: byte; b: 32-bit } with b at 4 (natural) or at 1 (packed); a record
  // whose fields never sit where the two layouts part stays not packed.
  for (const TypeCas& cas : {TypeCas{4, 8, false, 4}, TypeCas{1, 5, true, 1}}) {
    auto record =
        Enregistrement(static_cast<std::size_t>(cas.Taille),
                       {{u"A", 0, Raw(1)}, {u"B", static_cast<std::size_t>(cas.OffsetB), Raw(4)}});
    EXPECT_EQ(record->GetCompacte(), cas.Compacte) << cas.OffsetB;
    EXPECT_EQ(record->GetAlignement(), cas.Alignement);
  }
  EXPECT_FALSE(Enregistrement(8, {{u"A", 0, Raw(4)}, {u"B", 4, Raw(4)}})->GetCompacte());
  // Only the end tells: { b: 32-bit; a: byte } of 5 bytes is packed.
  EXPECT_TRUE(Enregistrement(5, {{u"B", 0, Raw(4)}, {u"A", 4, Raw(1)}})->GetCompacte());
  EXPECT_FALSE(Enregistrement(8, {{u"B", 0, Raw(4)}, {u"A", 4, Raw(1)}})->GetCompacte());
}

TEST(Record, RelueEnGeneriqueV1DisposeeNaturellement) {
  auto compacte = Enregistrement(5, {{u"A", 0, Raw(1)}, {u"B", 1, Raw(4)}});
  TypeSerialisateur tout = CopieParDescription(compacte.Get(), Tout);
  auto& copieTout = dynamic_cast<TSerialisateurParametreRecord&>(*tout);
  EXPECT_TRUE(copieTout.GetCompacte());
  EXPECT_EQ(copieTout.GetInfoChamp(1)->GetOffset(), 1);
  EXPECT_EQ(copieTout.GetTaille(), 5);
  TypeSerialisateur v1 = CopieParDescription(compacte.Get(), GeneriqueV1);
  auto& copieV1 = dynamic_cast<TSerialisateurParametreRecord&>(*v1);
  EXPECT_FALSE(copieV1.GetCompacte());
  EXPECT_EQ(copieV1.GetInfoChamp(1)->GetOffset(), 4);
  EXPECT_EQ(copieV1.GetTaille(), 8);
}

TEST(Record, DispositionDesChampsDUnRecordRelu) {
  // Read back, the rich record is laid out as the C++ compiler laid it out.
  TypeSerialisateur copie = CopieParDescription(SerialisateurRiche().Get(), Tout);
  auto& record = dynamic_cast<TSerialisateurParametreRecord&>(*copie);
  EXPECT_EQ(record.GetInfoChamp(1)->GetOffset(),
            static_cast<std::int32_t>(offsetof(TypeRiche, Texte)));
  EXPECT_EQ(record.GetInfoChamp(4)->GetOffset(),
            static_cast<std::int32_t>(offsetof(TypeRiche, Objet)));
  EXPECT_EQ(record.GetTaille(), static_cast<std::int32_t>(sizeof(TypeRiche)));
  // A record without fields: alignment 0, size 0, and no division by zero.
  auto vide = Nouveau<TSerialisateurParametreRecord>();
  vide->CalculerDisposition();
  EXPECT_EQ(vide->GetTaille(), 0);
  EXPECT_EQ(vide->GetAlignement(), 0);
}

TEST(Record, CompacteNeTientQueDesOctets) {
  // A packed record may hold raw values, and records or arrays of them...
  auto octets = Enregistrement(
      7, {{u"A", 0, Raw(1)},
          {u"B", 1, Enregistrement(6, {{u"C", 0, Raw(2)}, {u"D", 2, Fixe(2, Raw(2))}})}});
  ASSERT_TRUE(octets->GetCompacte());
  EXPECT_EQ(CopieParDescription(octets.Get(), Tout)->GetTaille(), 7);
  // ...but a string or a pointer at an unaligned place is refused when read.
  const TypeSerialisateur nonAlignes[] = {Chaine(), InterfaceExemple(), Objet(), Dynamique(Raw(1))};
  for (const TypeSerialisateur& champ : nonAlignes) {
    auto record = Enregistrement(1 + static_cast<std::size_t>(champ->GetTaille()),
                                 {{u"A", 0, Raw(1)}, {u"S", 1, champ}});
    ASSERT_TRUE(record->GetCompacte());
    EXPECT_THROW(CopieParDescription(record.Get(), Tout), EReadError)
        << NomClasse(champ.Get()).size();
  }
}

TEST(Record, AlignementQuiNEstPasUnePuissanceDeDeuxRefuseAvecUneChaine) {
  // Raw alignments may be anything (3 for a 3-byte value); a record of them
  // reads back, but one that also holds a string would misplace it in an
  // array of such records.
  auto octets = Enregistrement(24, {{u"A", 0, Raw(12, 12)}, {u"B", 12, Raw(3)}});
  EXPECT_EQ(CopieParDescription(octets.Get(), Tout)->GetAlignement(), 12);
  auto chaine = Enregistrement(48, {{u"A", 0, Raw(12, 12)}, {u"S", 16, Chaine()}});
  EXPECT_THROW(CopieParDescription(chaine.Get(), Tout), EReadError);
}

// Replacing a parameter's serializer.

TEST(InfoParametre, RemplacementDeSerialisateur) {
  auto info = Construire<TInfoParametreServiceInvocable>();
  info->SetSerialisateur(Raw(4, 4));  // a first assignment is never refused
  TypeSerialisateur present = info->GetSerialisateur();
  try {
    info->SetSerialisateur(Raw(4, 2));
    ADD_FAILURE() << "an incompatible serializer was accepted";
  } catch (const Exception& AErreur) {
    EXPECT_EQ(AErreur.Message(), u"Les types sérialisateurs de paramètres sont incompatibles.");
  }
  EXPECT_EQ(info->GetSerialisateur().Get(), present.Get()) << "the present one is kept";
  info->SetSerialisateur(Flottant(4));  // same size and alignment, whatever the class
  EXPECT_TRUE(info->GetSerialisateur()->GetEstFlottant());
  info->SetSerialisateur(nullptr);
  EXPECT_FALSE(info->GetSerialisateur());
  // Interfaces also need the same GUID.
  info->SetSerialisateur(InterfaceExemple());
  EXPECT_THROW(info->SetSerialisateur(Nouveau<TSerialisateurParametreInterface>(GuidAutre)),
               Exception);
  info->SetSerialisateur(InterfaceExemple());
  info->Liberer();
}

TEST(InfoParametre, ReponsesDeduitesDuSerialisateur) {
  struct TypeCas {
    TypeSerialisateur Serialisateur;
    std::int32_t TailleSurPile;
    bool Registre32;
    bool Registre64;
    bool RetourParRegistre;
  };
  const TypeCas table[] = {
      {Raw(1), 8, true, true, true},
      {Raw(3), 8, true, true, true},  // occupies 4 bytes
      {Enregistrement(3, {{u"A", 0, Raw(1)}, {u"B", 1, Raw(1)}, {u"C", 2, Raw(1)}}), 8, true, false,
       false},
      {Raw(8), 8, false, true, true},
      {Raw(12), 16, false, false, false},
      {Chaine(), 32, false, false, false},
      {InterfaceExemple(), 8, false, true, false},
      {Ouvert(Raw(4)), 16, false, false, false},
  };
  auto info = Construire<TInfoParametreServiceInvocable>();
  for (const TypeCas& cas : table) {
    info->SetSerialisateur(nullptr);
    info->SetSerialisateur(cas.Serialisateur);
    EXPECT_EQ(info->GetTailleSurPile(), cas.TailleSurPile) << cas.Serialisateur->GetTaille();
    EXPECT_EQ(info->GetPasseEnRegistre32(), cas.Registre32) << cas.Serialisateur->GetTaille();
    EXPECT_EQ(info->GetPasseEnRegistre64(), cas.Registre64) << cas.Serialisateur->GetTaille();
    EXPECT_EQ(info->GetRetourParRegistre(), cas.RetourParRegistre)
        << cas.Serialisateur->GetTaille();
  }
  info->SetSerialisateur(nullptr);
  info->SetSerialisateur(Flottant(8));
  info->SetModes(mpsEntrant);
  EXPECT_TRUE(info->GetEstFlottantEnRegistre());
  info->SetModes(mpsEntrant | mpsParReference);
  EXPECT_FALSE(info->GetEstFlottantEnRegistre());
  info->SetSerialisateur(nullptr);
  EXPECT_THROW(info->GetTaille(), Exception) << "no serializer: refused, not a crash";
  info->Liberer();
}

TEST(InfoParametre, NePasLibererLaValeurRetientLesObjets) {
  auto info = Construire<TInfoParametreServiceInvocable>();
  info->SetSerialisateur(Objet());
  info->SetNePasLibererLaValeur(true);
  TObjetInterfacable* objet = Construire<TExempleCompte>(false);
  const int vivants = TExempleCompte::Vivants;
  TObjetInterfacable* place = objet;
  info->LibererValeur(&place, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants);
  EXPECT_EQ(place, nullptr);
  objet->Liberer();
  info->Liberer();
}

TEST(InfoParametre, DescriptionsDansChaqueFormat) {
  auto info = Construire<TInfoParametreServiceInvocable>();
  info->SetNom(u"P");
  info->SetOffset(32);
  info->SetModesAPriori(mpsEntrant | mpsParReference);
  info->SetModes(mpsEntrant);
  info->SetSerialisateur(Raw(4));
  info->SetPlusieursParametres(true);
  struct TypeCas {
    std::function<void(IFormatter&)> Ecrire;
    std::u16string Attendu;
  };
  const TypeCas table[] = {
      {[&](IFormatter& F) { info->Serialiser(F, Tout); }, u"s:P o:5 interface b:0 b:1"},
      {[&](IFormatter& F) { info->SerialiserGeneriqueV1(F, Tout); },
       u"s:P i:24 o:1 interface b:0 b:1"},
      {[&](IFormatter& F) { info->SerialiserSousParametre(F, Tout); },
       u"s:P i:32 o:1 interface b:0 b:1"},
  };
  for (const TypeCas& cas : table) {
    auto trace = Nouveau<TFormateurTrace>();
    cas.Ecrire(*trace);
    EXPECT_EQ(trace->Tout(), cas.Attendu);
  }
  auto trace = Nouveau<TFormateurTrace>();
  info->SerialiserPourTrace(*trace, Tout);
  EXPECT_EQ(trace->Tout(),
            u"<Classe> s:TInfoParametreServiceInvocable </> <Nom> s:P </> <Offset> i:32 </> "
            u"<ModesAPriori> <Mode> v1:0 </> <Mode> v1:2 </> </> "
            u"<Modes> <Mode> v1:0 </> </> <Serialisateur> <Classe> "
            u"s:TSerialisateurParametreRaw </> <TailleUtile> i:4 </> <Taille> i:4 </> "
            u"<Alignement> i:4 </> </> <NePasLibererLaValeur> b:0 </> "
            u"<PlusieursParametres> b:1 </>");
  // The modes went through the value writer, as values of their enumeration.
  ASSERT_EQ(trace->TypesEcrits.size(), 3u);
  for (const TInfoType* type : trace->TypesEcrits) {
    EXPECT_EQ(type, &InfoTypeDe<TypeModeParametre>());
  }
  // Read back through the compact format: the modes in force land in
  // ModesAPriori, the offset is dropped.
  TFluxMemoire flux;
  info->SerialiserGeneriqueV1(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture),
                              GeneriqueV1);
  flux.SetPosition(0);
  auto relu = Construire<TInfoParametreServiceInvocable>();
  relu->DeserialiserGeneriqueV1(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture),
                                GeneriqueV1);
  EXPECT_EQ(relu->GetNom(), u"P");
  EXPECT_EQ(relu->GetOffset(), 0);
  EXPECT_EQ(relu->GetModesAPriori(), mpsEntrant);
  EXPECT_EQ(relu->GetSerialisateur()->GetTaille(), 4);
  EXPECT_TRUE(relu->GetPlusieursParametres());
  relu->Liberer();
  info->Liberer();
}

TEST(InfoParametre, SerialisateurLuQuiNEnEstPasUnRefuse) {
  // A description whose serializer slot holds another serialisable object.
  TFluxMemoire flux;
  {
    auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
    ecrivain->EcrireChaine(u"P");
    ecrivain->EcrireOctet(1);
    ecrivain->EcrireInterface(Nouveau<TExempleCompte>(true, 1)->InterfaceDeBase(), Tout);
    ecrivain->EcrireBooleen(false);
    ecrivain->EcrireBooleen(false);
  }
  flux.SetPosition(0);
  auto info = Construire<TInfoParametreServiceInvocable>();
  EXPECT_THROW(
      info->Deserialiser(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture), Tout),
      EIntfCastError);
  info->Liberer();
}

// Lists and paths.

class Chemins : public ::testing::Test {
 protected:
  // [0] "Rec": { X: raw, Y: dynamic array of raw }; [1] "Tab": dynamic array
  // of simple records; [2] "Brut": raw.
  void SetUp() override {
    FListe.CreerInfoParametres(3);
    FListe.GetInfoParametre(0)->SetNom(u"Rec");
    FListe.GetInfoParametre(0)->SetSerialisateur(
        Enregistrement(16, {{u"X", 0, Raw(4)}, {u"Y", 8, Dynamique(Raw(4))}}));
    FListe.GetInfoParametre(1)->SetNom(u"Tab");
    FListe.GetInfoParametre(1)->SetSerialisateur(Dynamique(SerialisateurSimple()));
    FListe.GetInfoParametre(2)->SetNom(u"Brut");
    FListe.GetInfoParametre(2)->SetSerialisateur(Raw(2));
  }
  void TearDown() override { FListe.Vider(); }

  TypeListeInfoParametresServiceInvocable FListe;
};

TEST_F(Chemins, NomsPointesEnIndices) {
  using TypeChemin = std::vector<std::int32_t>;
  const std::pair<std::u16string_view, TypeChemin> table[] = {
      {u"Rec", {0}},
      {u"rec.y", {0, 1}},
      {u"Tab.Elements", {1, 0}},
      {u"Tab.Elements.B", {1, 0, 1}},
      {u"Tab.Elements.@Indice", {1, 1}},
      {u"Rec.Y.Elements.@Indice", {0, 1, 1}},
      {u"Inconnu", {-1}},
      {u"Rec.Inconnu", {0, -1}},
      {u"Brut.Partie", {2, -1}},
  };
  for (const auto& [nom, chemin] : table) {
    EXPECT_EQ(FListe.GetCheminParametre(nom), chemin) << std::string(nom.begin(), nom.end());
  }
  TypeListeInfoParametresServiceInvocable sousParametres;
  Convertir<ISerialisateurAvecSousParametres>(FListe.GetInfoParametre(1)->GetSerialisateur().Get())
      ->GetInfoSousParametres(sousParametres);
  EXPECT_EQ(sousParametres.GetCheminParametre(u"Elements.@Indice"), TypeChemin{1});
}

TEST_F(Chemins, DescriptionsTraversees) {
  const std::vector<std::int32_t> chemin = FListe.GetCheminParametre(u"Tab.Elements.B");
  const TTabInfoParametreServiceInvocable traverses = FListe.GetTabInfoParametresTraverses(chemin);
  ASSERT_EQ(traverses.size(), 3u);
  EXPECT_EQ(traverses[0]->GetNom(), u"Tab");
  EXPECT_EQ(traverses[1]->GetNom(), u"Elements");
  EXPECT_EQ(traverses[2]->GetNom(), u"B");
  EXPECT_THROW(FListe.GetTabInfoParametresTraverses(FListe.GetCheminParametre(u"Rec.Inconnu")),
               EListError);
  EXPECT_THROW(FListe.GetTabInfoParametresTraverses(std::vector<std::int32_t>{3}), EListError);
  EXPECT_THROW(FListe.GetTabInfoParametresTraverses({}), EListError);
  EXPECT_THROW(FListe.GetTabInfoParametresTraverses(std::vector<std::int32_t>{2, 0}),
               EIntfCastError);
}

TEST_F(Chemins, CouplageDeConteneurs) {
  std::vector<TConteneurParametre*> conteneurs;
  for (TInfoParametreServiceInvocable* info : FListe.FInfoParametres) {
    conteneurs.push_back(info->CreerConteneur());
  }
  const TypeInfoCouplageParametresServiceInvocable couplage(
      FListe.GetCheminParametre(u"Tab.Elements.@Indice"), FListe.GetCheminParametre(u"Rec.X"));
  couplage.CouplerConteneurs(conteneurs);
  TConteneurParametre* indice = conteneurs[1]->GetSousConteneur(1);
  ASSERT_EQ(indice->GetNombreConteneursCouples(), 1);
  EXPECT_EQ(indice->GetConteneurCouple(0), conteneurs[0]->GetSousConteneur(0));
  EXPECT_EQ(indice->GetNom(), u"Elements.@Indice");
  for (const auto& invalide : {TypeInfoCouplageParametresServiceInvocable({0, -1}, {0}),
                               TypeInfoCouplageParametresServiceInvocable({0}, {}),
                               TypeInfoCouplageParametresServiceInvocable({5}, {0}),
                               TypeInfoCouplageParametresServiceInvocable({2, 0}, {0})}) {
    EXPECT_THROW(invalide.CouplerConteneurs(conteneurs), EListError);
  }
  EXPECT_EQ(conteneurs[0]->GetNombreConteneursCouples(), 0) << "a refused path couples nothing";
  for (std::size_t i = 0; i < conteneurs.size(); ++i) {
    FListe.GetInfoParametre(static_cast<std::int32_t>(i))->LibererConteneur(conteneurs[i], true);
  }
}

TEST(Couplage, EcritRelueEtTracee) {
  const TypeInfoCouplageParametresServiceInvocable couplage({1, 1}, {0, 2, -3});
  TFluxMemoire flux;
  couplage.SerialiserTout(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture), Tout);
  flux.SetPosition(0);
  TypeInfoCouplageParametresServiceInvocable relu;
  relu.DeserialiserTout(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture), Tout);
  EXPECT_EQ(relu.CheminParamUtilisateur, couplage.CheminParamUtilisateur);
  EXPECT_EQ(relu.CheminParamUtilise, couplage.CheminParamUtilise);
  auto trace = Nouveau<TFormateurTrace>();
  couplage.SerialiserPourTrace(*trace, Tout);
  EXPECT_EQ(trace->Tout(),
            u"<CheminParamUtilisateur> t:1,1, </> <CheminParamUtilise> t:0,2,-3, </>");
}

TEST(ListeInfoParametres, CreeeEcriteRelueVidee) {
  TypeListeInfoParametresServiceInvocable liste;
  EXPECT_EQ(liste.CreerInfoParametres(2), 0);
  EXPECT_EQ(liste.CreerInfoParametres(1), 2);
  ASSERT_EQ(liste.GetNombre(), 3);
  liste.GetInfoParametre(0)->SetNom(u"a");
  liste.GetInfoParametre(1)->SetNom(u"b");
  liste.GetInfoParametre(1)->SetSerialisateur(Chaine());
  TFluxMemoire flux;
  liste.Serialiser(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture), Tout);
  flux.SetPosition(0);
  TypeListeInfoParametresServiceInvocable relue;
  relue.CreerInfoParametres(5);  // replaced, and freed, by the read
  relue.Deserialiser(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture), Tout);
  ASSERT_EQ(relue.GetNombre(), 3);
  EXPECT_EQ(relue.GetInfoParametre(1)->GetNom(), u"b");
  EXPECT_EQ(relue.GetInfoParametre(1)->GetSerialisateur()->GetTaille(),
            static_cast<std::int32_t>(sizeof(std::u16string)));
  EXPECT_FALSE(relue.GetInfoParametre(0)->GetSerialisateur());
  auto trace = Nouveau<TFormateurTrace>();
  liste.SerialiserPourTrace(*trace, Tout);
  EXPECT_EQ(std::count(trace->Lignes.begin(), trace->Lignes.end(), u"<Parametre>"), 3);
  const TypeListeInfoParametresServiceInvocable copie = liste;  // shares the descriptions
  EXPECT_EQ(copie.GetInfoParametre(2), liste.GetInfoParametre(2));
  liste.Vider();
  EXPECT_EQ(liste.GetNombre(), 0);
  relue.Vider();
  EXPECT_THROW(liste.CreerInfoParametres(-1), EArgumentInvalide);
}

// Serialisable objects and instantiators.

class TObjetSerialisableSimple : public TObjetSerialisable {
  KV_CLASSE_SERIALISABLE(TObjetSerialisableSimple, TObjetSerialisable)

 public:
  explicit TObjetSerialisableSimple(bool ALiberationAutomatique)
      : TObjetSerialisable(ALiberationAutomatique) {
    ++Vivants;
  }
  static inline int Vivants = 0;

 protected:
  ~TObjetSerialisableSimple() override { --Vivants; }
};

TEST(ObjetSerialisable, InstanciateursEnregistresUneFois) {
  TRef<IMetaInfoClasse> metaInfo = TObjetSerialisableSimple::Classe().GetMetaInfoClasse();
  auto instanciateur = Interroger<IInstanciateur>(metaInfo);
  auto serialisable = Interroger<IInstanciateurObjetSerialisable>(metaInfo);
  ASSERT_TRUE(instanciateur);
  ASSERT_TRUE(serialisable);
  EXPECT_EQ(metaInfo->GetNom(), u"TOBJETSERIALISABLESIMPLE");
  TRef<IMetaInfoClasse> encore = TObjetSerialisableSimple::Classe().GetMetaInfoClasse();
  EXPECT_EQ(encore, metaInfo);
  EXPECT_EQ(Interroger<IInstanciateur>(encore), instanciateur) << "nothing registered again";
  // An instance answers its class's meta information.
  auto objet = Nouveau<TObjetSerialisableSimple>(true);
  EXPECT_EQ(objet->GetMetaInfoClasse(), metaInfo);
}

TEST(ObjetSerialisable, ObjetsInstanciesEtLeurLiberation) {
  TRef<IMetaInfoClasse> metaInfo = TObjetSerialisableSimple::Classe().GetMetaInfoClasse();
  const int vivants = TObjetSerialisableSimple::Vivants;
  auto instanciateur = Interroger<IInstanciateurObjetSerialisable>(metaInfo);
  {
    TRef<TObjetSerialisable> automatique(instanciateur->InstancierObjetSerialisable(true));
    EXPECT_TRUE(dynamic_cast<TObjetSerialisableSimple*>(automatique.Get())) << "most derived";
    EXPECT_EQ(TObjetSerialisableSimple::Vivants, vivants + 1);
  }
  EXPECT_EQ(TObjetSerialisableSimple::Vivants, vivants) << "freed by its last reference";
  TObjetInterfacable* explicite = Interroger<IInstanciateur>(metaInfo)->Instancier();
  { TRef<IInterface> reference(explicite->InterfaceDeBase()); }
  EXPECT_EQ(TObjetSerialisableSimple::Vivants, vivants + 1) << "Instancier: freed by its owner";
  explicite->Liberer();
  {
    TRef<IInterface> parInterface = Interroger<IInstanciateur>(metaInfo)->InstancierInterface();
    EXPECT_EQ(TObjetSerialisableSimple::Vivants, vivants + 1);
  }
  EXPECT_EQ(TObjetSerialisableSimple::Vivants, vivants) << "an interface reference owns it";
}

TEST(ObjetSerialisable, SerialisateursToujoursLibresAvecLeurReference) {
  TRef<IMetaInfoClasse> metaInfo = TSerialisateurParametreString::Classe().GetMetaInfoClasse();
  auto instanciateur = Interroger<IInstanciateurObjetSerialisable>(metaInfo);
  TObjetSerialisable* objet = instanciateur->InstancierObjetSerialisable(false);
  EXPECT_TRUE(objet->LiberationAutomatique());
  TRef<IInterface>(objet->InterfaceDeBase());  // goes with this reference
  TRef<IInterface> serialisateur = Interroger<IInstanciateur>(metaInfo)->InstancierInterface();
  EXPECT_TRUE(Interroger<ISerialisateurParametre>(serialisateur));
  // The abstract base cannot be made.
  EXPECT_THROW(TSerialisateurParametreTableau::Classe().Create(true), EAbstractError);
}

TEST(ObjetSerialisable, ClassesDuSerialiseurConnuesParLeurNom) {
  // What a reader that never wrote one relies on (registered at start-up).
  for (const std::u16string_view nom :
       {u"TSerialisateurParametreRaw", u"TSerialisateurParametreRecord",
        u"TSerialisateurParametreTableauDynamique", u"IInstanciateurObjetSerialisable"}) {
    EXPECT_TRUE(TSingletonMetaInfo::GetMetaInfoParNom(nom)) << std::string(nom.begin(), nom.end());
  }
}

}  // namespace
}  // namespace kv::test
