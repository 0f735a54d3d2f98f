// SPDX-License-Identifier: GPL-3.0-or-later
// The field's HTTP server: the judge's page and its requests. Its threads read the requests and
// refuse what no key opens; what a key opens is handed to the thread that owns the competition.
#pragma once

#include "terrain/Terrain.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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

    /** How long a request waits for the owning thread before "try again", in milliseconds. */
    static constexpr int ATTENTE_MS = 5000;
    /** The largest request body accepted. */
    static constexpr std::size_t CORPS_MAX = 64 * 1024;

private:
    struct Attente;
    void Route();
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
};

/** The IPv4 addresses of this computer's network interfaces a phone may reach. */
std::vector<std::string> AdressesLocales();

} // namespace tavo::terrain
