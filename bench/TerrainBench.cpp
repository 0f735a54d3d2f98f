// SPDX-License-Identifier: GPL-3.0-or-later
// The live results under 300 spectators' phones (pages a second, their latency, the paint and the
// memory meanwhile), and a mark from a judge's phone, from its request to its acknowledgement
// (median and 99th percentile), while 200 clients poll the field server once a second; and
// meanwhile the paint of the pilot ranking on the thread that owns the competition, every 16 ms
// (target: each under 16 ms). Real sockets on loopback, the competition's journal on the disk.
#include "app/DessinVues.h"
#include "document/Document.h"
#include "model/Fichier.h"
#include "model/Reserve.h"
#include "platform/PainterDC.h"
#include "support/Fabrique.h"
#include "support/Interlocuteur.h"
#include "terrain/Serveur.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <httplib.h>
#include <malloc.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
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

// The pilot ranking painted as the window paints it; how long it took, in milliseconds.
double Peint(QImage& image, TConcours& concours)
{
    QElapsedTimer minuteur;
    minuteur.start();
    QPainter painter(&image);
    tavo::TPainterDC dc(painter, 96, 96);
    DessineClassementPilotes(dc, 800, concours, 1, true, tavo::TRect{0, 0, 800, 600});
    return static_cast<double>(minuteur.nsecsElapsed()) / 1e6;
}

// A generated competition opened as the program opens it, its field server listening on a free
// port; the server's tasks run when the thread that made it processes its events.
struct Banc
{
    Banc(int pilotes, short vols)
    {
        tavo::test::GenereConcours(genere, dossier, pilotes, 5, vols);
        const std::string chemin = dossier + "/banc.ccr";
        if (!tavo::EcritFichierSur(chemin, genere.Ecrit())) {
            erreur = "competition cannot be written";
            return;
        }
        document.Ouvre(chemin);
        terrain.Charge();
        if (!serveur.Demarre(0))
            erreur = "no port";
    }
    ~Banc()
    {
        serveur.Arrete();
        document.Abandonne();
    }
    QTemporaryDir rep;
    std::string dossier = rep.path().toStdString();
    TConcours genere;
    tavo::test::InterlocuteurMuet muet;
    tavo::TDocument document{muet};
    tavo::terrain::TTerrain terrain{document, dossier};
    QObject contexte;
    tavo::terrain::TServeurTerrain serveur{
        terrain, [this](std::function<void()> tache) {
            QMetaObject::invokeMethod(&contexte, std::move(tache), Qt::QueuedConnection);
        }};
    const char* erreur = nullptr;
};

void BM_NoteSousCharge(benchmark::State& state)
{
    const int clients = static_cast<int>(state.range(0));
    Banc banc(static_cast<int>(state.range(1)), 1);
    if (banc.erreur) {
        state.SkipWithError(banc.erreur);
        return;
    }
    const TConcours& genere = banc.genere;
    tavo::TDocument& document = banc.document;
    tavo::terrain::TTerrain& terrain = banc.terrain;
    tavo::terrain::TServeurTerrain& serveur = banc.serveur;
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
            peintures.push_back(Peint(image, document.Concours()));
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
}

// Bytes of this process in memory.
double MemoireMo()
{
    long pages = 0, residentes = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &residentes) != 2)
            residentes = 0;
        std::fclose(f);
    }
    return static_cast<double>(residentes) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// One request of a spectator's phone from its own address; its status, -1 when it failed.
