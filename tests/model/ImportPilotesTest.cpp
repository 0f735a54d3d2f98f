// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImportPilotes.h"

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "support/TestUtil.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace tavo;

namespace {

const std::string DONNEES = TAVO_TESTS_DIR "/model/donnees/";

std::string U8(const char* cp1252)
{
    return Cp1252VersUtf8(cp1252);
}

bool Contient(const std::vector<RemarqueImport>& remarques, std::size_t ligne,
              const std::string& morceau)
{
    return std::any_of(remarques.begin(), remarques.end(), [&](const RemarqueImport& r) {
        return r.ligne == ligne && r.texte.find(morceau) != std::string::npos;
    });
}

} // namespace

// A spreadsheet saved as CSV: UTF-8 without BOM, ";", text quoted only when it must be.
TEST(ImportPilotes, readsTheLibreOfficeExportInUtf8)
{
    TConcours concours;
    const ImportPilotes import =
        LitFichierImportPilotes(DONNEES + "inscriptions-libreoffice-utf8.csv", concours);
    ASSERT_FALSE(import.Refuse()) << import.erreur;
    EXPECT_TRUE(import.utf8);
    EXPECT_EQ(import.separateur, ';');
    ASSERT_EQ(import.colonnes.size(), 9u);
    EXPECT_EQ(import.colonnes[3].champ, ChampImport::NumClub);
    EXPECT_FALSE(import.colonnes[7].champ); // "Catégorie" is listed, not used

    ASSERT_EQ(import.pilotes.size(), 4u);
    const TPilote& helene = import.pilotes[0];
    EXPECT_EQ(U8(helene.GetNom()), "Lefèvre");
    EXPECT_EQ(U8(helene.GetPrenom()), "Hélène");
    EXPECT_EQ(U8(helene.GetClub()), "Air Modèles Club d'A"); // 20 characters, cut
    EXPECT_STREQ(helene.GetNumClub(), "123");
    EXPECT_STREQ(helene.GetLicence(), "0451234");
    EXPECT_STREQ(helene.GetFrequence1(), "35.100");
    EXPECT_STREQ(helene.GetFrequence2(), "35.160");
    EXPECT_TRUE(helene.GetNotesPilote().SansNote());
    // A quoted cell with "" and the separator inside; characters the dialog refuses left out.
    EXPECT_EQ(U8(import.pilotes[1].GetClub()), "Club Les Ailes Toulo");
    EXPECT_STREQ(import.pilotes[1].GetFrequence1(), "35.150");
    EXPECT_EQ(U8(import.pilotes[2].GetNom()), "Œuvray");
    EXPECT_STREQ(import.pilotes[2].GetFrequence1(), "2.4");
    EXPECT_EQ(U8(import.pilotes[3].GetNom()), "Grünewald-Schmidt vo");
    EXPECT_EQ(U8(import.pilotes[3].GetPrenom()), "Maximilien-Alex");
    EXPECT_STREQ(import.pilotes[3].GetDossard(), "004");
    EXPECT_EQ(import.lignes, (std::vector<std::size_t>{2, 3, 4, 8}));

    // The blank row is skipped silently; the row without bib and the second bib 2 are reported.
    ASSERT_EQ(import.ecarts.size(), 2u);
    EXPECT_TRUE(Contient(import.ecarts, 6, "pas de dossard (Martin Paul)"));
    EXPECT_TRUE(Contient(import.ecarts, 7, "dossard 2 (Bernard Luc) déjà donné ligne 3"));
    EXPECT_TRUE(Contient(import.notes, 2, "coupé à 20 caractères"));
    EXPECT_TRUE(Contient(import.notes, 3, "caractères refusés"));
    EXPECT_TRUE(Contient(import.notes, 8, "Prénom « Maximilien-Alexandre » coupé à 15"));
}

