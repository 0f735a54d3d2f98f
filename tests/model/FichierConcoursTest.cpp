// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Concours.h"
#include "model/Empreinte.h"
#include "model/Fichier.h"
#include "model/LecteurTexte.h"
#include "support/TestUtil.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>
#include <vector>

using tavo::CodeLecture;
using namespace tavo::test;

namespace {

std::vector<std::string> lignes(const std::string& contenu)
{
    std::vector<std::string> resultat;
    std::istringstream flux(contenu);
    std::string ligne;
    while (std::getline(flux, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        resultat.push_back(ligne);
    }
    return resultat;
}

// A competition with every stored field filled, three pilots and five judges.
void remplit(TConcours& c)
{
    c.SetTitre(" Coupe de Bourgogne ");
    c.SetLieu("Cluny");
    c.SetDepartement("Sa\xF4ne-et-Loire");
    c.SetOrganisateur("A\xE9romodel club");
    c.SetNumAffiliation("712");
    c.SetCategorie("VGM");
    c.SetSerie("1 1/2");
    c.SetDirecteur("M. Directeur");
    c.SetCommissaires("C1, C2");
    c.SetChronometreurs("T1");
    c.SetJury1("J1");
    c.SetJury2("J2");
    c.SetJury3("J3");
    c.SetAutres("Autres");
    c.SetHoraires("8h - 18h");
    c.SetConditionsMeteo("Vent faible");
    c.SetControles("Fr\xE9quences");
    c.SetIncidents("Aucun");
    c.SetReclamations("Aucune");
    c.SetObservations("R.A.S.");
    c.SetNbJuges(4);
    c.SetNbVols(6);
    c.SetProgrammeVol("F3A_P27.txt", 0);
    c.SetProgrammeVol("F3A_F27.txt", 5);
    c.SetDateDebut("05/07/2000");
    c.SetDateFin("06/07/2000");
    for (int p = 1; p <= 3; ++p) {
        c.AjoutePilote();
        TPilote pilote;
        pilote.SetNom(("Nom" + std::to_string(p)).c_str());
        pilote.SetPrenom("Pr\xE9nom");
        pilote.SetClub("Club");
        pilote.SetNumClub("12");
        pilote.SetLicence("1234567");
        pilote.SetFrequence1("35.040");
        pilote.SetFrequence2(p == 2 ? "41.000" : "");
        pilote.SetDossard(std::to_string(10 + p).c_str());
        for (short v = 1; v <= MAX_VOLS; ++v)
            for (short f = 1; f <= MAX_FIGURES; ++f)
                for (short j = 1; j <= MAX_JUGES; ++j)
                    pilote.SetNote(v, f, j, static_cast<short>((v * 7 + f * 3 + j + p) % 21));
        pilote.SetNote(1, 18, 2, -5);
        pilote.SetNote(2, 19, 3, -10);
        pilote.SetNote(7, 25, 5, 32767);
        pilote.SetNote(7, 24, 5, -32768);
        c.SetPilote(pilote, p);
    }
    for (int j = 1; j <= 5; ++j) {
        c.AjouteJuge();
        TJuge juge;
        juge.SetNom(("Juge" + std::to_string(j)).c_str());
        juge.SetPrenom("Pr\xE9nom");
        juge.SetLicence(std::to_string(100 + j).c_str());
        juge.SetClub("Club des juges");
        juge.SetGrade(j % 4);
        c.SetJuge(juge, j);
    }
}

void attendsMemesDonnees(const TConcours& a, const TConcours& b)
{
    const TIdentConcours& x = a.GetIdent();
    const TIdentConcours& y = b.GetIdent();
    for (auto [u, v] : {std::pair{x.Titre, y.Titre},
                        {x.Lieu, y.Lieu},
                        {x.Serie, y.Serie},
                        {x.Observations, y.Observations},
                        {x.Controles, y.Controles},
                        {x.ProgrammeVol[0], y.ProgrammeVol[0]},
                        {x.ProgrammeVol[5], y.ProgrammeVol[5]}})
        EXPECT_STREQ(u, v);
    EXPECT_EQ(a.Ecrit(), b.Ecrit()); // every stored field, byte for byte
}

} // namespace

TEST(FichierConcours, newCompetitionIs33Lines)
{
    const TConcours c;
    const std::string texte = c.Ecrit();
    EXPECT_EQ(CompteLignesCrLf(texte), 33);
    const auto l = lignes(texte);
    for (int i = 0; i < 20; ++i) {
        if (i != 5 && i != 6) {
            EXPECT_EQ(l[i], "") << "line " << i + 1;
        }
    }
    EXPECT_EQ(l[5], "F3A");
    EXPECT_EQ(l[6], "1");
    EXPECT_EQ(l[20], "5");
    EXPECT_EQ(l[21], "1");
    for (int i = 22; i < 29; ++i)
        EXPECT_EQ(l[i], "");
    const Date aujourdhui;
    const std::string date = std::to_string(aujourdhui.GetJour()) + "/" +
                             std::to_string(aujourdhui.GetMois()) + "/" +
                             std::to_string(aujourdhui.GetAnnee());
    EXPECT_EQ(l[29], date);
    EXPECT_EQ(l[30], date);
    EXPECT_EQ(l[31], "0");
    EXPECT_EQ(l[32], "0");
}

TEST(FichierConcours, threePilotsAndFiveJudgesGive628Lines)
{
    TConcours c;
    remplit(c);
    const std::string texte = c.Ecrit();
    EXPECT_EQ(CompteLignesCrLf(texte), 628);
    const auto l = lignes(texte);
    EXPECT_EQ(l[29], "5/7/2000");
    EXPECT_EQ(l[31], "3");
    // First pilot: identity, then the first marks line, five marks each followed by a space.
    EXPECT_EQ(l[32], "Nom1");
    EXPECT_EQ(l[39], "11");
    EXPECT_EQ(l[40], "12 13 14 15 16 ");
    EXPECT_EQ(l[40 + 25], ""); // empty line after each flight
    EXPECT_EQ(l[32 + 190], "Nom2");
    // Judge record: licence before club.
    EXPECT_EQ(l[602], "5");
    EXPECT_EQ(l[603], "Juge1");
    EXPECT_EQ(l[605], "101");
    EXPECT_EQ(l[606], "Club des juges");
    EXPECT_EQ(l[607], "1");
}

TEST(FichierConcours, saveThenOpenReproducesEveryStoredField)
{
    RepertoireTemporaire rep;
    TConcours source;
    remplit(source);
    const std::string chemin = rep.Fichier("essai.ccr");
    ASSERT_TRUE(tavo::EnregistreConcours(source, chemin));

    TConcours lu;
    ASSERT_TRUE(tavo::OuvreConcours(lu, chemin));
    attendsMemesDonnees(source, lu);
    EXPECT_STREQ(lu.GetTitre(), " Coupe de Bourgogne ");
    EXPECT_STREQ(lu.GetDateDebut(), "05/07/2000");
    EXPECT_EQ(lu.GetPilote(1).GetNote(1, 18, 2), -5);
    EXPECT_EQ(lu.GetPilote(2).GetNote(2, 19, 3), -10);
    EXPECT_EQ(lu.GetPilote(3).GetNote(7, 25, 5), 32767);
    EXPECT_EQ(lu.GetPilote(3).GetNote(7, 24, 5), -32768);
    EXPECT_EQ(lu.GetPilote(1).GetScoreVol(1), 0.0);
    EXPECT_EQ(lu.GetJuge(4).GetGrade(), 0);
    EXPECT_EQ(LitOctets(chemin), source.Ecrit());
}

TEST(FichierConcours, readsBareLineFeedsAndIgnoresSurplusText)
{
    TConcours source;
    remplit(source);
    std::string lf;
    for (char ch : source.Ecrit())
        if (ch != '\r')
            lf += ch;
    TConcours lu;
    ASSERT_TRUE(lu.Lit(lf + "texte en trop\n"));
    attendsMemesDonnees(source, lu);
}

TEST(FichierConcours, openingReplacesTheCompetitionButNotTheEntryProgramme)
{
    RepertoireTemporaire rep;
    TConcours vide;
    ASSERT_TRUE(tavo::EnregistreConcours(vide, rep.Fichier("vide.ccr")));
    TConcours c;
    remplit(c);
    c.SetVolCourant(3);
    c.SetDossardCourant("12");
    ASSERT_TRUE(tavo::OuvreConcours(c, rep.Fichier("vide.ccr")));
    EXPECT_EQ(c.NbPilotes(), 0);
    EXPECT_EQ(c.NbJugesSaisis(), 0);
    EXPECT_STREQ(c.GetCategorie(), "F3A");
    EXPECT_EQ(c.GetVolCourant(), 1);
    EXPECT_STREQ(c.GetDossardCourant(), "");
}

TEST(FichierConcours, damagedFilesAreRefusedAndTheCompetitionIsUnchanged)
{
    TConcours source;
    remplit(source);
    const std::string bon = source.Ecrit();
    const auto attendsRefus = [&](const std::string& texte, CodeLecture code, const char* cas) {
        TConcours c;
        remplit(c);
        c.SetVolCourant(2);
        const tavo::ResultatLecture r = c.Lit(texte);
        EXPECT_EQ(r.code, code) << cas;
        EXPECT_FALSE(tavo::MessageLecture(r).empty()) << cas;
        EXPECT_EQ(c.Ecrit(), bon) << cas;
        EXPECT_EQ(c.GetVolCourant(), 2) << cas;
    };
    // Cut after every kind of item: texts, counts, dates, identity, marks, judges.
    for (std::size_t coupe :
         {std::size_t{0}, std::size_t{5}, bon.find("4\r\n6\r\n"), bon.find("5/7/2000"),
          bon.find("Nom2"), bon.size() / 2, bon.rfind("Juge5"), bon.size() - 3})
        attendsRefus(bon.substr(0, coupe), CodeLecture::FinPrematuree, "truncated");

    std::string texte = bon;
    texte.replace(texte.find("4\r\n6\r\n"), 1, "quatre");
    attendsRefus(texte, CodeLecture::NombreAttendu, "judge count");

    texte = bon;
    texte.replace(texte.find("12 13 14"), 2, "xx");
    attendsRefus(texte, CodeLecture::NombreAttendu, "mark");

    texte = bon;
    texte.replace(texte.find("5/7/2000"), 8, "5-7-2000");
    attendsRefus(texte, CodeLecture::NombreAttendu, "date");

    texte = bon;
    texte.replace(texte.find("12 13 14"), 2, "40000");
    attendsRefus(texte, CodeLecture::NombreHorsLimites, "mark beyond 16 bits");

    texte = bon;
    texte.replace(texte.find("\r\n3\r\nNom1") + 2, 1, "-3");
    attendsRefus(texte, CodeLecture::NombreHorsLimites, "negative pilot count");

    texte = bon;
    texte.replace(texte.find("\r\n3\r\nNom1") + 2, 1, "4");
    attendsRefus(texte, CodeLecture::NombreAttendu, "one pilot more than present");
}

TEST(FichierConcours, failuresToOpenLeaveTheCompetitionAsItWas)
{
    RepertoireTemporaire rep;
    TConcours c;
    remplit(c);
    const std::string avant = c.Ecrit();
    EXPECT_EQ(tavo::OuvreConcours(c, rep.Fichier("absent.ccr")).code,
              CodeLecture::FichierIntrouvable);
    EXPECT_EQ(tavo::OuvreConcours(c, rep.Chemin().string()).code, CodeLecture::FichierIntrouvable);
    EXPECT_EQ(c.Ecrit(), avant);
}

TEST(FichierConcours, longTextLinesFromElsewhereAreCut)
{
    TConcours source;
    std::string texte = source.Ecrit();
    texte.insert(0, std::string(300, 'L')); // title line of 300 characters
    TConcours lu;
    ASSERT_TRUE(lu.Lit(texte));
    EXPECT_EQ(std::string(lu.GetTitre()), std::string(50, 'L'));
}

TEST(FichierConcours, valuesOutsideTheDialogsRangesLoadAsTheyAre)
{
    TConcours source;
    source.SetNbJuges(9);
    source.SetNbVols(0);
    source.SetSerie("4");
    for (int j = 0; j < 6; ++j)
        source.AjouteJuge();
    TConcours lu;
    ASSERT_TRUE(lu.Lit(source.Ecrit()));
    EXPECT_EQ(lu.GetNbJuges(), 9);
    EXPECT_EQ(lu.GetNbVols(), 0);
    EXPECT_STREQ(lu.GetSerie(), "4");
    EXPECT_EQ(lu.NbJugesSaisis(), 6);
}

TEST(FichierConcours, streamOperatorsUseTheSameForm)
{
    TConcours source;
    remplit(source);
    std::stringstream flux;
    flux << source;
    TConcours lu;
    flux >> lu;
    EXPECT_FALSE(flux.fail());
    EXPECT_EQ(lu.Ecrit(), source.Ecrit());

    std::istringstream abime("titre\r\n");
    abime >> lu;
    EXPECT_TRUE(abime.fail());
    EXPECT_EQ(lu.Ecrit(), source.Ecrit());
}

TEST(FichierConcours, savingNeverDestroysThePreviousFile)
{
    RepertoireTemporaire rep;
    TConcours c;
    remplit(c);
    const std::string chemin = rep.Fichier("concours.ccr");
    ASSERT_TRUE(tavo::EnregistreConcours(c, chemin));
    const std::string avant = LitOctets(chemin);

    // A directory that refuses new files: the save fails and says so; the file stays.
    std::filesystem::permissions(rep.Chemin(), std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_exec);
    c.SetTitre("Modifié");
    std::string erreur;
    const bool ecrit = tavo::EnregistreConcours(c, chemin, &erreur);
    std::filesystem::permissions(rep.Chemin(), std::filesystem::perms::owner_all);
    if (::geteuid() != 0) { // root writes anywhere
        EXPECT_FALSE(ecrit);
        EXPECT_FALSE(erreur.empty());
        EXPECT_EQ(LitOctets(chemin), avant);
    }
    EXPECT_FALSE(tavo::EnregistreConcours(c, rep.Fichier("absent/x.ccr"), &erreur));
    EXPECT_FALSE(tavo::EnregistreConcours(c, rep.Chemin().string(), &erreur));
    EXPECT_FALSE(std::filesystem::exists(rep.Fichier("absent")));

    // No temporary file is left behind.
    int fichiers = 0;
    for ([[maybe_unused]] const auto& entree : std::filesystem::directory_iterator(rep.Chemin()))
        ++fichiers;
    EXPECT_EQ(fichiers, 1);
}

TEST(FichierConcours, demoCompetitionOpens)
{
    TConcours c;
    const tavo::ResultatLecture r = tavo::OuvreConcours(c, TAVO_DATA_DIR "/Concours/demo.ccr");
    ASSERT_TRUE(r) << tavo::MessageLecture(r);
    EXPECT_STREQ(c.GetCategorie(), "F3A");
    EXPECT_STREQ(c.GetSerie(), "2");
    EXPECT_EQ(c.GetNbJuges(), 5);
    EXPECT_EQ(c.GetNbVols(), 6);
    EXPECT_EQ(c.GetDateDebutDate().GetAnnee(), 2026);
    EXPECT_EQ(c.NbJugesSaisis(), 5);
    EXPECT_GE(c.NbPilotes(), 12);
    EXPECT_EQ(c.Ecrit(), LitOctets(TAVO_DATA_DIR "/Concours/demo.ccr"));
}

// A fixed file, every field distinct: a field read into its neighbour's place, and written back
// there, goes unnoticed by a round trip but not here.
TEST(FichierConcours, aFixedFileReadsIntoItsFieldsAndWritesBackByteForByte)
{
    const std::string octets = LitOctets(TAVO_TESTS_DIR "/model/donnees/dore.ccr");
    TConcours c;
    ASSERT_TRUE(c.Lit(octets));
    EXPECT_STREQ(c.GetTitre(), "Titre Coupe d'Or");
    EXPECT_STREQ(c.GetDepartement(), "D\xE9partement Essonne");
    EXPECT_STREQ(c.GetOrganisateur(), "Organisateur MAC");
    EXPECT_STREQ(c.GetNumAffiliation(), "123");
    EXPECT_STREQ(c.GetCategorie(), "F3C");
    EXPECT_STREQ(c.GetSerie(), "1 1/2");
    EXPECT_STREQ(c.GetCommissaires(), "Commissaires Roux");
    EXPECT_STREQ(c.GetChronometreurs(), "Chronom\xE9treurs Blanc");
    EXPECT_STREQ(c.GetJury3(), "Jury3 Gris");
    EXPECT_STREQ(c.GetHoraires(), "Horaires 9h-18h");
    EXPECT_STREQ(c.GetObservations(), "Observations rien");
    EXPECT_EQ(c.GetNbJuges(), 4);
    EXPECT_EQ(c.GetNbVols(), 3);
    EXPECT_STREQ(c.GetProgrammeVol(1), "ProgVol2.txt");
    EXPECT_STREQ(c.GetProgrammeVol(3), "");
    EXPECT_STREQ(c.GetDateDebut(), "05/07/2026");
    EXPECT_STREQ(c.GetDateFin(), "06/07/2026");

    ASSERT_EQ(c.NbPilotes(), 2);
    const TPilote b = c.GetPilote(2);
    EXPECT_STREQ(b.GetNom(), "NomB");
    EXPECT_STREQ(b.GetPrenom(), "PrenomB");
    EXPECT_STREQ(b.GetClub(), "ClubB");
    EXPECT_STREQ(b.GetNumClub(), "22");
    EXPECT_STREQ(b.GetLicence(), "2002");
    EXPECT_STREQ(b.GetFrequence1(), "2.4");
    EXPECT_STREQ(b.GetFrequence2(), "41.000");
    EXPECT_STREQ(b.GetDossard(), "12");
    // Mark n of the file's order (pilot, flight, line, judge) is n modulo 21.
    const TPilote a = c.GetPilote(1);
    EXPECT_EQ(a.GetNote(1, 1, 2), 1);
    EXPECT_EQ(a.GetNote(2, 1, 1), 125 % 21);
    EXPECT_EQ(a.GetNote(1, 2, 1), 5);
    EXPECT_EQ(b.GetNote(7, 25, 4), ((13 * 25 + 24) * 5 + 3) % 21);
    EXPECT_EQ(b.GetNote(7, 25, 5), -10);

    ASSERT_EQ(c.NbJugesSaisis(), 3);
    const TJuge j = c.GetJuge(2);
    EXPECT_STREQ(j.GetNom(), "JugeNom2");
    EXPECT_STREQ(j.GetPrenom(), "JugePrenom2");
    EXPECT_STREQ(j.GetLicence(), "L2");
    EXPECT_STREQ(j.GetClub(), "JugeClub2");
    EXPECT_EQ(j.GetGrade(), 2);

    EXPECT_EQ(c.Ecrit(), octets);
}

namespace {

// The text handed out in pieces of irregular sizes, as reads of a file may return it.
class SourceEnMorceaux : public tavo::SourceTexte
{
public:
    explicit SourceEnMorceaux(std::string texte)
        : m_texte(std::move(texte))
    {}
    std::size_t Lit(char* tampon, std::size_t taille) override
    {
        const std::size_t n = std::min({taille, m_texte.size() - m_pos, 1 + m_pos % 97});
        m_texte.copy(tampon, n, m_pos);
        m_pos += n;
        return n;
    }

private:
    std::string m_texte;
    std::size_t m_pos = 0;
};

} // namespace

TEST(FichierConcours, aStreamedTextReadsAsTheSameTextHeldWhole)
{
    TConcours source;
    remplit(source);
    TPilote bizarre = source.GetPilote(2);
    bizarre.SetNote(1, 1, 1, -10);
    bizarre.SetNote(1, 2, 3, 1234);
    source.SetPilote(bizarre, 2);
    TPilote longues = source.GetPilote(3); // numbers of every length across the pieces' ends
    for (short v = 1; v <= MAX_VOLS; ++v)
        for (short f = 1; f <= MAX_FIGURES; ++f)
            for (short j = 1; j <= MAX_JUGES; ++j)
                longues.SetNote(v, f, j,
                                static_cast<short>((v * 3181 + f * 977 + j * 31) % 23000 - 500));
    source.SetPilote(longues, 3);
    std::string texte = source.Ecrit();
    // The forms the writer never gives but a reader accepts: tabs, '+', long digit runs, a long
    // line.
    std::size_t debutNotes = 0; // the first pilot's first marks line: line 41
    for (int l = 0; l < 40; ++l)
        debutNotes = texte.find('\n', debutNotes) + 1;
    texte.replace(debutNotes, texte.find('\r', debutNotes) - debutNotes,
                  "0\t+0 000000000000000000000000 0 \n 0 ");
    const std::size_t suivante = texte.find('\n', texte.find('\n', debutNotes) + 1) + 1;
    texte.replace(suivante, texte.find('\r', suivante) - suivante, "1\n2 3 4 5 ");
    const std::size_t abime = texte.size() * 3 / 4;
    texte.replace(texte.find("Cluny"), 5, std::string(3000, 'L'));

    const std::vector<std::string> essais{texte, texte.substr(0, texte.size() / 2),
                                          texte.substr(0, texte.size() - 40),
                                          texte.substr(0, abime) + "x" + texte.substr(abime + 1)};
    for (const std::string& essai : essais) {
        TConcours entier;
        const tavo::ResultatLecture attendu = entier.Lit(essai);
        for (std::size_t bloc : {64, 100, 4096}) {
            SourceEnMorceaux morceaux(essai);
            tavo::LecteurTexte lecteur(morceaux, bloc);
            TConcours lu;
            const tavo::ResultatLecture r = lu.Lit(lecteur);
            EXPECT_EQ(r.code, attendu.code) << bloc;
            EXPECT_EQ(r.ligne, attendu.ligne) << bloc;
            EXPECT_EQ(lu.Ecrit(), entier.Ecrit()) << bloc;
        }
    }
    // A damaged number is reported on its own line, counted from the start.
    TConcours entier;
    EXPECT_EQ(entier.Lit(essais.back()).ligne,
              1 + static_cast<std::size_t>(std::count(texte.begin(), texte.begin() + abime, '\n')));
    ASSERT_TRUE(entier.Lit(texte));
    EXPECT_EQ(entier.GetPilote(1).GetNote(1, 2, 2), 2);
    EXPECT_EQ(entier.GetPilote(2).GetNote(1, 1, 1), -10);
    EXPECT_EQ(entier.GetPilote(2).GetNote(1, 2, 3), 1234);
}

TEST(FichierConcours, openingGivesTheFingerprintOfEveryByteOfTheFile)
{
    TConcours c;
    remplit(c);
    const std::string texte = c.Ecrit() + "reste apr\xE8s le dernier juge\r\n";
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("empreinte.ccr");
    EcritOctets(chemin, texte);
    TConcours lu;
    std::string empreinte;
    ASSERT_TRUE(tavo::OuvreConcours(lu, chemin, &empreinte));
    EXPECT_EQ(empreinte, tavo::EmpreinteHex(texte));
    EXPECT_EQ(lu.Ecrit(), c.Ecrit());
}