int Demande(const sockaddr_in& source, int port, const std::string& requete)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_port = htons(static_cast<std::uint16_t>(port));
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval delai{5, 0};
    ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &delai, sizeof delai);
    if (::bind(s, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0 ||
        ::connect(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0) {
        ::close(s);
        return -1;
    }
    ::send(s, requete.data(), requete.size(), MSG_NOSIGNAL);
    std::string recu;
    char tampon[16384];
    ssize_t n = 0;
    while ((n = ::recv(s, tampon, sizeof tampon, 0)) > 0) // the server closes after its answer
        recu.append(tampon, static_cast<std::size_t>(n));
    ::close(s);
    return recu.size() > 12 ? std::atoi(recu.c_str() + 9) : -1;
}

// Spectators' phones polling the live results (each from its own address, three polls of the
// version for one page fetched whole) while three judges send marks, a finished sheet rebuilds
// the site every 2 s and the owning thread paints every 16 ms.
void BM_ResultatsSousCharge(benchmark::State& state)
{
    const int clients = static_cast<int>(state.range(0));
    const int pilotes = static_cast<int>(state.range(1));
    Banc banc(pilotes, 7);
    if (banc.erreur) {
        state.SkipWithError(banc.erreur);
        return;
    }
    const std::string& dossier = banc.dossier;
    const TConcours& genere = banc.genere;
    tavo::TDocument& document = banc.document;
    tavo::terrain::TTerrain& terrain = banc.terrain;
    tavo::terrain::TServeurTerrain& serveur = banc.serveur;
    const int port = serveur.Port();
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = dossier;
    serveur.ActualiseResultats(parametres);
    serveur.Site().Attend();
    const auto edition = serveur.Site().Edition();
    const std::string etagVersion = edition->fichiers.at("/version")->etag;
    const double memoireDebut = MemoireMo();

    for (auto _ : state) {
        std::atomic<bool> fin{false};
        std::atomic<long> servies{0}, ratees{0};
        std::mutex mutexDelais;
        std::vector<double> delais;
        std::vector<std::thread> lecteurs;
        for (int c = 0; c < clients; ++c)
            lecteurs.emplace_back([&, c] {
                sockaddr_in source{};
                source.sin_family = AF_INET;
                source.sin_addr.s_addr = htonl(
                    0x7f010000u | static_cast<std::uint32_t>(((c / 250) << 8) | (1 + c % 250)));
                const std::string version =
                    "GET /version HTTP/1.1\r\nHost: x\r\nIf-None-Match: " + etagVersion +
                    "\r\n\r\n";
                const std::string page =
                    "GET /vol-4.html HTTP/1.1\r\nHost: x\r\nAccept-Encoding: gzip\r\n\r\n";
                std::vector<double> miens;
                std::this_thread::sleep_for(std::chrono::milliseconds(c * 250 / clients));
                auto prochaine = Horloge::now();
                for (int k = 0; !fin; ++k) {
                    const auto debut = Horloge::now();
                    const int statut = Demande(source, port, k % 4 == 3 ? page : version);
                    miens.push_back(
                        std::chrono::duration<double, std::milli>(Horloge::now() - debut).count());
                    (statut == 200 || statut == 304 ? servies : ratees)++;
                    prochaine += std::chrono::milliseconds(250);
                    std::this_thread::sleep_until(prochaine);
                }
                std::lock_guard verrou(mutexDelais);
                delais.insert(delais.end(), miens.begin(), miens.end());
            });
        std::vector<double> notes;
        std::mutex mutexNotes;
        std::atomic<int> notesRatees{0};
        std::vector<std::thread> juges;
        for (short j = 1; j <= 3; ++j)
            juges.emplace_back([&, j] {
                httplib::Client client("127.0.0.1", port);
                client.set_read_timeout(10, 0);
                const std::string dossard = genere.GetPilote(1).GetDossard();
                for (int i = 0; !fin; ++i) {
                    const std::string corps = R"({"vol":1,"dossard":")" + dossard +
                                              R"(","ligne":)" + std::to_string(1 + i % 17) +
                                              R"(,"note":)" + std::to_string(i % 11) + "}";
                    const auto debut = Horloge::now();
                    auto r = client.Post("/api/juge/note", {{"X-Tavo-Cle", terrain.Cle(j)}}, corps,
                                         "application/json");
                    const double ms =
                        std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
                    if (!r || r->status != 200) {
                        ++notesRatees;
                        std::fprintf(stderr, "note %d: %s\n", i,
                                     r ? std::to_string(r->status).c_str()
                                       : httplib::to_string(r.error()).c_str());
                    }
                    {
                        std::lock_guard verrou(mutexNotes);
                        notes.push_back(ms);
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                }
            });
        // The owning thread: the server's tasks, a paint every 16 ms, a rebuild every 2 s.
        std::vector<double> peintures, actualisations;
        QImage image(800, 600, QImage::Format_RGB32);
        Peint(image, document.Concours()); // the first paint loads the fonts: not counted
        const auto debut = Horloge::now();
        const auto arret = debut + std::chrono::seconds(
                                       std::getenv("DUREE") ? std::atoi(std::getenv("DUREE")) : 10);
        auto peinture = debut;
        auto reconstruction = debut + std::chrono::seconds(2);
        while (Horloge::now() < arret) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
            const auto maintenant = Horloge::now();
            if (maintenant >= reconstruction) {
                reconstruction += std::chrono::seconds(2);
                QElapsedTimer minuteur;
                minuteur.start();
                serveur.ActualiseResultats(parametres, false, true);
                actualisations.push_back(static_cast<double>(minuteur.nsecsElapsed()) / 1e6);
            }
            if (maintenant < peinture)
                continue;
            peinture += std::chrono::milliseconds(16);
            peintures.push_back(Peint(image, document.Concours()));
        }
        const double secondes = std::chrono::duration<double>(Horloge::now() - debut).count();
        const long total = servies.load();
        fin = true;
        // The judges' last requests are still answered by the owning thread.
        std::atomic<bool> jugesFinis{false};
        std::thread attente([&] {
            for (auto& t : juges)
                t.join();
            jugesFinis = true;
        });
        while (!jugesFinis)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        attente.join();
        for (auto& t : lecteurs)
            t.join();
        state.counters["pages_par_s"] = static_cast<double>(total) / secondes;
        state.counters["pages_ratees"] = static_cast<double>(ratees.load());
        state.counters["page_mediane_ms"] = Centile(delais, 0.5);
        state.counters["page_p99_ms"] = Centile(delais, 0.99);
        state.counters["note_p99_ms"] = Centile(notes, 0.99);
        state.counters["notes_ratees"] = notesRatees.load();
        state.counters["peinture_max_ms"] = *std::max_element(peintures.begin(), peintures.end());
        state.counters["copie_max_ms"] =
            *std::max_element(actualisations.begin(), actualisations.end());
        state.counters["copie_mediane_ms"] = Centile(actualisations, 0.5);
        state.counters["memoire_debut_mo"] = memoireDebut;
        state.counters["memoire_fin_mo"] = MemoireMo();
        const struct mallinfo2 m = mallinfo2();
        state.counters["tas_utilise_mo"] = static_cast<double>(m.uordblks + m.hblkhd) / 1e6;
        state.counters["tas_libre_mo"] = static_cast<double>(m.fordblks) / 1e6;
        // Where the memory is: the heap in use, and the pilot records (10,000 a copy).
        const tavo::EtatReserve reserve = tavo::Reserve();
        state.counters["reserve_mo"] = static_cast<double>(reserve.octets) / 1e6;
        state.counters["reserve_blocs"] = static_cast<double>(reserve.blocs);
    }
}

} // namespace

BENCHMARK(BM_ResultatsSousCharge)
    ->Args({300, 100})
    ->Args({300, 1000})
    ->Args({300, 10000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_NoteSousCharge)
    ->Args({200, 100})
    ->Args({200, 10000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