// Files LibreOffice Calc 7.4 wrote from the same sheet ("Enregistrer sous", Texte CSV): every
// text cell quoted, the header too, LF line ends, a line break inside a cell, a frequency typed
// "35,150" taken by Calc for the number 35150; once in UTF-8 with ";", once in Windows-1252
// with ",". Cut in the middle of a quoted cell, the file is refused whole.
TEST(ImportPilotes, readsWhatLibreOfficeCalcWritesInBothEncodingsAndRefusesItCut)
{
    for (const char* fichier : {"inscriptions-calc-utf8.csv", "inscriptions-calc-cp1252.csv"}) {
        SCOPED_TRACE(fichier);
        TConcours concours;
        const ImportPilotes import = LitFichierImportPilotes(DONNEES + fichier, concours);
        ASSERT_FALSE(import.Refuse()) << import.erreur;
        EXPECT_EQ(import.utf8, fichier == std::string("inscriptions-calc-utf8.csv"));
        EXPECT_EQ(import.separateur, import.utf8 ? ';' : ',');
        ASSERT_EQ(import.pilotes.size(), 4u);
        EXPECT_EQ(U8(import.pilotes[0].GetPrenom()), "Hélène");
        EXPECT_STREQ(import.pilotes[0].GetLicence(), "451234");
        EXPECT_STREQ(import.pilotes[0].GetFrequence2(), "35.160");
        EXPECT_EQ(U8(import.pilotes[1].GetPrenom()), "Jean-François");
        EXPECT_STREQ(import.pilotes[1].GetFrequence1(), ""); // 35150 is no frequency: said
        EXPECT_TRUE(Contient(import.notes, 3, "35150"));
        EXPECT_EQ(U8(import.pilotes[2].GetNom()), "Œuvray");
        EXPECT_STREQ(import.pilotes[2].GetFrequence1(), "2.4");
        EXPECT_EQ(U8(import.pilotes[3].GetClub()), "Aéro-club de Colmar");
        EXPECT_STREQ(import.pilotes[3].GetDossard(), "12");
        EXPECT_TRUE(import.ecarts.empty());
    }
    TConcours concours;
    const ImportPilotes coupe =
        LitFichierImportPilotes(DONNEES + "inscriptions-calc-coupee.csv", concours);
    EXPECT_TRUE(coupe.Refuse());
    EXPECT_TRUE(coupe.pilotes.empty());
}

// A Windows spreadsheet's export: Windows-1252, ",", CR LF, a line break inside a quoted cell.
TEST(ImportPilotes, readsWindows1252WithCommasAndQuotedLineBreaks)
{
    TConcours concours;
    const ImportPilotes import =
        LitFichierImportPilotes(DONNEES + "inscriptions-cp1252.csv", concours);
    ASSERT_FALSE(import.Refuse()) << import.erreur;
    EXPECT_FALSE(import.utf8);
    EXPECT_EQ(import.separateur, ',');
    ASSERT_EQ(import.pilotes.size(), 2u);
    EXPECT_EQ(U8(import.pilotes[0].GetNom()), "Müller");
    EXPECT_EQ(U8(import.pilotes[0].GetClub()), "Aéro-club de Nîmes s");
    EXPECT_STREQ(import.pilotes[0].GetFrequence1(), "35.030");
    EXPECT_STREQ(import.pilotes[0].GetFrequence2(), "35.090");
    EXPECT_STREQ(import.pilotes[0].GetDossard(), "12");
    EXPECT_EQ(U8(import.pilotes[1].GetNom()), "Ducœur");
    EXPECT_EQ(U8(import.pilotes[1].GetClub()), "Les Cigognes d'Alsac");
    // Lines count the line break inside the quoted cell: "012" is the bib 12 again.
    ASSERT_EQ(import.ecarts.size(), 1u);
    EXPECT_TRUE(Contient(import.ecarts, 6, "dossard 012 (Roux Émile) déjà donné ligne 2"));
}

TEST(ImportPilotes, skipsBibsTheCompetitionHasAndReportsBadValues)
{
    TConcours concours;
    concours.AjoutePilote();
    concours.GetPilotes().back().SetDossard("7");
    concours.GetPilotes().back().SetNom("DEJA");
    const ImportPilotes import = LitImportPilotes("\xEF\xBB\xBF"
                                                  "dossard;NOM;prenom;licence;Frequence 1\r\n"
                                                  "07;A;B;;\r\n"
                                                  "8a;C;D;;\r\n"
                                                  "9;E;F;12-34;35.1000\r\n",
                                                  concours);
    ASSERT_FALSE(import.Refuse()) << import.erreur;
    ASSERT_EQ(import.pilotes.size(), 1u);
    EXPECT_STREQ(import.pilotes[0].GetLicence(), "");
    EXPECT_STREQ(import.pilotes[0].GetFrequence1(), "");
    EXPECT_TRUE(Contient(import.ecarts, 2, "porté dans le concours par le pilote 1 (DEJA)"));
    EXPECT_TRUE(Contient(import.ecarts, 3, "1 à 4 chiffres"));
    EXPECT_TRUE(Contient(import.notes, 4, "Licence « 12-34 » laissée vide"));
    EXPECT_TRUE(Contient(import.notes, 4, "##.###"));

    AjoutePilotesImportes(concours, import);
    ASSERT_EQ(concours.NbPilotes(), 2);
    EXPECT_STREQ(concours.GetPilote(2).GetNom(), "E");
}

