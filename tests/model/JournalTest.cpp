// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Journal.h"

#include "model/Concours.h"
#include "model/Processus.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace tavo;
using namespace tavo::test;

namespace {

EnteteJournal Entete(std::string origine = "0123456789abcdef")
{
    return {"terrain", 1234, "boot 42", std::move(origine)};
}

/** Types a mark on the competition and journals it, as the score sheet does. */
bool Tape(TConcours& c, TJournal& j, const NoteJournal& n)
{
    TPilote p = c.GetPiloteDossard(n.dossard.c_str());
    p.SetNote(n.vol, n.ligne, n.juge, n.note);
    c.SetDossardCourant(n.dossard.c_str());
    c.SetPiloteCourant(p);
    return j.AjouteNote(n, p);
}

/** A competition of pilots with these bibs, named "Pilote <bib>". */
void Pilotes(TConcours& c, std::initializer_list<const char*> dossards)
{
    for (const char* dossard : dossards)
        AjoutePilote(c, (std::string("Pilote ") + dossard).c_str(), dossard);
}

} // namespace

TEST(Journal, replaysCopiesChangesAndMarksInOrderUpToATailCutByACrash)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier(".c.ccr.1234.journal");
    TConcours c;
    Pilotes(c, {"4", "12"});
    TConcours depart;
    depart.Reprend(c);
    {
        TJournal j(chemin, Entete());
        EXPECT_TRUE(j.Vierge());
        ASSERT_TRUE(Tape(c, j, {1, 2, 3, 7, "12"}));
        const PhotoConcours avant = Photographie(c);
        c.SetTitre("Renommé");
        c.SupprimePilote(1);
        AjoutePilote(c, "Nouveau", "30");
        ASSERT_TRUE(j.AjouteChangements(Changements(avant, c)));
        ASSERT_TRUE(Tape(c, j, {7, 25, 5, -10, "30"}));
        EXPECT_EQ(j.Chemin(), chemin);
    }
    const ResultatReprise entete = LitEnteteJournal(chemin);
    ASSERT_EQ(entete.etat, EtatJournal::Lu);
    EXPECT_EQ(entete.entete.hote, "terrain");
    EXPECT_EQ(entete.entete.processus, 1234);
    EXPECT_EQ(entete.entete.demarrage, "boot 42");
    EXPECT_EQ(entete.entete.origine, "0123456789abcdef");

    TConcours rejoue;
    rejoue.Reprend(depart);
    const ResultatReprise r = RejoueJournal(chemin, rejoue, Reprise::Tout);
    EXPECT_EQ(r.ignorees, 0);
    EXPECT_STREQ(rejoue.GetTitre(), "Renommé");
    ASSERT_EQ(rejoue.NbPilotes(), 2);
    EXPECT_EQ(rejoue.GetPiloteDossard("12").GetNote(1, 2, 3), 7);
    EXPECT_EQ(rejoue.GetPiloteDossard("30").GetNote(7, 25, 5), -10);
    EXPECT_EQ(rejoue.Ecrit(), c.Ecrit());

    // Cut in the middle of the changes: what comes before is replayed, nothing after.
    const std::string texte = LitOctets(chemin);
    EcritOctets(chemin, texte.substr(0, texte.find("identification") + 40));
    rejoue.Reprend(depart);
    RejoueJournal(chemin, rejoue, Reprise::Tout);
    EXPECT_EQ(rejoue.GetPiloteDossard("12").GetNote(1, 2, 3), 7);
    EXPECT_STREQ(rejoue.GetTitre(), "");
    EXPECT_EQ(rejoue.NbPilotes(), 2);

    EcritOctets(chemin, "Titre\r\nLieu\r\n");
    EXPECT_EQ(LitEnteteJournal(chemin).etat, EtatJournal::Illisible);
}

TEST(Journal, aDialogChangeCostsTheRecordsItChangedNotTheCompetition)
{
    RepertoireTemporaire rep;
    TConcours c;
    GenereConcours(c, rep.Chemin().string(), 2000, 5, 3);
    TConcours avant;
    avant.Reprend(c);
    const PhotoConcours photo = Photographie(c);
    EXPECT_TRUE(Changements(photo, c).empty());

    TPilote p = c.GetPilote(10);
    p.SetNom("CORRIGÉ");
    c.SetPilote(p, 10);
    p = c.GetPilote(1990);
    p.SetNote(1, 1, 1, 3);
    c.SetPilote(p, 1990);
    std::string changements = Changements(photo, c);
    EXPECT_LT(changements.size(), 3 * 2400u) << "two pilot records, not " << c.NbPilotes();
    c.SupprimePilote(500);
    c.AjoutePilote();
    changements = Changements(photo, c);
    EXPECT_LT(changements.size(), 1500 * 2400u); // the run from the removed pilot on
    const std::string chemin = rep.Fichier("j.journal");
    {
        TJournal j(chemin, Entete());
        ASSERT_TRUE(j.AjouteChangements(changements));
    }
    RejoueJournal(chemin, avant, Reprise::Tout);
    EXPECT_EQ(avant.Ecrit(), c.Ecrit());
}

