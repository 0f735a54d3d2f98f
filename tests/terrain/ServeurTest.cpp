// SPDX-License-Identifier: GPL-3.0-or-later
// The field server as a phone and as an attacker reach it: over real sockets.
#include "terrain/Serveur.h"

#include "document/Document.h"
#include "model/Fichier.h"
#include "presentation/Presentation.h"
#include "support/Fabrique.h"
#include "support/Interlocuteur.h"
#include "support/TestUtil.h"
#include "terrain/ConcoursTerrain.h"

#include <arpa/inet.h>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace tavo;
using namespace tavo::terrain;
using namespace tavo::test;

namespace {

// The thread that owns the competition: it runs what the server hands it.
class Proprietaire
{
public:
    Proprietaire()
        : m_fil([this] { Boucle(); })
    {}
    ~Proprietaire()
    {
        {
            std::lock_guard verrou(m_mutex);
            m_fin = true;
        }
        m_reveil.notify_all();
        m_fil.join();
    }
    void Poste(std::function<void()> tache)
    {
        {
            std::lock_guard verrou(m_mutex);
            m_taches.push_back(std::move(tache));
        }
        m_reveil.notify_all();
    }
    /** Runs `f` on the owning thread and waits for it. */
    template <class F> void Sur(F f)
    {
        std::mutex m;
        std::condition_variable fini;
        bool fait = false;
        Poste([&] {
            f();
            std::lock_guard v(m);
            fait = true;
            fini.notify_all();
        });
        std::unique_lock v(m);
        fini.wait(v, [&] { return fait; });
    }

private:
    void Boucle()
    {
        std::unique_lock verrou(m_mutex);
        while (true) {
            m_reveil.wait(verrou, [&] { return m_fin || !m_taches.empty(); });
            if (m_taches.empty())
                return;
            auto tache = std::move(m_taches.front());
            m_taches.pop_front();
            verrou.unlock();
            tache();
            verrou.lock();
        }
    }
    std::mutex m_mutex;
    std::condition_variable m_reveil;
    std::deque<std::function<void()>> m_taches;
    bool m_fin = false;
    std::thread m_fil;
};

// Bytes sent as they are on a new connection; what came back before the server closed it.
std::string Brut(int port, const std::string& octets)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_port = htons(static_cast<std::uint16_t>(port));
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0) {
        ::close(s);
        return "connect failed";
    }
    timeval delai{2, 0};
    ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &delai, sizeof delai);
    ::send(s, octets.data(), octets.size(), MSG_NOSIGNAL);
    ::shutdown(s, SHUT_WR);
    std::string recu;
    char tampon[4096];
    ssize_t n = 0;
    while ((n = ::recv(s, tampon, sizeof tampon, 0)) > 0)
        recu.append(tampon, static_cast<std::size_t>(n));
    ::close(s);
    return recu;
}

class Serveur : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string chemin = EcritConcoursTerrain(rep);
        ASSERT_FALSE(chemin.empty());
        proprietaire.Sur([&] {
            ASSERT_EQ(document.Ouvre(chemin), Issue::Faite);
            terrain.Charge();
            cle1 = terrain.Cle(1);
            cle2 = terrain.Cle(2);
            ASSERT_TRUE(serveur.Demarre(0));
        });
        port = serveur.Port();
        ASSERT_GT(port, 0);
    }
    void TearDown() override
    {
        proprietaire.Sur([&] { serveur.Arrete(); });
    }

    httplib::Client Client() const
    {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(10, 0);
        return client;
    }
    httplib::Result Note(const std::string& cle, const std::string& corps,
                         httplib::Headers entetes = {}) const
    {
        if (!cle.empty())
            entetes.emplace("X-Tavo-Cle", cle);
        return Client().Post("/api/juge/note", entetes, corps, "application/json");
    }
    std::string Competition()
    {
        std::string texte;
        proprietaire.Sur([&] { texte = document.Concours().Ecrit(); });
        return texte;
    }
    bool ServiceRendu() const
    {
        auto r = Client().Get("/api/juge/etat", {{"X-Tavo-Cle", cle1}});
        return r && r->status == 200;
    }

    RepertoireTemporaire rep;
    tavo::test::InterlocuteurMuet muet;
    TDocument document{muet};
    TTerrain terrain{document, rep.Chemin().string()};
    Proprietaire proprietaire;
    TServeurTerrain serveur{terrain,
                            [this](std::function<void()> t) { proprietaire.Poste(std::move(t)); }};
    std::string cle1;
    std::string cle2;
    int port = 0;
};