// Damaged files are refused whole, with the reason, and give no pilot.
TEST(ImportPilotes, refusesDamagedFilesWhole)
{
    TConcours concours;
    const auto refus = [&](std::string_view octets) {
        const ImportPilotes import = LitImportPilotes(octets, concours);
        EXPECT_TRUE(import.pilotes.empty());
        return import.erreur;
    };
    const ImportPilotes coupe =
        LitFichierImportPilotes(DONNEES + "inscriptions-abimee.csv", concours);
    EXPECT_TRUE(coupe.pilotes.empty());
    EXPECT_EQ(coupe.erreur.rfind("Ligne 3 : un guillemet ouvert n'est jamais fermé", 0), 0u)
        << coupe.erreur;
    EXPECT_NE(refus(std::string("Nom;Dossard\nA;1\0\0\0", 18)).find("octets nuls"),
              std::string::npos);
    EXPECT_NE(refus("Nom;Dossard\nA;1\x01\x02\x03\n").find("Ligne 2 : caractère de contrôle"),
              std::string::npos);
    EXPECT_NE(refus("Nom;Dossard\nA;1;x\n").find("Ligne 2 : 3 cellules pour 2 colonnes"),
              std::string::npos);
    EXPECT_NE(refus(std::string(TAILLE_MAX_TABLEUR + 1, 'a')).find("trop grand"),
              std::string::npos);
    EXPECT_NE(refus("Prénom;Dossard\nA;1\n").find("pas de colonne « Nom »"), std::string::npos);
    EXPECT_NE(refus("Nom;Club\nA;B\n").find("pas de colonne « Dossard »"), std::string::npos);
    EXPECT_NE(refus("a,b,c\n1,2,3\n").find("Aucune colonne n'est reconnue"), std::string::npos);
    EXPECT_NE(refus("\n\n").find("vide"), std::string::npos);
    EXPECT_NE(refus("Nom" + std::string(5000, ';') + "\n").find("colonnes"), std::string::npos);
    // Every cut of a real export is read or refused, and never gives a bib twice.
    const std::string octets = test::LitOctets(DONNEES + "inscriptions-cp1252.csv");
    for (std::size_t n = 0; n <= octets.size(); ++n) {
        const ImportPilotes import =
            LitImportPilotes(std::string_view(octets).substr(0, n), concours);
        std::set<long> dossards;
        for (const TPilote& pilote : import.pilotes)
            dossards.insert(pilote.ValeurDossard());
        EXPECT_EQ(dossards.size(), import.pilotes.size()) << n;
    }
    // Trailing empty cells past the header are what spreadsheets write: accepted.
    EXPECT_EQ(LitImportPilotes("Nom;Dossard\nA;1;;\n", concours).pilotes.size(), 1u);
}

TEST(ImportPilotes, reportSaysWhatIsAddedAndWhy)
{
    TConcours concours;
    const ImportPilotes import =
        LitFichierImportPilotes(DONNEES + "inscriptions-libreoffice-utf8.csv", concours);
    const std::vector<std::string> rapport = RapportImport(import);
    ASSERT_GE(rapport.size(), 5u);
    EXPECT_EQ(rapport[0], "Fichier : UTF-8, séparateur point-virgule (;)");
    EXPECT_EQ(rapport[1],
              "Colonnes lues : Nom, Prénom, Club, N° Club, Licence, Fréquences, Dossard");
    EXPECT_EQ(rapport[2], "Colonnes ignorées : Catégorie, Courriel");
    EXPECT_EQ(rapport[3], "4 pilotes à ajouter.");
    EXPECT_EQ(rapport[4], "Lignes écartées (2) :");
}
