// SPDX-License-Identifier: GPL-3.0-or-later
// The judges' sheets from the field, without a server: what a phone may store and what it may not.
#include "terrain/Terrain.h"

#include "document/Document.h"
#include "model/Fichier.h"
#include "support/Fabrique.h"
#include "support/Interlocuteur.h"
#include "support/TestUtil.h"
#include "terrain/ConcoursTerrain.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tavo;
using namespace tavo::terrain;
using namespace tavo::test;

namespace {

class Terrain : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chemin = EcritConcoursTerrain(rep);
        ASSERT_FALSE(chemin.empty());
        ASSERT_EQ(document.Ouvre(chemin), Issue::Faite);
        terrain.Charge();
    }

    Reponse Note(short juge, const std::string& corps)
    {
        return terrain.Traite(juge, "POST", "/api/juge/note", {}, corps);
    }
    Reponse Envoi(short juge, const std::string& notes, const std::string& dossard = "7")
    {
        return terrain.Traite(juge, "POST", "/api/juge/envoi", {},
                              R"({"vol":1,"dossard":")" + dossard + R"(","notes":)" + notes + "}");
    }
    short NoteDe(const char* dossard, short ligne, short juge)
    {
        return document.Concours().GetPiloteDossard(dossard).GetNote(1, ligne, juge);
    }

    RepertoireTemporaire rep;
    std::string chemin;
    tavo::test::InterlocuteurMuet muet;
    TDocument document{muet};
    TTerrain terrain{document, rep.Chemin().string()};
};

} // namespace

TEST_F(Terrain, aJudgeStoresOnlyHisOwnColumnAndOnlyWhatTheLineAccepts)
{
    const std::string avant = document.Concours().Ecrit();
    const std::pair<int, std::string> refus[] = {
        {403, R"({"vol":1,"dossard":"7","ligne":1,"note":8,"juge":1})"}, // judge 2 as judge 1
        {404, R"({"vol":2,"dossard":"7","ligne":1,"note":8})"},          // no programme
        {404, R"({"vol":9,"dossard":"7","ligne":1,"note":8})"},
        {404, R"({"vol":1,"dossard":"99","ligne":1,"note":8})"},
        {404, R"({"vol":1,"dossard":7,"ligne":1,"note":8})"},
        {422, R"({"vol":1,"dossard":"7","ligne":0,"note":8})"},
        {422, R"({"vol":1,"dossard":"7","ligne":6,"note":8})"},
        {422, R"({"vol":1,"dossard":"7","ligne":1,"note":11})"}, // the keyboard's marks to check
        {422, R"({"vol":1,"dossard":"7","ligne":1,"note":20})"},
        {422, R"({"vol":1,"dossard":"7","ligne":1,"note":-1})"},
        {422, R"({"vol":1,"dossard":"7","ligne":1,"note":7.5})"},
        {422, R"({"vol":1,"dossard":"7","ligne":4,"note":3})"},  // noise: -5, 0, +5
        {422, R"({"vol":1,"dossard":"7","ligne":5,"note":-5})"}, // conformity: -10, 0
        {400, R"({"vol":1,"dossard":"7","ligne":1,"note":8)"},
        {400, R"([1,2,3])"},
    };
    for (const auto& [statut, corps] : refus) {
        const Reponse r = Note(2, corps);
        EXPECT_EQ(r.statut, statut) << corps;
        EXPECT_NE(r.corps.find("erreur"), std::string::npos) << corps;
    }
    EXPECT_EQ(terrain.Traite(3, "POST", "/api/juge/note", {}, "{}").statut,
              401); // not on the panel
    EXPECT_EQ(document.Concours().Ecrit(), avant);
    EXPECT_FALSE(document.Modifie());

    for (const char* corps : {R"({"vol":1,"dossard":"7","ligne":1,"note":8,"juge":2})",
                              R"({"vol":1,"dossard":"7","ligne":4,"note":-5})",
                              R"({"vol":1,"dossard":"7","ligne":5,"note":-10})"})
        EXPECT_EQ(Note(2, corps).statut, 200) << corps;
    EXPECT_EQ(NoteDe("7", 1, 2), 8);
    EXPECT_EQ(NoteDe("7", 4, 2), -5);
    EXPECT_EQ(NoteDe("7", 5, 2), -10);
    EXPECT_EQ(NoteDe("7", 1, 1), 0);
    EXPECT_TRUE(document.Modifie());
    EXPECT_EQ(terrain.Case(1, "7", 2).etat, CaseGrille::Etat::EnCours);
    EXPECT_EQ(terrain.Case(1, "7", 2).notees, 3);
}

