// SPDX-License-Identifier: GPL-3.0-or-later
// Every view shows the same numbers on screen, on paper and on the command line, whatever
// the process locale.
#include "Impression.h"
#include "app/DessinVues.h"
#include "cli/Cli.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "print/Formulaires.h"
#include "print/PrintoutConcours.h"
#include "scoring/Regles.h"
#include "support/Fabrique.h"
#include "support/RecordingDC.h"
#include "support/TestUtil.h"

#include <clocale>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <sstream>

#include <QTemporaryDir>

using namespace tavo;

namespace {

// The numbers of a text, in order: "640.62", "-4", "12"... ("1234,50" stays one token).
std::vector<std::string> Nombres(const std::string& texte)
{
    static const std::regex nombre("-?[0-9]+(?:[.,][0-9]+)?");
    std::vector<std::string> nombres;
    for (auto it = std::sregex_iterator(texte.begin(), texte.end(), nombre);
         it != std::sregex_iterator(); ++it)
        nombres.push_back(it->str());
    return nombres;
}

std::string Joint(const QStringList& textes)
{
    std::string tout;
    for (const QString& t : textes)
        if (!t.startsWith(QStringLiteral("Tavo 2000 version"))) // the printed footer
            tout += t.toStdString() + '\n';
    return tout;
}

struct Vue
{
    GenreVue genre;
    int numero;
    const char* nom;                      ///< of tavo-cli
    const char* option;                   ///< its number
    std::optional<Formulaire> formulaire; ///< none: the view is not printed
};

// Competition file, its programmes, and the three outputs of each view.
struct Comparaison
{
    TConcours concours;
    std::string fichier;
    std::string programmes;
    ParametresCalcul parametres;

    Comparaison(std::string f, std::string p)
        : fichier(std::move(f))
        , programmes(std::move(p))
    {
        EXPECT_TRUE(OuvreConcours(concours, fichier));
        parametres.repProgrammes = programmes;
        parametres.tbl = false;
        parametres.rapport1000 = true;
    }

    // Exit status and standard output of tavo-cli.
    std::pair<int, std::string> Cli(const Vue& v) const
    {
        std::ostringstream sortie, erreurs;
        const int code = cli::Execute({v.nom, fichier, v.option, std::to_string(v.numero),
                                       "--programmes", programmes, "--sans-tbl", "--rapport1000"},
                                      sortie, erreurs, programmes);
        return {code, sortie.str()};
    }

    std::string Ecran(const Vue& v)
    {
        TRecordingDC dc(96, 2000, 200000);
        const TRect tout{0, 0, 2000, 200000};
        const int largeur =
            DixiemesMmEnPixels(LargeurVueDixiemes(v.genre, v.numero, concours.GetNbJuges()), 96) +
            10;
        TClassementJugesAffiche affiche;
        switch (v.genre) {
        case GenreVue::ClassementVols:
            PrepareClassementVols(concours, parametres, v.numero);
            DessineClassementPilotes(dc, largeur, concours, v.numero, true, tout);
            break;
        case GenreVue::FlyOff:
            PrepareClassementFlyOff(concours, parametres, v.numero);
            DessineClassementFlyOff(dc, largeur, concours, v.numero, tout);
            break;
        case GenreVue::ClassementJuges:
            PrepareClassementJuges(concours, parametres, v.numero);
            DessineClassementJuges(dc, largeur, concours, v.numero, programmes, tout, affiche);
            break;
        case GenreVue::Diagramme:
            PrepareDiagramme(concours, parametres);
            DessineDiagramme(dc, concours, v.numero, programmes);
            break;
        case GenreVue::Profil:
            PrepareProfil(concours, parametres, v.numero);
            DessineProfilTBL(dc, largeur, concours, v.numero, programmes);
            break;
        }
        return Joint(dc.Textes());
    }

    std::string Papier(const Vue& v)
    {
        EXPECT_TRUE(PrepareFormulaire(concours, parametres, *v.formulaire, v.numero));
        const auto printout =
            CreeFormulaire(concours, parametres, *v.formulaire, v.numero, TMarges{}, QString());
        std::string tout;
        // A3 portrait: every row on page 1, so that the heads are not repeated.
        for (const auto& page : test::Pages(*printout, TSize{2970, 4200}))
            tout += Joint(test::Textes(page));
        return tout;
    }

