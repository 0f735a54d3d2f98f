// SPDX-License-Identifier: GPL-3.0-or-later
// The print commands of the main window, with the print dialogs answered by the test.
#include "Impression.h"
#include "app/Menu.h"
#include "platform/Printer.h"
#include "support/Fenetre.h"

#include <cstdlib>
#include <string>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>

using namespace tavo;

namespace {

/** Answers the print dialogs: prints into a PDF of the temporary directory, or cancels. */
class DialoguesScriptes : public TDialoguesImprimante
{
public:
    DialoguesScriptes(QString dossier, QWidget* fenetre)
        : m_dossier(std::move(dossier))
        , m_fenetre(fenetre)
    {
        AttacheDialoguesImprimante(fenetre, this);
    }
    ~DialoguesScriptes() override { AttacheDialoguesImprimante(m_fenetre, nullptr); }

    bool Imprimer(QWidget*, QPrinter& imprimante) override
    {
        ++impressions;
        titres << imprimante.docName();
        proposes << FichierPdf;
        sorties << imprimante.outputFileName();
        orientations << imprimante.pageLayout().orientation();
        if (annule)
            return false;
        if (apercus > 0) {
            // "Aperçu avant impression", its pages drawn again (as a new page set-up does),
            // then "Fermer".
            std::unique_ptr<QDialog> apercu(CreeApercu(nullptr, imprimante, Apercu));
            auto* pages = apercu->findChild<QPrintPreviewWidget*>();
            for (int i = 0; i < apercus; ++i) {
                pages->updatePreview();
                pagesApercu << pages->pageCount();
            }
            // Its "Imprimer..." confirms the print.
            apercu->findChild<QAction*>(QStringLiteral("imprimer"))->trigger();
            if (apercu->result() != QDialog::Accepted)
                return false;
        }
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(Pdf(impressions));
        if (page > 0)
            imprimante.setFromTo(page, page);
        return true;
    }
    bool MiseEnPage(QWidget*, QPrinter& imprimante) override
    {
        ++misesEnPage;
        imprimante.setPageOrientation(QPageLayout::Landscape);
        imprimante.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        return true;
    }

    QString Pdf(int impression) const
    {
        return m_dossier + QStringLiteral("/%1.pdf").arg(impression);
    }

    int impressions = 0;
    int misesEnPage = 0;
    bool annule = false;
    int apercus = 0;        ///< the times the preview draws the pages before the print
    QList<int> pagesApercu; ///< the pages of each of these previews
    int page = 0;           ///< a page to print alone
    QStringList titres;
    QStringList proposes; ///< the PDF each print dialog proposed
    QStringList sorties;  ///< the printer's file as each print dialog opened
    QList<QPageLayout::Orientation> orientations;

private:
    QString m_dossier;
    QWidget* m_fenetre;
};

class CommandesImpression : public FenetreTest
{
protected:
    CommandesImpression()
    {
        fenetre->GetOptions().SetMiseEnPageAuto(0);
        fenetre->GetOptions().SetRepProgrammes(TAVO_DATA_DIR "/Vols");
        EXPECT_TRUE(fenetre->OuvreFichier(CopieDemo()));
    }
    bool Active(int id)
    {
        TCommandEnabler ce(id);
        fenetre->CommandEnable(ce);
        return ce.Enabled();
    }

    DialoguesScriptes dialogues{depart.path(), cadre.get()};
};

} // namespace

TEST_F(CommandesImpression, theFirstPrintCreatesThePrinterAndLaterOnesKeepItsSetUp)
{
    EXPECT_EQ(fenetre->GetImprimante(), nullptr);
    EXPECT_TRUE(Execute(CM_IMP_LISTE_DOSSARDS));
    ASSERT_NE(fenetre->GetImprimante(), nullptr);
    const TPrinter* premiere = fenetre->GetImprimante();
    EXPECT_TRUE(Execute(CM_MISE_EN_PAGE));
    EXPECT_EQ(dialogues.misesEnPage, 1);
    EXPECT_EQ(fenetre->GetImprimante()->GetSetup().MargeHaut, 1000);
    EXPECT_TRUE(Execute(CM_IMP_LISTE_NOMS));
    EXPECT_EQ(fenetre->GetImprimante(), premiere);
    EXPECT_EQ(dialogues.titres, QStringList({"Liste des pilotes", "Liste des pilotes"}));
    EXPECT_EQ(dialogues.orientations.last(), QPageLayout::Landscape);
    EXPECT_TRUE(QFile::exists(depart.filePath(QStringLiteral("2.pdf"))));
    EXPECT_TRUE(repondeur.Messages().empty());
}