const std::string MARQUE = R"({"vol":1,"dossard":"7","ligne":1,"note":8})";

} // namespace

TEST_F(Serveur, aJudgesKeyStoresHisMarkAndServesHisPage)
{
    auto page = Client().Get("/juge");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->get_header_value("Content-Security-Policy").find("default-src 'none'"),
              std::string::npos);
    EXPECT_EQ(page->get_header_value("Referrer-Policy"), "no-referrer");
    auto r = Note(cle2, MARQUE);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    short note = 0;
    proprietaire.Sur([&] { note = document.Concours().GetPiloteDossard("7").GetNote(1, 1, 2); });
    EXPECT_EQ(note, 8);
}

TEST_F(Serveur, whatNoKeyOpensOrAnotherSiteSendsStoresNothing)
{
    const std::string avant = Competition();
    const std::string autreJuge = R"({"vol":1,"dossard":"7","ligne":1,"note":8,"juge":1})";
    struct Cas
    {
        std::string cle;
        std::string corps;
        httplib::Headers entetes;
        int statut;
    };
    const Cas cas[] = {
        {"", MARQUE, {}, 401},
        {std::string(32, '0'), MARQUE, {}, 401},
        {cle1.substr(0, 31), MARQUE, {}, 401},
        {cle2, autreJuge, {}, 403},
        {cle1, MARQUE, {{"Origin", "http://evil.example"}}, 403},
        {cle1, MARQUE, {{"Sec-Fetch-Site", "cross-site"}}, 403},
        {cle1, R"({"vol":1,"dossard":"7","ligne":1,"note":15})", {}, 422},
        {cle1, std::string(70 * 1024, ' ') + MARQUE, {}, 413},
        {cle1, std::string(30000, '[') + std::string(30000, ']'), {}, 400},
    };
    for (const Cas& c : cas) {
        auto r = Note(c.cle, c.corps, c.entetes);
        ASSERT_TRUE(r) << c.statut;
        EXPECT_EQ(r->status, c.statut) << c.corps.substr(0, 80);
    }
    // A form another site's page posts carries no key and no JSON.
    auto formulaire =
        Client().Post("/api/juge/note", {{"X-Tavo-Cle", cle1}}, "vol=1&dossard=7&ligne=1&note=8",
                      "application/x-www-form-urlencoded");
    ASSERT_TRUE(formulaire);
    EXPECT_EQ(formulaire->status, 415);
    EXPECT_EQ(Competition(), avant);
    EXPECT_TRUE(ServiceRendu());
}

TEST_F(Serveur, malformedRequestsAndPathsOutsideTheRoutesReachNothing)
{
    std::ofstream(rep.Fichier("secret.txt")) << "SECRET";
    const std::string avant = Competition();
    const std::string corpus[] = {
        "",
        "\r\n\r\n",
        "GARBAGE\r\n\r\n",
        std::string(1, '\0') + "GET / HTTP/1.1\r\n\r\n",
        "GET /../secret.txt HTTP/1.1\r\nHost: x\r\n\r\n",
        "GET /%2e%2e/secret.txt HTTP/1.1\r\nHost: x\r\n\r\n",
        "GET /juge/..%2f..%2fsecret.txt HTTP/1.1\r\nHost: x\r\n\r\n",
        "GET " + std::string(100000, 'a') + " HTTP/1.1\r\n\r\n",
        "GET / HTTP/1.1\r\nX: " + std::string(100000, 'b') + "\r\n\r\n",
        "POST /api/juge/note HTTP/1.1\r\nHost: x\r\nX-Tavo-Cle: " + cle1 +
            "\r\nContent-Type: application/json\r\nContent-Length: 999999999\r\n\r\n{",
        "POST /api/juge/note HTTP/1.1\r\nHost: x\r\nX-Tavo-Cle: " + cle1 +
            "\r\nContent-Type: application/json\r\nContent-Length: -5\r\n\r\n",
        "POST /api/juge/note HTTP/1.1\r\nHost: x\r\nX-Tavo-Cle: " + cle1 +
            "\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\nZZ\r\n",
        "POST /api/juge/note HTTP/1.1\r\nHost: x\r\nX-Tavo-Cle: " + cle1 +
            "\r\nContent-Type: application/json\r\nContent-Length: 12\r\n\r\n{\"vol\":\xff\xfe}",
        "BREW /api/juge/note HTTP/1.1\r\nHost: x\r\n\r\n",
        "GET /api/juge/feuille?vol=1&dossard=%00%ff HTTP/1.1\r\nHost: x\r\nX-Tavo-Cle: " + cle1 +
            "\r\n\r\n",
    };
    for (const std::string& requete : corpus) {
        const std::string reponse = Brut(port, requete);
        EXPECT_EQ(reponse.find("SECRET"), std::string::npos) << requete.substr(0, 60);
        EXPECT_EQ(reponse.find(" 200 "), std::string::npos) << requete.substr(0, 60);
    }
    EXPECT_EQ(Competition(), avant);
    EXPECT_TRUE(ServiceRendu());
}

