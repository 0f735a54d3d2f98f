// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Concours.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

TPilote pilote(const char* nom, const char* dossard)
{
    TPilote p;
    p.SetNom(nom);
    p.SetDossard(dossard);
    return p;
}

void ajoute(TConcours& c, const TPilote& p)
{
    c.AjoutePilote();
    c.SetPilote(p, c.NbPilotes());
}

TJuge juge(const char* nom, const char* prenom, int grade)
{
    TJuge j;
    j.SetNom(nom);
    j.SetPrenom(prenom);
    j.SetGrade(grade);
    return j;
}

} // namespace

TEST(Concours, newCompetitionHasTheDefaults)
{
    const TConcours c;
    EXPECT_STREQ(c.GetCategorie(), "F3A");
    EXPECT_STREQ(c.GetSerie(), "1");
    EXPECT_EQ(c.GetNbJuges(), 5);
    EXPECT_EQ(c.GetNbVols(), 1);
    EXPECT_STREQ(c.GetDateDebut(), Date().GetTexte());
    EXPECT_STREQ(c.GetDateFin(), Date().GetTexte());
    EXPECT_EQ(c.NbPilotes(), 0);
    EXPECT_EQ(c.NbJugesSaisis(), 0);
    EXPECT_EQ(c.GetVolCourant(), 1);
    EXPECT_STREQ(c.GetDossardCourant(), "");
    EXPECT_STREQ(c.GetTitre(), "");
    for (short i = 0; i < MAX_VOLS; ++i)
        EXPECT_STREQ(c.GetProgrammeVol(i), "");
    EXPECT_EQ(c.GetProgramme().NbFigures(), 0);
}

TEST(Concours, nouveauResetsEverythingButTheLoadedProgramme)
{
    TConcours c;
    c.SetTitre("Coupe");
    c.SetCategorie("VGM");
    c.SetSerie("1 1/2");
    c.SetNbJuges(3);
    c.SetProgrammeVol("P.txt", 6);
    c.SetDateDebut("01/01/1999");
    ajoute(c, pilote("A", "1"));
    c.AjouteJuge();
    c.SetVolCourant(4);
    c.SetDossardCourant("1");
    c.Nouveau();
    EXPECT_STREQ(c.GetTitre(), "");
    EXPECT_STREQ(c.GetCategorie(), "F3A");
    EXPECT_STREQ(c.GetSerie(), "1");
    EXPECT_EQ(c.GetNbJuges(), 5);
    EXPECT_STREQ(c.GetProgrammeVol(6), "");
    EXPECT_STREQ(c.GetDateDebut(), Date().GetTexte());
    EXPECT_EQ(c.NbPilotes(), 0);
    EXPECT_EQ(c.NbJugesSaisis(), 0);
    EXPECT_EQ(c.GetVolCourant(), 1);
    EXPECT_STREQ(c.GetDossardCourant(), "");
}

TEST(Concours, datesAndTheYear2000Rule)
{
    TConcours c;
    c.SetDateDebut("05/07/2000");
    EXPECT_STREQ(c.GetDateDebut(), "05/07/2000");
    EXPECT_EQ(c.GetDateDebutDate().GetJour(), 5);
    EXPECT_EQ(c.GetDateDebutDate().GetMois(), 7);
    EXPECT_TRUE(c.DepuisAn2000());
    c.SetDateDebut("31/12/1999");
    EXPECT_FALSE(c.DepuisAn2000());
}

TEST(Concours, judgeGradeListsForTheReport)
{
    TConcours c;
    for (const TJuge& j :
         {juge("Blanc", "Michel", 1), juge("Noir", "Anne", 2), juge("Vert", "Paul", 1)}) {
        c.AjouteJuge();
        c.SetJuge(j, c.NbJugesSaisis());
    }
    EXPECT_EQ(c.JugesStagiaires(), "Blanc Michel, Vert Paul, ");
    EXPECT_EQ(c.JugesAgrees(), "Noir Anne, ");
    EXPECT_EQ(c.JugesNationaux(), "");
    EXPECT_STREQ(c.GetJuge(2).GetNom(), "Noir");
    EXPECT_STREQ(c.GetJuge(9).GetNom(), ""); // past the end: an empty judge
}

TEST(Concours, listePilotesReturnsIndependentCopies)
{
    TConcours c;
    ajoute(c, pilote("B", "12"));
    ajoute(c, pilote("A", "3"));
    TPilotes copie = c.ListePilotes();
    copie.sort();
    copie.front().SetNom("Change");
    EXPECT_STREQ(c.GetPilote(1).GetNom(), "B");
    EXPECT_STREQ(c.GetPilote(2).GetNom(), "A");
}

TEST(Concours, pilotsByPositionAndDeletion)
{
    TConcours c;
    ajoute(c, pilote("Un", "1"));
    ajoute(c, pilote("Deux", "2"));
    ajoute(c, pilote("Trois", "3"));
    EXPECT_STREQ(c.GetPilote(0).GetNom(), "Un"); // 1 or less: the first
    EXPECT_STREQ(c.GetPilote(3).GetNom(), "Trois");
    EXPECT_STREQ(c.GetPilote(4).GetNom(), "");
    c.SupprimePilote(1);
    EXPECT_EQ(c.NbPilotes(), 2);
    EXPECT_STREQ(c.GetPilote(1).GetNom(), "Deux");
    c.SupprimePilote(5); // past the end: ignored
    c.SetPilote(pilote("X", "9"), 7);
    EXPECT_EQ(c.NbPilotes(), 2);
    EXPECT_STREQ(c.GetPilote(2).GetNom(), "Trois");
}

TEST(Concours, pilotsByBibMatchTheTextExactly)
{
    TConcours c;
    ajoute(c, pilote("Douze", "012"));
    ajoute(c, pilote("Premier", "12"));
    ajoute(c, pilote("Doublon", "12"));
    EXPECT_STREQ(c.GetPiloteDossard("12").GetNom(), "Premier");
    EXPECT_STREQ(c.GetPiloteDossard("012").GetNom(), "Douze");
    EXPECT_STREQ(c.GetPiloteDossard("99").GetNom(), "");

    c.SetDossardCourant("12");
    TPilote courant = c.GetPiloteCourant();
    courant.SetNote(1, 1, 1, 8);
    c.SetPiloteCourant(courant);
    EXPECT_EQ(c.GetPilote(2).GetNote(1, 1, 1), 8);
    EXPECT_EQ(c.GetPilote(3).GetNote(1, 1, 1), 0);
    EXPECT_EQ(c.GetPilote(1).GetNote(1, 1, 1), 0);

    c.SetDossardCourant("77"); // nobody: the write is ignored
    c.SetPiloteCourant(pilote("Intrus", "77"));
    EXPECT_EQ(c.NbPilotes(), 3);
}

TEST(Concours, textsAreCutToTheirCapacity)
{
    TConcours c;
    c.SetCategorie("F3AX");
    c.SetNumAffiliation("12345");
    c.SetTitre(std::string(80, 'T').c_str());
    c.SetDossardCourant("123456");
    EXPECT_STREQ(c.GetCategorie(), "F3A");
    EXPECT_STREQ(c.GetNumAffiliation(), "123");
    EXPECT_EQ(std::string(c.GetTitre()).size(), 50u);
    EXPECT_STREQ(c.GetDossardCourant(), "1234");
    c.SetProgrammeVol("x", 7); // no eighth flight
    EXPECT_STREQ(c.GetProgrammeVol(7), "");
}
