// SPDX-License-Identifier: GPL-3.0-or-later
#include "terrain/Serveur.h"

#include "document/Document.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <httplib.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <nlohmann/json.hpp>
#include <sys/socket.h>

namespace tavo::terrain {

namespace {

constexpr const char* JSON = "application/json; charset=utf-8";
constexpr int FILS = 64;

// What a phone's browser is told about every answer: nothing is cached, no page of ours is framed,
// nothing is guessed from the content, no address leaves with a link.
const httplib::Headers ENTETES{
    {"Cache-Control", "no-store"},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
    {"X-Frame-Options", "DENY"},
    {"Cross-Origin-Resource-Policy", "same-origin"},
};

constexpr const char* POLITIQUE_PAGE =
    "default-src 'none'; script-src 'self'; style-src 'self'; connect-src 'self'; "
    "img-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

constexpr const char* PAGE_EN_PREPARATION =
    "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<meta http-equiv=\"refresh\" content=\"2\">\n<title>Résultats en préparation</title>\n"
    "</head>\n<body>\n<main>\n<h1>Résultats en préparation</h1>\n<p>La page s'affichera "
    "dans un instant.</p>\n</main>\n</body>\n</html>\n";

void Refuse(httplib::Response& res, int statut, const std::string& message)
{
    res.status = statut;
    res.set_content(nlohmann::json{{"erreur", message}}.dump(), JSON);
}

// A request another site's page made: its Origin is not this server, or the browser says so.
bool VientDAilleurs(const httplib::Request& req)
{
    if (req.get_header_value("Sec-Fetch-Site") == "cross-site")
        return true;
    if (!req.has_header("Origin"))
        return false;
    return req.get_header_value("Origin") != "http://" + req.get_header_value("Host");
}

} // namespace

struct TServeurTerrain::Attente
{
    std::mutex mutex;
    std::condition_variable fin;
    bool faite = false;
    bool abandonnee = false;
    Reponse reponse;
};

TServeurTerrain::TServeurTerrain(TTerrain& terrain, Poste poste)
    : m_terrain(terrain)
    , m_poste(std::move(poste))
{}

TServeurTerrain::~TServeurTerrain()
{
    Arrete();
    *m_vivant = false; // the tasks still queued find nothing to run on
}

void TServeurTerrain::ActualiseCles()
{
    std::lock_guard verrou(m_mutexCles);
    m_cles = m_terrain.Cles();
}

short TServeurTerrain::JugeDe(const std::string& cle) const
{
    std::lock_guard verrou(m_mutexCles);
    short juge = 0;
    for (const auto& [connue, j] : m_cles)
        if (MemesCles(cle, connue))
            juge = j;
    return juge;
}

bool TServeurTerrain::Demarre(int port, std::string* erreur)
{
    if (m_actif)
        return true;
    ActualiseCles();
    m_arret = false;
    m_serveur = std::make_unique<httplib::Server>();
    m_serveur->new_task_queue = [] { return new httplib::ThreadPool(FILS); };
    m_serveur->set_read_timeout(5, 0);
    m_serveur->set_write_timeout(5, 0);
    // One request a connection: an idle phone, a judge's or a reader's, never holds a thread
    // between its polls (on the field's Wi-Fi a new connection costs a few milliseconds).
    m_serveur->set_keep_alive_timeout(2);
    m_serveur->set_keep_alive_max_count(1);
    m_serveur->set_payload_max_length(CORPS_MAX);
    m_serveur->set_default_headers(ENTETES);
    // SO_REUSEADDR only: the port is had again at once after a stop, but never shared with
    // another server (SO_REUSEPORT would let a second program take half the phones' requests).
    int ecoute = -1;
    m_serveur->set_socket_options([&ecoute](socket_t socket) {
        const int oui = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &oui, sizeof oui);
        ecoute = socket;
    });
    Route();
    if (port < 0 || port > 65535) {
        if (erreur)
            *erreur = "Le port " + std::to_string(port) + " n'existe pas (0 à 65535).";
        return false;
    }
    int obtenu = port;
    if (port == 0)
        obtenu = m_serveur->bind_to_any_port("0.0.0.0");
    else if (!m_serveur->bind_to_port("0.0.0.0", port))
        obtenu = -1;
    if (obtenu <= 0) {
        if (erreur)
            *erreur = "Le port " + std::to_string(port) +
                      " n'est pas disponible : un autre programme l'utilise peut-être.";
        m_serveur.reset();
        return false;
    }
    // A burst of phones connecting at once waits in the queue instead of being refused (the
    // library listens with a queue of 5; listen() again only makes it longer).
    if (ecoute >= 0)
        ::listen(ecoute, 512);
    m_port = obtenu;
    m_actif = true;
    m_ecoute = std::thread([serveur = m_serveur.get()] { serveur->listen_after_bind(); });
    return true;
}

