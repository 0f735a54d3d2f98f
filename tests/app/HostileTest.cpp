// SPDX-License-Identifier: GPL-3.0-or-later
// Every view of the main window on competitions written elsewhere: each command either
// shows its view or its message, and every paint completes.
#include "support/Hostile.h"

#include "app/Commandes.h"
#include "support/Fenetre.h"
#include "support/RecordingDC.h"

#include <QImage>
#include <QPainter>

namespace {

class HostileTest : public FenetreTest
{
};

const int commandesVues[] = {CM_CARACTERISTIQUES, CM_JUGES, CM_LISTE_PILOTES};

} // namespace

TEST_F(HostileTest, everyViewCommandPaintsOrRefusesOnDamagedCompetitions)
{
    for (const auto& [nom, texte] :
         tavo::test::ConcoursHostiles(TAVO_DATA_DIR "/Concours/demo.ccr")) {
        SCOPED_TRACE(nom);
        const QString chemin = depart.filePath(QString::fromStdString(nom) + ".ccr");
        QFile fichier(chemin);
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
        fichier.write(texte.data(), static_cast<qint64>(texte.size()));
        fichier.close();
        ASSERT_TRUE(fenetre->OuvreFichier(chemin));
        fenetre->Options->SetRepProgrammes(TAVO_DATA_DIR "/Vols");

        std::vector<int> commandes(std::begin(commandesVues), std::end(commandesVues));
        for (int i = 0; i < 7; ++i) {
            commandes.push_back(CM_CLST_JUGES_1 + i);
            commandes.push_back(CM_TBL_1 + i);
        }
        for (int i = 0; i < 4; ++i) {
            commandes.push_back(CM_CLST_PILOTES_1 + i);
            commandes.push_back(CM_FLYOFF_1 + i);
        }
        for (int i = 0; i < 5; ++i)
            commandes.push_back(CM_DIAGRAMME_1 + i);

        for (int commande : commandes) {
            SCOPED_TRACE(commande);
            Execute(commande); // a refused view answers with a message box, scripted
            tavo::TRecordingDC dc;
            fenetre->Paint(dc, true, tavo::TRect{0, 0, 1200, 4000});
            QImage image(640, 480, QImage::Format_RGB32);
            QPainter peintre(&image);
            fenetre->viewport()->render(&peintre);
        }
        fenetre->Modifie = false;
    }
}
