// SPDX-License-Identifier: GPL-3.0-or-later
// "Juges sur le terrain" in the program: the server started, a pilot called, the judges' sheets
// arriving from their phones into the grid and the flight's total, the file saved.
#include "app/FenetreTerrain.h"

#include "app/Menu.h"
#include "model/Cp1252.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "presentation/Presentation.h"
#include "support/Fenetre.h"

#include <future>
#include <httplib.h>
#include <netinet/in.h>
#include <nlohmann/json.hpp>
#include <sys/socket.h>
#include <unistd.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace tavo;

namespace {

int PortLibre()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    ::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse);
    socklen_t taille = sizeof adresse;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&adresse), &taille);
    ::close(s);
    return ntohs(adresse.sin_port);
}

// A judge's phone: his whole sheet of the called pilot, 8 on every figure, 0 elsewhere.
int EnvoieFeuille(int port, const std::string& cle)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(10, 0);
    const httplib::Headers entetes{{"X-Tavo-Cle", cle}};
    auto etat = client.Get("/api/juge/etat", entetes);
    if (!etat || etat->status != 200)
        return -1;
    const auto appel = nlohmann::json::parse(etat->body)["appel"];
    if (!appel.is_object())
        return -2;
    const std::string vol = std::to_string(appel["vol"].get<int>());
    const std::string dossard = appel["dossard"].get<std::string>();
    auto feuille = client.Get("/api/juge/feuille?vol=" + vol + "&dossard=" + dossard, entetes);
    if (!feuille || feuille->status != 200)
        return -3;
    nlohmann::json notes = nlohmann::json::array();
    const nlohmann::json lue = nlohmann::json::parse(feuille->body);
    for (const auto& ligne : lue["lignes"]) {
        const auto& valeurs = ligne["valeurs"];
        notes.push_back(std::find(valeurs.begin(), valeurs.end(), 8) != valeurs.end() ? 8 : 0);
    }
    const nlohmann::json envoi{{"vol", std::stoi(vol)}, {"dossard", dossard}, {"notes", notes}};
    auto r = client.Post("/api/juge/envoi", entetes, envoi.dump(), "application/json");
    if (r && r->status != 200)
        ADD_FAILURE() << r->body;
    return r ? r->status : -4;
}

} // namespace

class FenetreTerrainTest : public FenetreTest
{
protected:
    void SetUp() override
    {
        QDir().mkpath(depart.filePath(QStringLiteral("Vols")));
        for (const QString& f : QDir(QStringLiteral(TAVO_DATA_DIR "/Vols")).entryList(QDir::Files))
            QFile::copy(QStringLiteral(TAVO_DATA_DIR "/Vols/") + f,
                        depart.filePath(QStringLiteral("Vols/") + f));
        chemin = CopieDemo();
        ASSERT_TRUE(fenetre->OuvreFichier(chemin));
        fenetre->GetOptions().SetImpressionAuto(0);
        fenetre->GetOptions().SetSauvegardeAuto(1);
    }
    QString chemin;
};

TEST_F(FenetreTerrainTest, judgesSheetsFromPhonesFillTheGridAndFinishTheSheet)
{
    ASSERT_TRUE(Execute(CM_TERRAIN));
    TFenetreTerrain* terrain = fenetre->GetFenetreTerrain();
    ASSERT_NE(terrain, nullptr);
    EXPECT_TRUE(terrain->isVisible());
    EXPECT_EQ(terrain->windowTitle(), QStringLiteral("Juges sur le terrain"));

    const int port = PortLibre();
    terrain->findChild<QSpinBox*>(QStringLiteral("port"))->setValue(port);
    terrain->findChild<QPushButton*>(QStringLiteral("marche"))->click();
    ASSERT_TRUE(terrain->Actif());
    EXPECT_EQ(fenetre->GetOptions().GetPortTerrain(), port);
    const auto* etat = cadre->findChild<QLabel*>(QStringLiteral("etatTerrain"));
    ASSERT_NE(etat, nullptr);
    EXPECT_TRUE(etat->text().startsWith(QStringLiteral("Serveur des juges en marche")));

    auto* pilote = terrain->findChild<QComboBox*>(QStringLiteral("pilote"));
    pilote->setCurrentIndex(1);
    terrain->findChild<QPushButton*>(QStringLiteral("appeler"))->click();
    const std::string dossard = pilote->currentData().toString().toStdString();
    ASSERT_TRUE(terrain->GetTerrain().AppelCourant());

    const short juges = terrain->GetTerrain().NbJuges();
    std::vector<std::string> cles;
    for (short j = 1; j <= juges; ++j)
        cles.push_back(terrain->GetTerrain().Cle(j));
    auto phones = std::async(std::launch::async, [&] {
        std::vector<int> statuts;
        for (const std::string& cle : cles)
            statuts.push_back(EnvoieFeuille(port, cle));
        return statuts;
    });
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return phones.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        30000));
    for (int statut : phones.get())
        EXPECT_EQ(statut, 200);
    QTest::qWait(50); // the grid is refreshed after the last sheet

    const TPilote p = fenetre->GetConcours().GetPiloteDossard(Utf8VersCp1252(dossard).c_str());
    EXPECT_GT(p.GetScoreVol(1), 0.0);
    auto* grille = terrain->findChild<QTableWidget*>(QStringLiteral("grille"));
    EXPECT_EQ(grille->item(1, 1)->text(), QStringLiteral("envoyée"));
    EXPECT_EQ(grille->item(1, juges + 1)->text(),
              QString::fromStdString(Fixe(p.GetScoreVol(1), 7, 2)).trimmed());
    EXPECT_TRUE(repondeur.Messages().empty()); // no message box stops the next arrivals

    // The results the pilots read on the field follow the finished sheet.
    const std::string score = Fixe(p.GetScoreVol(1), 0, 2);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            httplib::Client lecteur("127.0.0.1", port);
            auto page = lecteur.Get("/juges-vol-1.html");
            return page && page->status == 200 &&
                   page->body.find(">" + score + "<") != std::string::npos;
        },
        10000));

    // Saved at once, as a typed sheet with the automatic save.
    TConcours lu;
    ASSERT_TRUE(OuvreConcours(lu, CheminNatif(chemin)));
    EXPECT_EQ(lu.GetPiloteDossard(Utf8VersCp1252(dossard).c_str()).GetNote(1, 1, juges), 8);

    // Typing the same sheet asks first.
    repondeur.Repond(IDNO);
    fenetre->GetDialoguesSaisie().Notes = [&](QWidget*, TConcours& c) {
        c.SetVolCourant(1);
        c.SetDossardCourant(Utf8VersCp1252(dossard).c_str());
        return IDOK;
    };
    Execute(CM_NOTES);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(repondeur.Messages()[0].Texte.startsWith(
        QStringLiteral("Les juges saisissent sur le terrain")));
    EXPECT_NE(fenetre->GetVue(), modes::FEUILLE);

    terrain->findChild<QPushButton*>(QStringLiteral("marche"))->click();
    EXPECT_FALSE(terrain->Actif());
}