TEST_F(Serveur, idleConnectionsAndAFloodLeaveTheJudgesServed)
{
    std::vector<int> inactives;
    for (int i = 0; i < 40; ++i) {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in adresse{};
        adresse.sin_family = AF_INET;
        adresse.sin_port = htons(static_cast<std::uint16_t>(port));
        adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::connect(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
        ::send(s, "GET /ju", 7, MSG_NOSIGNAL); // and never more
        inactives.push_back(s);
    }
    std::vector<std::thread> flot;
    for (int i = 0; i < 8; ++i)
        flot.emplace_back([&] {
            for (int k = 0; k < 50; ++k)
                Note("", MARQUE);
        });
    EXPECT_TRUE(ServiceRendu());
    auto r = Note(cle1, MARQUE);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    for (auto& f : flot)
        f.join();
    for (int s : inactives)
        ::close(s);
}

TEST_F(Serveur, stoppingAnswersTryAgainAndAMarkSentTwiceIsStoredOnce)
{
    ASSERT_EQ(Note(cle1, MARQUE)->status, 200);
    ASSERT_EQ(Note(cle1, MARQUE)->status, 200);
    short note = 0;
    proprietaire.Sur([&] {
        note = document.Concours().GetPiloteDossard("7").GetNote(1, 1, 1);
        serveur.Arrete();
    });
    EXPECT_EQ(note, 8);
    EXPECT_FALSE(Note(cle1, MARQUE)); // nobody listens
    proprietaire.Sur([&] { ASSERT_TRUE(serveur.Demarre(port)); });
    EXPECT_EQ(Note(cle1, MARQUE)->status, 200);
    // A second program on the same port is refused, never given part of the phones.
    TServeurTerrain autre(terrain, [](std::function<void()>) {});
    std::string erreur;
    EXPECT_FALSE(autre.Demarre(port, &erreur));
    EXPECT_NE(erreur.find("n'est pas disponible"), std::string::npos);
}

namespace {

// A request from another address of this computer (127.0.0.k): a spectator's own phone.
int StatutDepuis(const char* source, int port, const std::string& chemin)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in locale{};
    locale.sin_family = AF_INET;
    ::inet_pton(AF_INET, source, &locale.sin_addr);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_port = htons(static_cast<std::uint16_t>(port));
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(s, reinterpret_cast<sockaddr*>(&locale), sizeof locale) != 0 ||
        ::connect(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0) {
        ::close(s);
        return -1;
    }
    const std::string requete = "GET " + chemin + " HTTP/1.1\r\nHost: x\r\n\r\n";
    ::send(s, requete.data(), requete.size(), MSG_NOSIGNAL);
    char tampon[16] = {};
    const ssize_t n = ::recv(s, tampon, 12, MSG_WAITALL);
    ::close(s);
    return n == 12 ? std::atoi(tampon + 9) : -1;
}

} // namespace

class Resultats : public Serveur
{
protected:
    // What the thread that owns the competition does after a change or a finished sheet.
    void Publie(bool force = false)
    {
        ParametresCalcul parametres;
        parametres.repProgrammes = rep.Chemin().string();
        proprietaire.Sur([&] { serveur.ActualiseResultats(parametres, false, force); });
        serveur.Site().Attend();
    }
    std::string Version()
    {
        const std::string json = Client().Get("/version")->body;
        const auto p = json.find("\"version\":\"");
        return p == std::string::npos ? std::string() : json.substr(p + 11, 16);
    }
    void EnvoieFeuille(const std::string& cle, const std::string& notes)
    {
        auto r =
            Client().Post("/api/juge/envoi", {{"X-Tavo-Cle", cle}},
                          R"({"vol":1,"dossard":"7","notes":[)" + notes + "]}", "application/json");
        ASSERT_TRUE(r);
        ASSERT_EQ(r->status, 200) << r->body;
    }
};

