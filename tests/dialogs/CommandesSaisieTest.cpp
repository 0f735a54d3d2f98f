// SPDX-License-Identifier: GPL-3.0-or-later
// The data-entry commands of the main window with the real dialogs.
#include "app/DialoguesSaisie.h"
#include "app/Menu.h"
#include "dialogs/TConcoursDlg.h"
#include "dialogs/TNoteDlg.h"
#include "dialogs/TPiloteDlg.h"
#include "model/Fichier.h"
#include "support/Fenetre.h"
#include "support/Frappe.h"

#include <functional>

#include <QAbstractButton>
#include <QClipboard>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace tavo;

namespace {

/** Runs `action` on the modal dialog the next command opens; closes it if the action did not. */
void PendantDialogue(std::function<void(TDialog&)> action)
{
    QTimer::singleShot(0, [action] {
        auto* d = qobject_cast<TDialog*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "no dialog";
            return;
        }
        action(*d);
        if (d->isVisible())
            d->reject();
    });
}

} // namespace

class CommandesSaisieTest : public FenetreTest
{
protected:
    CommandesSaisieTest() { fenetre->GetDialoguesSaisie() = DialoguesDuProgramme(); }
};

TEST_F(CommandesSaisieTest, confirmedPilotsAreSavedAtOnceWhenAutomatic)
{
    const QString demo = CopieDemo();
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    fenetre->GetOptions().SetSauvegardeAuto(1);
    PendantDialogue([](TDialog& d) {
        d.Edit(106)->selectAll();
        Frappe(d.Edit(106), QStringLiteral("Garnier-Roy"));
        d.Bouton(IDOK)->click();
    });
    Execute(CM_PILOTES);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STREQ(relu.GetPilote(1).GetNom(), "Garnier-Roy");
}

TEST_F(CommandesSaisieTest, cancelledPilotDialogStillMarksWhatItChanged)
{
    ASSERT_TRUE(fenetre->OuvreFichier(CopieDemo()));
    PendantDialogue([](TDialog& d) { d.Bouton(IDCANCEL)->click(); });
    Execute(CM_PILOTES);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());

    PendantDialogue([](TDialog& d) {
        d.Bouton(105)->click(); // deleted at once
        d.Bouton(IDCANCEL)->click();
    });
    Execute(CM_PILOTES);
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 14);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
}

TEST_F(CommandesSaisieTest, cancelledCompetitionDialogMarksJudgesWritten)
{
    ASSERT_TRUE(fenetre->OuvreFichier(CopieDemo()));
    PendantDialogue([](TDialog& d) { d.Bouton(IDCANCEL)->click(); });
    Execute(CM_INFORMATIONS);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());

    PendantDialogue([](TDialog& d) {
        static_cast<TConcoursDlg&>(d).SelectionnePage(2);
        d.Edit(141)->selectAll();
        Frappe(d.Edit(141), QStringLiteral("Autre"));
        d.Bouton(153)->click();
        d.Bouton(IDCANCEL)->click();
    });
    Execute(CM_INFORMATIONS);
    EXPECT_STREQ(fenetre->GetConcours().GetJuge(1).GetNom(), "Autre");
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
}

TEST_F(CommandesSaisieTest, confirmedOptionsWriteTheOptionsFile)
{
    PendantDialogue([](TDialog& d) {
        for (int id : {102, 103, 104, 106, 107})
            if (d.EstCoche(id))
                d.Bouton(id)->click();
        d.Bouton(IDOK)->click();
    });
    Execute(CM_OPTIONS);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    TOption relues;
    relues.Charge(depart.path().toStdString());
    EXPECT_EQ(relues.GetImpressionAuto() + relues.GetMiseEnPageAuto() + relues.GetRapport1000() +
                  relues.GetSauvegardeAuto() + relues.GetTBL(),
              0);
    EXPECT_EQ(fenetre->GetOptions().GetRapport1000(), 0);
}

TEST_F(CommandesSaisieTest, pastedLineBreaksBecomeSpacesSoTheFilesReopen)
{
    const QString demo = CopieDemo();
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    PendantDialogue([](TDialog& d) {
        d.Onglets(101)->setCurrentIndex(4);
        QLineEdit* observations = d.Edit(177);
        observations->clear();
        QGuiApplication::clipboard()->setText(
            QStringLiteral("Piste en herbe\r\nvent nul\u2028fin"));
        observations->setFocus();
        QTest::keyClick(observations, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(observations->text(), QStringLiteral("Piste en herbe vent nul fin"));
        d.Onglets(101)->setCurrentIndex(0);
        d.Edit(103)->clear();
        d.Edit(103)->insert(QStringLiteral("Coupe\nd'\tété")); // through the filter as well
        d.Bouton(IDOK)->click();
    });
    Execute(CM_INFORMATIONS);
    PendantDialogue([](TDialog& d) {
        d.Edit(106)->clear();
        d.Edit(106)->insert(QStringLiteral("Martin\n"));
        d.Bouton(IDOK)->click();
    });
    Execute(CM_PILOTES);
    ASSERT_TRUE(fenetre->CmEnregistrer());
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STREQ(relu.GetObservations(), "Piste en herbe vent nul fin");
    EXPECT_STREQ(relu.GetTitre(), "Coupe d' \xe9t\xe9");
    EXPECT_STREQ(relu.GetPilote(1).GetNom(), "Martin ");

    PendantDialogue([](TDialog& d) {
        d.Edit(111)->clear();
        d.Edit(111)->insert(QStringLiteral("/srv/concours\r\n2026"));
        d.Bouton(IDOK)->click();
    });
    Execute(CM_OPTIONS);
    TOption relues;
    relues.Charge(depart.path().toStdString());
    EXPECT_STREQ(relues.GetRepConcours(), "/srv/concours 2026");
    EXPECT_STREQ(relues.GetRepProgrammes(), fenetre->GetOptions().GetRepProgrammes());
}

TEST_F(CommandesSaisieTest, scoreSheetDialogStoresTheChoice)
{
    ASSERT_TRUE(fenetre->OuvreFichier(CopieDemo()));
    TConcours& concours = fenetre->GetConcours();
    concours.SetDossardCourant("");
    TNoteDlg d(fenetre, concours);
    d.show();
    EXPECT_TRUE(d.GetTexte(117).startsWith(QStringLiteral("1 - ")));
    d.SetSelection(116, 1);
    d.Bouton(IDOK)->click();
    EXPECT_EQ(concours.GetVolCourant(), 2);
    EXPECT_STREQ(concours.GetDossardCourant(), "1");
}
