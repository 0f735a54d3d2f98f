// SPDX-License-Identifier: GPL-3.0-or-later
// The results site as the field server answers it: built in the background from a copy of the
// competition, each file compressed once, read by the server's threads without a lock held long.
#pragma once

#include "publication/Site.h"
#include "scoring/Classements.h"

#include <condition_variable>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class TConcours;

namespace tavo::terrain {

/** One file of the live site, ready to be sent. */
struct FichierDirect
{
    std::string type; ///< its Content-Type
    std::string brut;
    std::string gzip; ///< compressed; empty when that is not smaller
    std::string etag; ///< quoted, as the header carries it
};

/** One version of the live site. */
struct EditionSite
{
    std::string version; ///< 16 hexadecimal digits: changes only when a page changes
    std::string heure;   ///< "HH:MM:SS" of the build that made this version
    /**
     * By path, ready to be sent: "/", "/index.html", "/vol-1.html", "/tableau", "/version"...:
     * every file but the pilots' pages.
     */
    std::map<std::string, std::shared_ptr<const FichierDirect>, std::less<>> fichiers;
    /** A page as built, deflated, its time and version not yet in. */
    struct Source
    {
        std::string donnees;
        std::size_t taille = 0;
    };
    /** The pilots' pages by path ("/pilote-1.html"): each made ready when it is asked for. */
    std::map<std::string, Source, std::less<>> pilotes;
    std::shared_ptr<const TConcours> concours; ///< the copy it was built from, for the zip
    ParametresCalcul parametres;

    /**
     * The file at exactly this path, nullptr when the site has none. A pilot's page is made
     * ready at its first request and kept among the latest asked for, within a bounded
     * size. Any thread.
     */
    std::shared_ptr<const FichierDirect> Fichier(std::string_view chemin) const;

private:
    mutable std::mutex m_mutexPrets;
    /** The pilots' pages made ready, latest asked for first. */
    mutable std::list<std::pair<std::string, std::shared_ptr<const FichierDirect>>> m_prets;
    mutable std::size_t m_octetsPrets = 0;
};

/** The live site's script. */
std::string_view ScriptDirect();

class TSiteDirect
{
public:
    TSiteDirect();
    ~TSiteDirect();
    TSiteDirect(const TSiteDirect&) = delete;
    TSiteDirect& operator=(const TSiteDirect&) = delete;

    /**
     * Builds the site of the competition as it is now (copied here, on the
     * thread that owns it) in the background; a build asked for while one runs
     * replaces any other still waiting.
     */
    void Actualise(const TConcours& concours, const ParametresCalcul& parametres);
    /** The latest version; nothing before the first build ends. Any thread. */
    std::shared_ptr<const EditionSite> Edition() const;
    /**
     * The site of `edition` as a zip of the pages a folder publication writes,
     * built once for each version. Any thread.
     */
    std::shared_ptr<const std::string> Zip(const std::shared_ptr<const EditionSite>& edition);
    /** Waits until every build asked for has ended. */
    void Attend();

private:
    void Travaille();
    void Construit(std::shared_ptr<TConcours> concours, const ParametresCalcul& parametres);
    /** Keeps a copy no one reads any more as the spare, when there is none. */
    void Garde(std::shared_ptr<TConcours> copie);
    /** Makes a spare copy like `modele` when there is none. */
    void PrepareLibre(const TConcours& modele);

    mutable std::mutex m_mutex;
    std::condition_variable m_reveil, m_fini;
    std::shared_ptr<TConcours> m_attente;
    /**
     * A spare copy, its memory already in place, that the next `Actualise` copies the
     * competition into: the owning thread then only copies, never allocates.
     */
    std::shared_ptr<TConcours> m_libre;
    ParametresCalcul m_parametresAttente;
    bool m_occupe = false;
    bool m_arret = false;
    std::shared_ptr<const EditionSite> m_edition;
    std::mutex m_mutexZip;
    std::string m_versionZip;
    std::shared_ptr<const std::string> m_zip;
    std::thread m_fil;
};

} // namespace tavo::terrain
