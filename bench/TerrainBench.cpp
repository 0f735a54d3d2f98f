// SPDX-License-Identifier: GPL-3.0-or-later
// A mark from a judge's phone, from its request to its acknowledgement (median and 99th
// percentile), while 200 clients poll the field server once a second; and meanwhile the paint
// of the pilot ranking on the thread that owns the competition, every 16 ms (target: each
// under 16 ms). Real sockets on loopback, the competition's journal on the disk.
#include "app/DessinVues.h"
#include "document/Document.h"
#include "model/Fichier.h"
#include "platform/PainterDC.h"
#include "support/Fabrique.h"
#include "support/Interlocuteur.h"
#include "terrain/Serveur.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <httplib.h>
#include <thread>
#include <vector>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

using Horloge = std::chrono::steady_clock;

double Centile(std::vector<double> valeurs, double p)
{
    if (valeurs.empty())
        return 0;
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs[static_cast<std::size_t>(p * static_cast<double>(valeurs.size() - 1))];
}

void BM_NoteSousCharge(benchmark::State& state)
{
    const int clients = static_cast<int>(state.range(0));
    const QTemporaryDir rep;
    const std::string dossier = rep.path().toStdString();
    TConcours genere;
    tavo::test::GenereConcours(genere, dossier, 100, 5, 1);
    const std::string chemin = dossier + "/banc.ccr";
    if (!tavo::EcritFichierSur(chemin, genere.Ecrit())) {
        state.SkipWithError("competition cannot be written");
        return;
    }
    tavo::test::InterlocuteurMuet muet;
    tavo::TDocument document(muet);
    document.Ouvre(chemin);
    tavo::terrain::TTerrain terrain(document, dossier);
    terrain.Charge();
    QObject contexte;
    tavo::terrain::TServeurTerrain serveur(terrain, [&](std::function<void()> tache) {
        QMetaObject::invokeMethod(&contexte, std::move(tache), Qt::QueuedConnection);
    });
    if (!serveur.Demarre(0)) {
        state.SkipWithError("no port");
        return;
    }
    const int port = serveur.Port();
    const std::string cle = terrain.Cle(1);
    const std::string dossard = genere.GetPilote(1).GetDossard();

    for (auto _ : state) {
        std::atomic<bool> fin{false};
        std::vector<std::thread> sondeurs;
        for (int c = 0; c < clients; ++c)
            sondeurs.emplace_back([&, c] {
                httplib::Client client("127.0.0.1", port);
                client.set_read_timeout(10, 0);
                const httplib::Headers entete{{"X-Tavo-Cle", terrain.Cle(1 + c % 5)}};
                std::this_thread::sleep_for(std::chrono::milliseconds(5 * c % 1000));
                while (!fin) {
                    client.Get("/api/juge/etat", entete);
                    for (int i = 0; i < 20 && !fin; ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
            });
        std::vector<double> delais;
        std::atomic<int> echecs{0};
        std::thread juge([&] {
            std::this_thread::sleep_for(std::chrono::seconds(1)); // every poller running
            httplib::Client client("127.0.0.1", port);
            client.set_read_timeout(10, 0);
            for (int i = 0; i < 300; ++i) {
                const std::string corps = R"({"vol":1,"dossard":")" + dossard + R"(","ligne":)" +
                                          std::to_string(1 + i % 17) + R"(,"note":)" +
                                          std::to_string(i % 11) + "}";
                const auto debut = Horloge::now();
                auto r =
                    client.Post("/api/juge/note", {{"X-Tavo-Cle", cle}}, corps, "application/json");
                delais.push_back(
                    std::chrono::duration<double, std::milli>(Horloge::now() - debut).count());
                if (!r || r->status != 200)
                    ++echecs;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            fin = true;
        });
        // The owning thread: the server's tasks, and a paint every 16 ms.
        std::vector<double> peintures;
        QImage image(800, 600, QImage::Format_RGB32);
        auto prochaine = Horloge::now();
        while (!fin) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
            if (Horloge::now() < prochaine)
                continue;
            prochaine += std::chrono::milliseconds(16);
            QElapsedTimer minuteur;
            minuteur.start();
            {
                QPainter painter(&image);
                tavo::TPainterDC dc(painter, 96, 96);
                DessineClassementPilotes(dc, 800, document.Concours(), 1, true,
                                         tavo::TRect{0, 0, 800, 600});
            }
            peintures.push_back(static_cast<double>(minuteur.nsecsElapsed()) / 1e6);
        }
        juge.join();
        for (auto& s : sondeurs)
            s.join();
        state.counters["mediane_ms"] = Centile(delais, 0.5);
        state.counters["p99_ms"] = Centile(delais, 0.99);
        state.counters["echecs"] = echecs.load();
        state.counters["peinture_max_ms"] = *std::max_element(peintures.begin(), peintures.end());
        state.counters["peinture_p99_ms"] = Centile(peintures, 0.99);
    }
    serveur.Arrete();
    document.Abandonne();
}

} // namespace

BENCHMARK(BM_NoteSousCharge)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