TEST_F(Terrain, aSheetShowsTheJudgesOwnTappedMarksAndNothingForLinesNeverTapped)
{
    ASSERT_EQ(Note(1, R"({"vol":1,"dossard":"7","ligne":2,"note":0})").statut, 200);
    ASSERT_EQ(Note(2, R"({"vol":1,"dossard":"7","ligne":1,"note":9})").statut, 200);
    const Reponse r =
        terrain.Traite(1, "GET", "/api/juge/feuille", {{"vol", "1"}, {"dossard", "7"}}, "");
    ASSERT_EQ(r.statut, 200);
    EXPECT_NE(r.corps.find(R"("notes":[null,0,null,null,null])"), std::string::npos) << r.corps;
    EXPECT_NE(r.corps.find(R"("valeurs":[-5,0,5])"), std::string::npos);
    EXPECT_NE(r.corps.find(R"("valeurs":[-10,0])"), std::string::npos);
    EXPECT_EQ(
        terrain.Traite(1, "GET", "/api/juge/feuille", {{"vol", "1"}, {"dossard", "8"}}, "").statut,
        404);
    EXPECT_EQ(
        terrain.Traite(1, "GET", "/api/juge/feuille", {{"vol", "1x"}, {"dossard", "7"}}, "").statut,
        404);
}

TEST_F(Terrain, theSheetIsFinishedOnceWhenEveryJudgeSentItAndIsThenReadOnly)
{
    std::vector<FeuilleTerminee> terminees;
    terrain.SurFeuilleTerminee = [&](const FeuilleTerminee& f) { terminees.push_back(f); };

    EXPECT_EQ(Envoi(1, "[8,7,6,0]").statut, 422);      // a line short
    EXPECT_EQ(Envoi(1, "[8,7,6,0,null]").statut, 422); // a line never marked
    EXPECT_EQ(Envoi(1, "[8,7,6,3,0]").statut, 422);    // noise 3
    EXPECT_EQ(terrain.Case(1, "7", 1).etat, CaseGrille::Etat::Rien);
    ASSERT_EQ(Envoi(1, "[8,7,6,0,0]").statut, 200);
    EXPECT_EQ(terrain.Case(1, "7", 1).etat, CaseGrille::Etat::Envoyee);
    EXPECT_TRUE(terminees.empty());
    const Reponse encore = Envoi(1, "[1,1,1,0,0]");
    EXPECT_EQ(encore.statut, 200);
    EXPECT_NE(encore.corps.find("deja"), std::string::npos);
    EXPECT_EQ(NoteDe("7", 1, 1), 8); // the second send changed nothing
    EXPECT_EQ(Note(1, R"({"vol":1,"dossard":"7","ligne":1,"note":2})").statut, 403);
    EXPECT_EQ(NoteDe("7", 1, 1), 8);

    ASSERT_EQ(Envoi(2, "[10,9,8,5,-10]").statut, 200);
    ASSERT_EQ(terminees.size(), 1u);
    EXPECT_EQ(terminees[0].dossard, "7");
    TPilote attendu = document.Concours().GetPiloteDossard("7");
    TProgramme programme;
    ASSERT_TRUE(document.Concours().LitProgramme(1, rep.Chemin().string(), programme));
    attendu.CalculeVol(1, 2, programme);
    EXPECT_DOUBLE_EQ(terminees[0].score, attendu.GetScoreVol(1));
    EXPECT_DOUBLE_EQ(document.Concours().GetPiloteDossard("7").GetScoreVol(1),
                     attendu.GetScoreVol(1));
    EXPECT_EQ(Envoi(2, "[10,9,8,5,-10]").statut, 200);
    EXPECT_EQ(terminees.size(), 1u); // sending twice never counts twice
    EXPECT_TRUE(terrain.EnSaisie(1, "7"));
    EXPECT_FALSE(terrain.EnSaisie(1, "12"));
}

