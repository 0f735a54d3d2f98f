// SPDX-License-Identifier: GPL-3.0-or-later
// The field's HTTP server: the judge's page and its requests, and the live results site. Its
// threads read the requests and refuse what no key opens; what a key opens is handed to the thread
// that owns the competition. The results are answered from the latest version built, read-only.
#pragma once

#include "terrain/SiteDirect.h"
#include "terrain/Terrain.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace httplib {
class Server;
}

namespace tavo::terrain {

/** The judge's page, its script and its style sheet, as the program carries them. */
struct PageJuge
{
    std::string html;
    std::string js;
    std::string css;
};
/** The page built into the program. */
const PageJuge& PageIntegree();

class TServeurTerrain
{
public:
    /** Runs a task on the thread that owns the competition, later, in order. */
    using Poste = std::function<void(std::function<void()>)>;

    TServeurTerrain(TTerrain& terrain, Poste poste);
    ~TServeurTerrain();
    TServeurTerrain(const TServeurTerrain&) = delete;
    TServeurTerrain& operator=(const TServeurTerrain&) = delete;

    /**
     * Listens on every interface at `port` (0: a free one). False, with why in French in
     * `erreur`, when the port cannot be had.
     */
    bool Demarre(int port, std::string* erreur = nullptr);
    /** Stops listening; requests under way are answered "try again". */
    void Arrete();
    bool Actif() const { return m_actif; }
    int Port() const { return m_port; }
    /** The judges' keys changed (a new key, other judges): called on the owning thread. */
    void ActualiseCles();

    /**
     * On the owning thread, often (a timer): rebuilds the results site in the
     * background when the competition or the parameters changed and no sheet is
     * being entered (on a phone, or in the window when `saisieOuverte`); at once
     * after a sheet was finished (`force`). Nothing is built per request.
     */
    void ActualiseResultats(const ParametresCalcul& parametres, bool saisieOuverte = false,
                            bool force = false);
    TSiteDirect& Site() { return m_site; }

    /** The requests one address may make at once without a key, then each second. */
    static constexpr double RAFALE = 60;
    static constexpr double DEBIT = 20;
    /** How long a request waits for the owning thread before "try again", in milliseconds. */
    static constexpr int ATTENTE_MS = 5000;
    /** The largest request body accepted. */
    static constexpr std::size_t CORPS_MAX = 64 * 1024;

private:
    struct Attente;
    /** A bucket of requests per address: a flood from one is slowed down, not the others. */
    class TDebit
    {
    public:
        bool Accepte(const std::string& adresse);

    private:
        struct Seau
        {
            double jetons = RAFALE;
            std::chrono::steady_clock::time_point vu;
        };
        std::mutex m_mutex;
        std::unordered_map<std::string, Seau> m_seaux;
    };
    void Route();
    void RouteResultats();
    short JugeDe(const std::string& cle) const;

    TTerrain& m_terrain;
    Poste m_poste;
    std::unique_ptr<httplib::Server> m_serveur;
    std::thread m_ecoute;
    std::atomic<bool> m_actif{false};
    std::atomic<bool> m_arret{false};
    int m_port = 0;
    mutable std::mutex m_mutexCles;
    std::vector<std::pair<std::string, short>> m_cles;
    std::shared_ptr<bool> m_vivant = std::make_shared<bool>(true);
    TDebit m_debit;
    TSiteDirect m_site;
    bool m_resultatsFaits = false;
    std::uint64_t m_revisionResultats = 0;
    ParametresCalcul m_parametresResultats;
};

/** The IPv4 addresses of this computer's network interfaces a phone may reach. */
std::vector<std::string> AdressesLocales();

} // namespace tavo::terrain