TEST_F(Resultats, pagesAreServedWithoutAKeyCachedAndCompressedAndFollowFinishedSheets)
{
    auto attente = Client().Get("/");
    ASSERT_TRUE(attente);
    EXPECT_EQ(attente->status, 503); // before the first version: a page that asks again
    EXPECT_NE(attente->body.find("<title>Résultats en préparation</title>"), std::string::npos);
    Publie();
    auto index = Client().Get("/");
    ASSERT_TRUE(index);
    EXPECT_EQ(index->status, 200);
    EXPECT_NE(index->body.find("Mis à jour à "), std::string::npos);
    EXPECT_EQ(index->body.find("<!--heure-->"), std::string::npos);
    const std::string v1 = Version();
    ASSERT_EQ(v1.size(), 16u);

    // The reader who has a page gets 304; one who accepts gzip gets it compressed.
    auto style = Client().Get("/style.css");
    ASSERT_TRUE(style);
    const std::string etag = style->get_header_value("ETag");
    EXPECT_EQ(Client().Get("/style.css", {{"If-None-Match", etag}})->status, 304);
    httplib::Client brut("127.0.0.1", port);
    brut.set_decompress(false);
    auto compresse = brut.Get("/style.css", {{"Accept-Encoding", "gzip"}});
    ASSERT_TRUE(compresse);
    EXPECT_EQ(compresse->get_header_value("Content-Encoding"), "gzip");
    EXPECT_LT(compresse->body.size(), style->body.size());
    EXPECT_EQ(compresse->body.substr(0, 2), "\x1f\x8b");

    // A sheet tapped but not sent is not published; a whole sheet, once finished, is.
    ASSERT_EQ(Note(cle1, MARQUE)->status, 200);
    Publie();
    EXPECT_EQ(Version(), v1);
    EnvoieFeuille(cle1, "8,7,6,0,0");
    EnvoieFeuille(cle2, "9,9,9,5,0");
    Publie(true);
    const std::string v2 = Version();
    EXPECT_NE(v2, v1);
    auto classement = Client().Get("/vol-1.html");
    ASSERT_TRUE(classement);
    double score = 0;
    proprietaire.Sur([&] { score = document.Concours().GetPiloteDossard("7").GetScoreVol(1); });
    EXPECT_GT(score, 0);
    EXPECT_NE(classement->body.find(">" + Fixe(score, 0, 2) + "<"), std::string::npos);
    // Nothing changed since: the same version, nothing for the pages to refresh.
    Publie(true);
    EXPECT_EQ(Version(), v2);
    auto zip = Client().Get("/resultats.zip");
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip->body.substr(0, 4), std::string("PK\x03\x04", 4));
}

// A pilot's page, kept compressed and made ready at its first request: its time and version in,
// the same page and tag when asked again, compressed for who accepts it; no other number is one.
TEST_F(Resultats, pilotsPagesAreMadeWhenAskedWithTheirTimeAndVersion)
{
    Publie();
    const std::string version = Version();
    auto page = Client().Get("/pilote-1.html");
    ASSERT_TRUE(page);
    ASSERT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("<meta name=\"tavo-version\" content=\"" + version + "\">"),
              std::string::npos);
    EXPECT_EQ(page->body.find("<!--heure-->"), std::string::npos);
    auto encore = Client().Get("/pilote-1.html", {{"Accept-Encoding", "gzip"}});
    ASSERT_TRUE(encore);
    EXPECT_EQ(encore->body, page->body);
    EXPECT_EQ(encore->get_header_value("ETag"), page->get_header_value("ETag"));
    EXPECT_EQ(Client().Get("/pilote-999.html")->status, 404);
    EXPECT_EQ(Client().Get("/pilote-1.html.gz")->status, 404);
}

TEST_F(Resultats, spectatorsWriteNothingReadNothingElseAndAFloodIsSlowedAlone)
{
    Publie();
    const std::string avant = Competition();
    for (const char* chemin : {"/", "/vol-1.html", "/version", "/api/juge/note"})
        EXPECT_GE(Client().Post(chemin, "{}", "application/json")->status, 400) << chemin;
    for (const char* chemin : {"/concours.ccr", "/.concours.ccr.terrain", "/P.txt",
                               "/../concours.ccr", "/%2e%2e/concours.ccr", "/index.html/"})
        EXPECT_EQ(Client().Get(chemin)->status, 404) << chemin;
    EXPECT_EQ(Competition(), avant);

    int refusees = 0;
    for (int i = 0; i < 200; ++i)
        refusees += StatutDepuis("127.0.0.2", port, "/version") == 429;
    EXPECT_GT(refusees, 100);
    EXPECT_EQ(StatutDepuis("127.0.0.3", port, "/"), 200);
    EXPECT_TRUE(ServiceRendu()); // a judge's key is never slowed
}