TEST_F(Terrain, keysAndSentSheetsOutliveARestartAndANewKeyRevokesTheOldOne)
{
    const std::string cle1 = terrain.Cle(1);
    EXPECT_EQ(cle1.size(), 32u);
    EXPECT_NE(cle1, terrain.Cle(2));
    EXPECT_EQ(terrain.JugeDeCle(cle1), 1);
    EXPECT_EQ(terrain.JugeDeCle(terrain.Cle(2)), 2);
    EXPECT_EQ(terrain.JugeDeCle(""), 0);
    EXPECT_EQ(terrain.JugeDeCle(terrain.Cle(3)), 0); // a judge off the panel opens nothing
    EXPECT_FALSE(MemesCles(cle1, cle1.substr(0, 31) + (cle1[31] == '0' ? "1" : "0")));
    ASSERT_EQ(Envoi(1, "[8,7,6,0,0]").statut, 200);

    struct stat etat = {};
    ASSERT_EQ(::stat(terrain.CheminEtat().c_str(), &etat), 0);
    EXPECT_EQ(etat.st_mode & 0777, 0600u);
    const auto proteges = FichiersDuConcours(chemin);
    EXPECT_NE(std::find(proteges.begin(), proteges.end(), terrain.CheminEtat()), proteges.end());

    TTerrain apres(document, rep.Chemin().string());
    apres.Charge();
    EXPECT_EQ(apres.Cle(1), cle1);
    EXPECT_EQ(apres.Case(1, "7", 1).etat, CaseGrille::Etat::Envoyee);
    EXPECT_EQ(apres
                  .Traite(1, "POST", "/api/juge/note", {},
                          R"({"vol":1,"dossard":"7","ligne":1,"note":2})")
                  .statut,
              403);
    apres.NouvelleCle(1);
    EXPECT_EQ(apres.JugeDeCle(cle1), 0);
    EXPECT_EQ(apres.JugeDeCle(apres.Cle(1)), 1);
}

TEST_F(Terrain, theOrganiserCallsAPilotThenTheNextInEntryOrder)
{
    EXPECT_FALSE(terrain.AppelCourant());
    EXPECT_TRUE(terrain.PiloteSuivant());
    EXPECT_EQ(terrain.AppelCourant(), (Appel{1, "7"}));
    EXPECT_TRUE(terrain.PiloteSuivant());
    EXPECT_EQ(terrain.AppelCourant(), (Appel{1, "12"}));
    EXPECT_FALSE(terrain.PiloteSuivant());
    const Reponse etat = terrain.Traite(2, "GET", "/api/juge/etat", {}, "");
    EXPECT_NE(etat.corps.find(R"("appel":{"dossard":"12","vol":1})"), std::string::npos)
        << etat.corps;
    EXPECT_NE(etat.corps.find(R"("prenom":"Léa")"), std::string::npos);
    EXPECT_TRUE(terrain.DerniereVue(2));
    EXPECT_FALSE(terrain.DerniereVue(1));
}

TEST_F(Terrain, aJudgesStateFollowsTheRenamedPilotAndTheSentSheetButNotEveryMark)
{
    const auto etat = [&] { return terrain.Traite(1, "GET", "/api/juge/etat", {}, "").corps; };
    const std::string avant = etat();
    // A mark changes nothing the judge's list shows: the list is not made again, not even for
    // a line marked for the first time (a name changed behind the document stays unseen).
    TPilote cache = document.Concours().GetPilote(1);
    cache.SetNom("CACHE");
    document.Concours().SetPilote(cache, 1);
    ASSERT_EQ(Note(1, R"({"vol":1,"dossard":"7","ligne":1,"note":8})").statut, 200);
    ASSERT_EQ(Note(1, R"({"vol":1,"dossard":"7","ligne":2,"note":7})").statut, 200);
    EXPECT_EQ(etat(), avant);

    TPilote pilote = document.Concours().GetPilote(1);
    pilote.SetNom("RENOMME");
    document.Concours().SetPilote(pilote, 1);
    document.MarqueModifie(); // as a dialog does
    EXPECT_NE(etat().find(R"("nom":"RENOMME")"), std::string::npos);

    EXPECT_EQ(etat().find(R"("envoyees":[1])"), std::string::npos);
    ASSERT_EQ(Envoi(1, "[8,7,6,0,0]").statut, 200);
    EXPECT_NE(etat().find(R"("envoyees":[1])"), std::string::npos);
    EXPECT_TRUE(terrain.PiloteSuivant());
    EXPECT_NE(etat().find(R"("appel":{"dossard":"7","vol":1})"), std::string::npos);
}