    // Checks every view; returns the CLI texts of the views shown, for more checks.
    std::string VerifieToutes()
    {
        std::vector<Vue> vues;
        for (int n = 1; n <= 4; ++n)
            vues.push_back(
                {GenreVue::ClassementVols, n, "classement", "--vols", Formulaire::Classement});
        for (int k = 1; k <= 4; ++k)
            if (FlyOffPropose(concours.GetCategorie(), concours.GetSerie(), k))
                vues.push_back({GenreVue::FlyOff, k, "flyoff", "--flyoffs", Formulaire::FlyOff});
        for (int v = 1; v <= concours.GetNbVols(); ++v) {
            vues.push_back({GenreVue::ClassementJuges, v, "juges", "--vol", Formulaire::Juges});
            vues.push_back({GenreVue::Profil, v, "profil", "--vol", std::nullopt});
        }
        for (int j = 1; j <= concours.GetNbJuges(); ++j)
            vues.push_back({GenreVue::Diagramme, j, "diagramme", "--juge", Formulaire::Diagramme});

        std::string textes;
        for (const Vue& v : vues) {
            const auto [code, cli] = Cli(v);
            if (code != 0)
                continue; // a flight without its programme: no view anywhere
            textes += cli;
            const std::vector<std::string> ecran = Nombres(Ecran(v));
            std::vector<std::string> attendu = Nombres(cli);
            if (v.genre == GenreVue::Diagramme) {
                // The command line adds each mark's share: compare the lines above it.
                attendu = Nombres(cli.substr(0, cli.find("\n\n", cli.find("Ecart-Type"))));
                attendu.resize(std::min(attendu.size(), ecran.size()));
            }
            SCOPED_TRACE(std::string(v.nom) + " " + std::to_string(v.numero));
            // A screen that shows fewer numbers than the command line is a failure, not a crash.
            EXPECT_GE(ecran.size(), attendu.size());
            if (ecran.size() < attendu.size())
                continue;
            EXPECT_EQ(std::vector<std::string>(ecran.begin(), ecran.begin() + attendu.size()),
                      attendu);
            if (v.formulaire) {
                EXPECT_EQ(Nombres(Papier(v)), ecran);
            }
            for (const std::string& n : ecran)
                EXPECT_EQ(n.find(','), std::string::npos) << n; // a decimal point, always
        }
        return textes;
    }
};

class MemesNombres : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        avant = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, GetParam());
    }
    void TearDown() override { std::setlocale(LC_ALL, avant.c_str()); }
    std::string avant;
};

// Sums of K x mark of one judge on a programme of K 50, 10, 1, 1, 1.
void Somme(TPilote& pilote, short juge, std::initializer_list<short> notes)
{
    short ligne = 1;
    for (short note : notes)
        pilote.SetNote(1, ligne++, juge, note);
}

} // namespace

TEST_P(MemesNombres, demoCompetition)
{
    Comparaison c(TAVO_DATA_DIR "/Concours/demo.ccr", TAVO_DATA_DIR "/Vols");
    EXPECT_NE(c.VerifieToutes(), "");
}

TEST_P(MemesNombres, generatedCompetitionWithExactHalves)
{
    QTemporaryDir dossier;
    const std::string rep = dossier.path().toStdString();
    TConcours concours;
    test::GenereConcours(concours, rep, 20, 2, 7);
    // Flight 1 on its own programme, flown by three pilots only.
    EcritFichierSur(rep + "/Demi.txt", test::TexteProgramme({50, 10, 1, 1, 1}));
    concours.SetProgrammeVol("Demi.txt", 0);
    for (TPilote& p : concours.GetPilotes())
        for (short l = 1; l <= 25; ++l)
            for (short j = 1; j <= 2; ++j)
                p.SetNote(1, l, j, 0);
    auto& pilotes = concours.GetPilotes();
    auto p = pilotes.begin();
    Somme(*p, 1, {10, 1, 1, 1, 0}); // 512: the best of flight 1
    Somme(*p, 2, {10, 1, 1, 1, 0});
    ++p;
    Somme(*p, 1, {6, 2, 8, 0, 0}); // 328: 640.625 thousandths
    Somme(*p, 2, {6, 2, 8, 0, 0});
    ++p;
    Somme(*p, 1, {4, 0, 1, 0, 0}); // 201 and 199: a flight score of 200, deviations of 0.5 %
    Somme(*p, 2, {3, 4, 9, 0, 0});
    const std::string fichier = rep + "/genere.ccr";
    ASSERT_TRUE(EcritFichierSur(fichier, concours.Ecrit()));

    Comparaison c(fichier, rep);
    const std::string textes = c.VerifieToutes();
    // Exact halves go to the even digit everywhere.
    EXPECT_NE(textes.find(" 640.62 "), std::string::npos);
    EXPECT_EQ(textes.find("640.63"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Locales, MemesNombres, ::testing::Values("C", "fr_FR.UTF-8"));
