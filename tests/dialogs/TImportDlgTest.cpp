// SPDX-License-Identifier: GPL-3.0-or-later
// "Importer des pilotes...": the spreadsheet chosen, previewed, added or not.
#include "dialogs/TImportDlg.h"

#include "app/DialoguesSaisie.h"
#include "app/ListePilotes.h"
#include "app/Menu.h"
#include "model/Concours.h"
#include "support/Fenetre.h"

#include <functional>

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>

using namespace tavo;

namespace {

const QString DONNEES = QStringLiteral(TAVO_TESTS_DIR "/model/donnees/");

class ImportTest : public FenetreTest
{
protected:
    ImportTest() { fenetre->GetDialoguesSaisie() = DialoguesDuProgramme(); }

    /** Imports `csv`, `action` run on the preview (which is closed after it if still open). */
    void Importe(const QString& csv, std::function<void(TImportDlg&)> action)
    {
        repondeur.Choisit(DONNEES + csv);
        bool vu = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<TImportDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            vu = true;
            action(*d);
            if (d->isVisible())
                d->reject();
        });
        Execute(CM_IMPORTER);
        EXPECT_TRUE(vu);
    }
};

} // namespace

TEST_F(ImportTest, previewShowsThePilotsAndCancelAddsNothing)
{
    Importe(QStringLiteral("inscriptions-libreoffice-utf8.csv"), [](TImportDlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Importer des pilotes"));
        ASSERT_EQ(d.Table()->rowCount(), 4);
        EXPECT_EQ(d.Table()->item(0, 1)->text(), QStringLiteral("1"));
        EXPECT_EQ(d.Table()->item(0, 2)->text(), QStringLiteral("Lefèvre"));
        EXPECT_EQ(d.Table()->item(3, 2)->text(), QStringLiteral("Grünewald-Schmidt vo"));
        EXPECT_TRUE(d.Rapport()->toPlainText().contains(QStringLiteral("ligne 7 : dossard 2")));
        EXPECT_TRUE(d.Bouton(IDOK)->isEnabled());
        d.Bouton(IDCANCEL)->click();
    });
    ASSERT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_TRUE(repondeur.Dialogues()[0].Donnees.Filtre.contains(QStringLiteral("*.csv")));
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 0);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
}

TEST_F(ImportTest, importAddsThePilotsAndRefreshesTheList)
{
    Execute(CM_LISTE_PILOTES);
    Importe(QStringLiteral("inscriptions-cp1252.csv"),
            [](TImportDlg& d) { d.Bouton(IDOK)->click(); });
    ASSERT_EQ(fenetre->GetConcours().NbPilotes(), 2);
    EXPECT_STREQ(fenetre->GetConcours().GetPilote(1).GetNom(), "M\xFCller");
    EXPECT_STREQ(fenetre->GetConcours().GetPilote(2).GetFrequence1(), "72.210");
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    ASSERT_NE(fenetre->GetListeVue(), nullptr);
    EXPECT_EQ(fenetre->GetListeVue()->model()->rowCount(), 2);
}

TEST_F(ImportTest, damagedFileGreysImportAndSaysWhy)
{
    Importe(QStringLiteral("inscriptions-abimee.csv"), [](TImportDlg& d) {
        EXPECT_EQ(d.Table()->rowCount(), 0);
        EXPECT_FALSE(d.Bouton(IDOK)->isEnabled());
        EXPECT_TRUE(d.Rapport()->toPlainText().contains(
            QStringLiteral("Ligne 3 : un guillemet ouvert n'est jamais fermé")));
    });
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 0);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
}