TEST_F(CommandesImpression, programmeSheetsAndTheReportForceA4PortraitWith25mmMargins)
{
    EXPECT_TRUE(Execute(CM_MISE_EN_PAGE));
    EXPECT_TRUE(Execute(CM_IMP_PROGRAMME_1 + 1));
    const TMiseEnPage& mise = fenetre->GetImprimante()->GetSetup();
    EXPECT_EQ(mise.Orientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(mise.MargeHaut, 2500);
    EXPECT_EQ(mise.MargeGauche, 2500);
    EXPECT_EQ(dialogues.titres.last(), QStringLiteral("Programme du vol 2"));
    EXPECT_TRUE(Execute(CM_IMP_PROCES_VERBAL));
    EXPECT_EQ(dialogues.titres.last(), QStringLiteral("Procès-verbal de concours"));
    // The forced set-up stays for the next print.
    EXPECT_TRUE(Execute(CM_IMP_CLST_PILOTES_1 + 3));
    EXPECT_EQ(dialogues.orientations.last(), QPageLayout::Portrait);
    EXPECT_EQ(dialogues.titres.last(), QStringLiteral("classement après 4 vols"));
}

TEST_F(CommandesImpression, automaticSetUpGreysPageSetUpAndGivesEachFormItsOrientation)
{
    EXPECT_TRUE(Active(CM_MISE_EN_PAGE));
    EXPECT_TRUE(Execute(CM_MISE_EN_PAGE));
    fenetre->GetOptions().SetMiseEnPageAuto(1);
    EXPECT_FALSE(Active(CM_MISE_EN_PAGE));
    EXPECT_TRUE(Execute(CM_IMP_CLST_PILOTES_1 + 2));
    EXPECT_EQ(dialogues.orientations.last(), QPageLayout::Portrait);
    EXPECT_EQ(fenetre->GetImprimante()->GetSetup().MargeHaut, 2500);
    EXPECT_TRUE(Execute(CM_IMP_CLST_JUGES_1));
    EXPECT_EQ(dialogues.orientations.last(), QPageLayout::Landscape);
    EXPECT_TRUE(Execute(CM_IMP_FLYOFF_1 + 1));
    EXPECT_EQ(dialogues.titres.last(), QStringLiteral("classement après 2 fly-off"));
    EXPECT_EQ(dialogues.orientations.last(), QPageLayout::Portrait);
    EXPECT_TRUE(Execute(CM_IMP_DIAGRAMME_1 + 4));
    EXPECT_EQ(dialogues.titres.last(), QStringLiteral("Diagramme des notes"));
    EXPECT_EQ(dialogues.orientations.last(), QPageLayout::Landscape);
}

TEST_F(CommandesImpression, aMissingProgrammeStopsThePrintWithItsMessage)
{
    fenetre->GetOptions().SetRepProgrammes(depart.path().toLocal8Bit().constData());
    EXPECT_TRUE(Execute(CM_IMP_CLST_JUGES_1 + 2));
    EXPECT_TRUE(Execute(CM_IMP_PROGRAMME_1 + 2));
    EXPECT_TRUE(Execute(CM_IMP_CLST_PILOTES_1));
    ASSERT_EQ(repondeur.Messages().size(), 3u);
    EXPECT_EQ(repondeur.Messages()[0].Texte,
              QStringLiteral("Le programme de vol 3 est introuvable"));
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(repondeur.Messages()[0].Type & MB_ICONES, unsigned{MB_ICONEXCLAMATION});
    EXPECT_EQ(repondeur.Messages()[1].Texte,
              QStringLiteral("Le programme du vol 3 n'a pas été trouvé ou n'est pas défini"));
    EXPECT_EQ(
        repondeur.Messages()[2].Texte,
        QStringLiteral("Au moins un programme de vol n'a pas été trouvé : le programme du vol "
                       "1, « F3A_P27.txt », est introuvable"));
    EXPECT_EQ(dialogues.impressions, 0);
}

TEST_F(CommandesImpression, aDiagramOfAJudgeThePanelLacksIsGreyedAndPrintsNothing)
{
    fenetre->GetConcours().SetNbJuges(4);
    EXPECT_FALSE(Execute(CM_IMP_DIAGRAMME_1 + 4));
    EXPECT_EQ(fenetre->GetImprimante(), nullptr);
    EXPECT_TRUE(repondeur.Messages().empty());
    EXPECT_EQ(dialogues.impressions, 0);
    EXPECT_TRUE(Execute(CM_IMP_DIAGRAMME_1 + 3));
    EXPECT_EQ(dialogues.impressions, 1);
}

TEST_F(CommandesImpression, theSheetJustEnteredPrintsInPortraitAndACancelPrintsNothing)
{
    fenetre->GetOptions().SetMiseEnPageAuto(0);
    EXPECT_TRUE(Execute(CM_MISE_EN_PAGE));
    fenetre->GetConcours().SetDossardCourant("7");
    fenetre->GetConcours().SetVolCourant(1);
    ASSERT_TRUE(fenetre->GetConcours().ChargeProgramme(1, TAVO_DATA_DIR "/Vols"));
    fenetre->ImpressionAutoFeuille();
    EXPECT_EQ(dialogues.titres.last(), QStringLiteral("la feuille de note"));
    EXPECT_EQ(dialogues.orientations.last(), QPageLayout::Portrait);
    EXPECT_TRUE(QFile::exists(depart.filePath(QStringLiteral("1.pdf"))));

    dialogues.annule = true;
    EXPECT_TRUE(Execute(CM_IMP_LISTE_DOSSARDS));
    EXPECT_FALSE(QFile::exists(depart.filePath(QStringLiteral("2.pdf"))));
    EXPECT_TRUE(repondeur.Messages().empty());
}

TEST_F(CommandesImpression, printCommandsAreGreyedDuringScoreEntry)
{
    EXPECT_TRUE(Active(CM_IMP_PROCES_VERBAL));
    fenetre->SetVue(3);
    for (int id : {int{CM_MISE_EN_PAGE}, int{CM_IMP_LISTE_DOSSARDS}, CM_IMP_CLST_JUGES_1 + 6,
                   int{CM_IMP_PROGRAMME_1}, int{CM_IMP_PROCES_VERBAL}})
        EXPECT_FALSE(Active(id)) << id;
    fenetre->SetVue(0);
    // Demo: F3A series 2, so no 4th fly-off.
    EXPECT_TRUE(Active(CM_IMP_FLYOFF_1 + 2));
    EXPECT_FALSE(Active(CM_IMP_FLYOFF_1 + 3));
    EXPECT_FALSE(Execute(CM_IMP_FLYOFF_1 + 3) && dialogues.impressions > 0);
}

// Every form prints the same after "Aperçu avant impression" (drawn twice) as it does directly,
// its later pages too, and so does page 2 printed alone.
TEST_F(CommandesImpression, everyFormPrintsAfterAPreviewWhatItPrintsDirectly)
{
    if (std::system("pdftotext -v > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    // Four times the demo's pilots, so that the lists and rankings run onto a second page.
    TPilotes& pilotes = fenetre->GetConcours().GetPilotes();
    TPilotes copies;
    for (int n = 1; n <= 3; ++n)
        for (TPilote pilote : pilotes) {
            pilote.SetDossard(std::to_string(n * 100 + pilote.ValeurDossard()).c_str());
            pilote.SetNom((pilote.GetNom() + std::to_string(n)).c_str());
            copies.push_back(pilote);
        }
    pilotes.splice(pilotes.end(), copies);
    fenetre->GetOptions().SetAccordJuges(1);
    fenetre->GetConcours().SetDossardCourant("7");
    fenetre->GetConcours().SetVolCourant(1);
    auto imprime = [this](int commande) {
        if (commande != 0)
            EXPECT_TRUE(Execute(commande));
        else if (fenetre->GetConcours().ChargeProgramme(1, TAVO_DATA_DIR "/Vols"))
            fenetre->ImpressionAutoFeuille(); // the score sheet just typed
        return dialogues.Pdf(dialogues.impressions);
    };

    const int commandes[] = {CM_IMP_LISTE_DOSSARDS,     CM_IMP_LISTE_NOMS,
                             CM_IMP_CLST_PILOTES_1,     CM_IMP_CLST_PILOTES_1 + 1,
                             CM_IMP_CLST_PILOTES_1 + 2, CM_IMP_CLST_PILOTES_1 + 3,
                             CM_IMP_FLYOFF_1,           CM_IMP_FLYOFF_1 + 1,
                             CM_IMP_FLYOFF_1 + 2,       CM_IMP_CLST_JUGES_1 + 1,
                             CM_IMP_DIAGRAMME_1,        CM_IMP_PROGRAMME_1,
                             CM_IMP_PROCES_VERBAL,      0};
    for (int commande : commandes) {
        dialogues.apercus = 0;
        const QString direct = test::TextePdf(imprime(commande));
        ASSERT_FALSE(direct.isEmpty()) << commande;
        dialogues.apercus = 2;
        dialogues.pagesApercu.clear();
        EXPECT_EQ(test::TextePdf(imprime(commande)).toStdString(), direct.toStdString())
            << commande;
        EXPECT_EQ(dialogues.pagesApercu, QList<int>(2, static_cast<int>(direct.count('\f'))))
            << commande;
    }

    dialogues.apercus = 0;
    const QString liste = imprime(CM_IMP_LISTE_DOSSARDS);
    ASSERT_GT(test::TextePdf(liste).count('\f'), 1);
    dialogues.apercus = 1;
    dialogues.page = 2;
    EXPECT_EQ(test::TextePdf(imprime(CM_IMP_LISTE_DOSSARDS)).toStdString(),
              test::TextePdf(liste, 2).toStdString());
    EXPECT_TRUE(repondeur.Messages().empty());
}

// Printing into a file proposes the form's own name in the competitions' folder, never the file
// printed into last.
TEST_F(CommandesImpression, eachFormProposesItsOwnPdfInTheCompetitionsFolder)
{
    ASSERT_TRUE(QDir(depart.path()).mkpath(QStringLiteral("Concours")));
    const QString dossier = depart.filePath(QStringLiteral("Concours"));
    fenetre->GetOptions().SetRepConcours(QFile::encodeName(dossier).constData());
    const std::pair<int, const char*> formulaires[] = {
        {CM_IMP_LISTE_DOSSARDS, "Liste des pilotes"},
        {CM_IMP_LISTE_NOMS, "Liste des pilotes - ordre alphabétique"},
        {CM_IMP_CLST_PILOTES_1, "Classement après 1 vol"},
        {CM_IMP_CLST_PILOTES_1 + 1, "Classement après 2 vols"},
        {CM_IMP_FLYOFF_1, "Classement après 1 fly-off"},
        {CM_IMP_CLST_JUGES_1 + 2, "Classement des juges - vol 3"},
        {CM_IMP_DIAGRAMME_1 + 1, "Diagramme du juge 2"},
        {CM_IMP_PROGRAMME_1 + 1, "Programme du vol 2"},
        {CM_IMP_PROCES_VERBAL, "Procès-verbal de concours"}};
    QStringList attendus;
    for (const auto& [commande, nom] : formulaires) {
        EXPECT_TRUE(Execute(commande));
        attendus << dossier + QStringLiteral("/%1.pdf").arg(QString::fromUtf8(nom));
    }
    fenetre->GetConcours().SetDossardCourant("7");
    fenetre->GetConcours().SetVolCourant(1);
    ASSERT_TRUE(fenetre->GetConcours().ChargeProgramme(1, TAVO_DATA_DIR "/Vols"));
    fenetre->ImpressionAutoFeuille();
    attendus << dossier + QStringLiteral("/Feuille de note - dossard 7 - vol 1.pdf");

    EXPECT_EQ(dialogues.proposes.join('\n').toStdString(), attendus.join('\n').toStdString());
    // Each dialog after the first opened on its own file, not on the one just printed.
    EXPECT_EQ(dialogues.sorties.mid(1).join('\n').toStdString(),
              attendus.mid(1).join('\n').toStdString());
    EXPECT_TRUE(repondeur.Messages().empty());
}