TEST(Journal, marksAloneGoOnlyToPilotsOfTheSameBibAndName)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("j.journal");
    TConcours quinze;
    for (int i = 1; i <= 15; ++i)
        AjoutePilote(quinze, ("Pilote " + std::to_string(i)).c_str(), std::to_string(i).c_str());
    {
        TJournal j(chemin, Entete());
        j.AjouteConcours(quinze.Ecrit());
        j.AjouteNote({1, 1, 1, 8, "3"}, quinze.GetPiloteDossard("3"));
        j.AjouteNote({1, 1, 1, 9, "4"}, quinze.GetPiloteDossard("4"));
    }
    TConcours un;
    AjoutePilote(un, "Pilote 3", "3");
    AjoutePilote(un, "Autre", "4");
    const ResultatReprise r = RejoueJournal(chemin, un, Reprise::NotesSeules);
    EXPECT_EQ(r.appliquees, 1);
    EXPECT_EQ(r.ignorees, 2); // the copy, and the mark of another pilot 4
    EXPECT_EQ(un.NbPilotes(), 2);
    EXPECT_EQ(un.GetPiloteDossard("3").GetNote(1, 1, 1), 8);
    EXPECT_EQ(un.GetPiloteDossard("4").GetNote(1, 1, 1), 0);
}

TEST(Journal, neverOpensTruncatesNorFollowsAFileFoundUnderItsName)
{
    RepertoireTemporaire rep;
    const std::string nom = rep.Fichier(".c.ccr.77.journal");
    const std::string victime = rep.Fichier("victime");
    EcritOctets(victime, "précieux");
    std::filesystem::create_symlink(victime, nom);
    EcritOctets(rep.Fichier(".c.ccr.77-2.journal"), "ancien journal");
    TConcours c;
    Pilotes(c, {"1"});
    TJournal j(nom, Entete());
    ASSERT_TRUE(j.AjouteNote({1, 1, 1, 5, "1"}, c.GetPiloteDossard("1")));
    EXPECT_EQ(j.Chemin(), rep.Fichier(".c.ccr.77-3.journal"));
    j.Supprime();
    EXPECT_EQ(LitOctets(victime), "précieux");
    EXPECT_EQ(LitOctets(rep.Fichier(".c.ccr.77-2.journal")), "ancien journal");
    EXPECT_TRUE(std::filesystem::is_symlink(nom));
    EXPECT_FALSE(std::filesystem::exists(rep.Fichier(".c.ccr.77-3.journal")));
}

TEST(Journal, aHugeJournalIsNeverReadWhole)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("j.journal");
    TConcours c;
    Pilotes(c, {"1"});
    {
        TJournal j(chemin, Entete());
        j.AjouteNote({1, 1, 1, 5, "1"}, c.GetPiloteDossard("1"));
    }
    // A valid head followed by 4 GiB of nothing: read up to where it stops making sense.
    ASSERT_EQ(::truncate(chemin.c_str(), off_t{4} << 30), 0);
    TConcours rejoue;
    Pilotes(rejoue, {"1"});
    EXPECT_EQ(RejoueJournal(chemin, rejoue, Reprise::Tout).appliquees, 1);
    EXPECT_EQ(rejoue.GetPiloteDossard("1").GetNote(1, 1, 1), 5);
    // Larger than any competition's journal: not even its head is read.
    ASSERT_EQ(::truncate(chemin.c_str(), static_cast<off_t>(TailleMaxJournal() + 1)), 0);
    EXPECT_EQ(LitEnteteJournal(chemin).etat, EtatJournal::TropGrand);
}

TEST(Journal, marksReachTheDiskWithoutWaitingForTheSheetToEnd)
{
    RepertoireTemporaire rep;
    TConcours c;
    Pilotes(c, {"1"});
    TJournal j(rep.Fichier("j.journal"), Entete());
    for (short l = 1; l <= 3; ++l)
        ASSERT_TRUE(j.AjouteNote({1, l, 1, 5, "1"}, c.GetPiloteDossard("1")));
    EXPECT_EQ(j.Ecrites(), 3u);
    // Flushed by the journal's own thread; the wait only bounds a broken one.
    for (int i = 0; i < 600 && j.Synchronisees() < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(j.Synchronisees(), 3u);

    TJournal impossible(rep.Fichier("absent/j.journal"), Entete());
    EXPECT_FALSE(impossible.AjouteNote({1, 1, 1, 5, "1"}, c.GetPiloteDossard("1")));
    EXPECT_TRUE(impossible.EnEchec());
    EXPECT_FALSE(impossible.Raison().empty());
}

TEST(Processus, aLaterProcessWithTheSameNumberIsAnotherOne)
{
    const long long moi = NumeroProcessus();
    const std::string demarrage = DemarrageProcessus(moi);
    EXPECT_TRUE(ProcessusVivant(moi, demarrage));
    EXPECT_TRUE(ProcessusVivant(moi, ""));
    if (demarrage.empty())
        GTEST_SKIP() << "the system does not tell when a process started";
    EXPECT_FALSE(ProcessusVivant(moi, demarrage + "0"));
    EXPECT_FALSE(ProcessusVivant(moi, "autre-boot " + demarrage.substr(demarrage.find(' ') + 1)));
}