void TServeurTerrain::Arrete()
{
    if (!m_serveur)
        return;
    m_arret = true;
    m_serveur->stop();
    if (m_ecoute.joinable())
        m_ecoute.join();
    m_serveur.reset();
    m_actif = false;
}

bool TServeurTerrain::TDebit::Accepte(const std::string& adresse)
{
    const auto maintenant = std::chrono::steady_clock::now();
    std::lock_guard verrou(m_mutex);
    if (m_seaux.size() > 4096) // addresses seen long ago have a full bucket anyway
        std::erase_if(m_seaux, [&](const auto& s) {
            return maintenant - s.second.vu > std::chrono::seconds(10);
        });
    auto [it, nouveau] = m_seaux.try_emplace(adresse);
    Seau& seau = it->second;
    if (!nouveau) {
        const double secondes = std::chrono::duration<double>(maintenant - seau.vu).count();
        seau.jetons = std::min(RAFALE, seau.jetons + secondes * DEBIT);
    }
    seau.vu = maintenant;
    if (seau.jetons < 1)
        return false;
    seau.jetons -= 1;
    return true;
}

void TServeurTerrain::ActualiseResultats(const ParametresCalcul& parametres, bool saisieOuverte,
                                         bool force)
{
    const TDocument& document = m_terrain.Document();
    const bool memes = parametres.repProgrammes == m_parametresResultats.repProgrammes &&
                       parametres.tbl == m_parametresResultats.tbl &&
                       parametres.rapport1000 == m_parametresResultats.rapport1000;
    if (m_resultatsFaits && !force) {
        if (memes && document.Revision() == m_revisionResultats)
            return;
        if (saisieOuverte || m_terrain.SaisieEnCours())
            return; // a sheet half entered is not published; its end will be
    }
    m_site.Actualise(document.Concours(), parametres);
    m_resultatsFaits = true;
    m_revisionResultats = document.Revision();
    m_parametresResultats = parametres;
}

namespace {

// Sends a file of the live site: 304 when the reader has it, compressed when he accepts it.
void Sert(const httplib::Request& req, httplib::Response& res,
          const std::shared_ptr<const FichierDirect>& fichier)
{
    res.headers.erase("Cache-Control");
    res.set_header("Cache-Control", "no-cache");
    res.set_header("ETag", fichier->etag);
    res.set_header("Vary", "Accept-Encoding");
    res.set_header("Content-Security-Policy", POLITIQUE_PAGE);
    if (req.get_header_value("If-None-Match") == fichier->etag) {
        res.status = 304;
        return;
    }
    const bool gzip = !fichier->gzip.empty() &&
                      req.get_header_value("Accept-Encoding").find("gzip") != std::string::npos;
    const std::string& corps = gzip ? fichier->gzip : fichier->brut;
    if (gzip)
        res.set_header("Content-Encoding", "gzip");
    // A provider, not set_content: the body is sent as it is, never compressed again.
    res.set_content_provider(corps.size(), fichier->type,
                             [fichier, donnees = corps.data()](
                                 std::size_t debut, std::size_t taille, httplib::DataSink& sortie) {
                                 return sortie.write(donnees + debut, taille);
                             });
}

} // namespace

void TServeurTerrain::RouteResultats()
{
    m_serveur->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        const bool juge =
            req.has_header("X-Tavo-Cle") && JugeDe(req.get_header_value("X-Tavo-Cle")) != 0;
        if (!juge && !m_debit.Accepte(req.remote_addr)) {
            res.set_header("Retry-After", "1");
            Refuse(res, 429, "Trop de requêtes : patientez un instant.");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (juge || (req.method != "GET" && req.method != "HEAD"))
            return httplib::Server::HandlerResponse::Unhandled;
        const std::shared_ptr<const EditionSite> edition = m_site.Edition();
        if (!edition) {
            if (req.path != "/" && req.path != "/tableau" && !req.path.ends_with(".html"))
                return httplib::Server::HandlerResponse::Unhandled;
            // The first version is being built: a page that asks again by itself.
            res.status = 503;
            res.set_header("Retry-After", "2");
            res.set_header("Content-Security-Policy", POLITIQUE_PAGE);
            res.set_content(PAGE_EN_PREPARATION, "text/html; charset=utf-8");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (req.path == "/resultats.zip") {
            const std::shared_ptr<const std::string> zip = m_site.Zip(edition);
            res.set_header("Content-Disposition", "attachment; filename=\"resultats.zip\"");
            res.set_content_provider(
                zip->size(), "application/zip",
                [zip](std::size_t debut, std::size_t taille, httplib::DataSink& sortie) {
                    return sortie.write(zip->data() + debut, taille);
                });
            return httplib::Server::HandlerResponse::Handled;
        }
        const std::shared_ptr<const FichierDirect> fichier = edition->Fichier(req.path);
        if (!fichier)
            return httplib::Server::HandlerResponse::Unhandled;
        Sert(req, res, fichier);
        return httplib::Server::HandlerResponse::Handled;
    });
}

