// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Menu.h"
#include "document/Document.h"
#include "model/Option.h"
#include "platform/Chaines.h"
#include "support/Fenetre.h"
#include "support/RecordingDC.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QFile>

using namespace tavo;

class TableauxTest : public FenetreTest
{
protected:
    TableauxTest()
    {
        fenetre->OuvreFichier(CopieDemo());
        fenetre->GetOptions().SetRepProgrammes(TAVO_DATA_DIR "/Vols");
    }
    QString Dessine()
    {
        TRecordingDC dc;
        fenetre->Paint(dc, true, TRect{0, 0, 1000, 2000});
        QString textes;
        for (const TTrace& t : dc.DeType(TTrace::Type::Texte))
            textes += t.Texte + QLatin1Char('|');
        return textes;
    }
    bool Actif(int id)
    {
        cadre->ActualiseCommandes();
        return cadre->Action(id)->isEnabled();
    }
};

TEST_F(TableauxTest, missingSheetsViewListsEachFlightsSheetsStillToType)
{
    EXPECT_FALSE(Actif(CM_EXPORTER_CSV)); // the characteristics are no table
    ASSERT_TRUE(Execute(CM_FEUILLES_MANQUANTES));
    EXPECT_EQ(fenetre->GetVue(), 31);
    const QString textes = Dessine();
    EXPECT_TRUE(textes.contains(QStringLiteral("FEUILLES MANQUANTES|"))) << textes.toStdString();
    // Bib 10 did not fly flight 2.
    EXPECT_TRUE(textes.contains(QStringLiteral("|2|10|"))) << textes.toStdString();
    EXPECT_TRUE(textes.contains(QStringLiteral(" sans note|")));
    EXPECT_TRUE(Actif(CM_EXPORTER_CSV));
    // A mark stored meanwhile (a judge's phone) shows at the next paint: judge 1 alone typed.
    fenetre->GetDocument().StockeNote({2, 1, 1, 7, "10"});
    const QString apres = Dessine();
    EXPECT_FALSE(apres.contains(QStringLiteral(" sans note|"))) << apres.toStdString();
    EXPECT_TRUE(apres.contains(QStringLiteral(" juges 2, 3, 4 et 5 : figure 1|")))
        << apres.toStdString();
}

TEST_F(TableauxTest, exportWritesTheViewShownAsASpreadsheetsFileUnderItsOwnName)
{
    ASSERT_TRUE(Execute(CM_CLST_PILOTES_1 + 1));
    const QString chemin = depart.filePath(QStringLiteral("classement.csv"));
    repondeur.Choisit(chemin);
    ASSERT_TRUE(Execute(CM_EXPORTER_CSV));
    ASSERT_EQ(repondeur.Dialogues().size(), 1u);
    const TDonneesFichier& propose = repondeur.Dialogues()[0].Donnees;
    EXPECT_TRUE(repondeur.Dialogues()[0].Enregistrement);
    EXPECT_EQ(propose.NomFichier,
              QDir(CheminQt(fenetre->GetOptions().GetRepConcours()))
                  .absoluteFilePath(QStringLiteral("Classement après 2 vols.csv")));
    const std::string csv = test::LitOctets(CheminNatif(chemin));
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFRang;Nom Prénom;V1;%V1;V2;%V2;Total\n1;", 0), 0u) << csv;

    // A cancelled dialog writes nothing.
    QFile::remove(chemin);
    repondeur.Choisit(std::nullopt);
    Execute(CM_EXPORTER_CSV);
    EXPECT_FALSE(QFile::exists(chemin));
}

TEST_F(TableauxTest, publishingSaysWhichPublishedFlightsHaveSheetsToType)
{
    const QString site = depart.filePath(QStringLiteral("site"));
    fenetre->GetOptions().SetRepPublication(CheminNatif(site).c_str());
    ASSERT_TRUE(Execute(CM_PUBLIER));
    ASSERT_FALSE(repondeur.Messages().empty());
    const QString message = repondeur.Messages().back().Texte;
    EXPECT_TRUE(message.startsWith(QStringLiteral("Les résultats sont publiés dans")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(
        QStringLiteral("\n\nAttention : vol 2 : 1 feuille manquante ou incomplète")))
        << message.toStdString();
}
