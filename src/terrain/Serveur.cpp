// SPDX-License-Identifier: GPL-3.0-or-later
#include "terrain/Serveur.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <httplib.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <nlohmann/json.hpp>

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
    m_serveur->set_keep_alive_timeout(2);
    m_serveur->set_keep_alive_max_count(1000);
    m_serveur->set_payload_max_length(CORPS_MAX);
    m_serveur->set_default_headers(ENTETES);
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

void TServeurTerrain::Route()
{
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