void TServeurTerrain::Route()
{
    RouteResultats();
    const PageJuge& page = PageIntegree();
    m_serveur->Get("/juge", [&page](const httplib::Request&, httplib::Response& res) {
        res.set_header("Content-Security-Policy", POLITIQUE_PAGE);
        res.set_content(page.html, "text/html; charset=utf-8");
    });
    m_serveur->Get("/juge.js", [&page](const httplib::Request&, httplib::Response& res) {
        res.set_content(page.js, "text/javascript; charset=utf-8");
    });
    // Browsers ask for it by themselves: nothing, rather than an error in their console.
    m_serveur->Get("/favicon.ico",
                   [](const httplib::Request&, httplib::Response& res) { res.status = 204; });
    m_serveur->Get("/juge.css", [&page](const httplib::Request&, httplib::Response& res) {
        res.set_content(page.css, "text/css; charset=utf-8");
    });

    const auto api = [this](const httplib::Request& req, httplib::Response& res) {
        if (VientDAilleurs(req))
            return Refuse(res, 403, "Requête refusée : elle ne vient pas de la page des juges.");
        const short juge = JugeDe(req.get_header_value("X-Tavo-Cle"));
        if (juge == 0)
            return Refuse(res, 401, "Clé refusée : demandez un nouveau code à l'organisateur.");
        if (req.method == "POST" &&
            req.get_header_value("Content-Type").rfind("application/json", 0) != 0)
            return Refuse(res, 415, "Requête refusée : le corps doit être du JSON.");
        if (m_arret)
            return Refuse(res, 503, "Serveur en cours d'arrêt : réessayez.");

        auto attente = std::make_shared<Attente>();
        std::map<std::string, std::string> parametres;
        for (const auto& [nom, valeur] : req.params)
            parametres.emplace(nom, valeur); // the first of a repeated parameter
        m_poste([vivant = m_vivant, terrain = &m_terrain, attente, juge, methode = req.method,
                 chemin = req.path, parametres = std::move(parametres), corps = req.body] {
            if (!*vivant)
                return;
            {
                std::lock_guard verrou(attente->mutex);
                if (attente->abandonnee)
                    return; // answered "try again" already: the phone sends it again
            }
            Reponse reponse = terrain->Traite(juge, methode, chemin, parametres, corps);
            std::lock_guard verrou(attente->mutex);
            attente->reponse = std::move(reponse);
            attente->faite = true;
            attente->fin.notify_all();
        });
        std::unique_lock verrou(attente->mutex);
        const auto limite =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(ATTENTE_MS);
        while (!attente->faite && !m_arret && std::chrono::steady_clock::now() < limite)
            attente->fin.wait_for(verrou, std::chrono::milliseconds(50));
        if (!attente->faite) {
            attente->abandonnee = true;
            return Refuse(res, 503, "Le programme est occupé : réessayez.");
        }
        res.status = attente->reponse.statut;
        res.set_content(attente->reponse.corps, JSON);
    };
    m_serveur->Get("/api/juge/etat", api);
    m_serveur->Get("/api/juge/feuille", api);
    m_serveur->Post("/api/juge/note", api);
    m_serveur->Post("/api/juge/envoi", api);

    m_serveur->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty())
            return;
        switch (res.status) {
        case 413:
            return Refuse(res, 413, "Requête trop grande.");
        case 404:
            return Refuse(res, 404, "Adresse inconnue.");
        default:
            return Refuse(res, res.status, "Requête refusée.");
        }
    });
    m_serveur->set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
            Refuse(res, 500, "Erreur interne du serveur.");
        });
}

std::vector<std::string> AdressesLocales()
{
    std::vector<std::string> v4;
    ifaddrs* liste = nullptr;
    if (::getifaddrs(&liste) != 0)
        return {};
    for (const ifaddrs* i = liste; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || (i->ifa_flags & IFF_UP) == 0 ||
            (i->ifa_flags & IFF_LOOPBACK) != 0)
            continue;
        char texte[INET6_ADDRSTRLEN] = {};
        if (i->ifa_addr->sa_family == AF_INET) {
            const auto* a = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
            if (::inet_ntop(AF_INET, &a->sin_addr, texte, sizeof texte))
                v4.emplace_back(texte);
        }
    }
    ::freeifaddrs(liste);
    std::sort(v4.begin(), v4.end());
    v4.erase(std::unique(v4.begin(), v4.end()), v4.end());
    return v4;
}

} // namespace tavo::terrain
