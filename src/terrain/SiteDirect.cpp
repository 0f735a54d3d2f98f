// SPDX-License-Identifier: GPL-3.0-or-later
#include "terrain/SiteDirect.h"

#include "model/Concours.h"
#include "model/Date.h"
#include "model/Empreinte.h"
#include "terrain/Compression.h"

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace tavo::terrain {

namespace {

std::string TypeDe(std::string_view nom)
{
    if (nom.ends_with(".html"))
        return "text/html; charset=utf-8";
    if (nom.ends_with(".css"))
        return "text/css; charset=utf-8";
    if (nom.ends_with(".js"))
        return "text/javascript; charset=utf-8";
    if (nom.ends_with(".svg"))
        return "image/svg+xml";
    return "application/json; charset=utf-8";
}

FichierDirect Fichier(std::string type, std::string contenu)
{
    FichierDirect f{std::move(type), std::move(contenu), {}, {}};
    f.etag = "\"" + EmpreinteHex(f.brut) + "\"";
    if (f.brut.size() > 200) {
        std::string gzip = Gzip(f.brut);
        if (gzip.size() < f.brut.size())
            f.gzip = std::move(gzip);
    }
    return f;
}

void Remplace(std::string& texte, std::string_view marque, std::string_view valeur)
{
    for (std::size_t p = texte.find(marque); p != std::string::npos;
         p = texte.find(marque, p + valeur.size()))
        texte.replace(p, marque.size(), valeur);
}

} // namespace

TSiteDirect::TSiteDirect()
    : m_fil([this] { Travaille(); })
{}

TSiteDirect::~TSiteDirect()
{
    {
        std::lock_guard verrou(m_mutex);
        m_arret = true;
    }
    m_reveil.notify_all();
    m_fil.join();
}

void TSiteDirect::Actualise(const TConcours& concours, const ParametresCalcul& parametres)
{
    auto copie = std::make_shared<TConcours>();
    copie->Reprend(concours);
    {
        std::lock_guard verrou(m_mutex);
        m_attente = std::move(copie);
        m_parametresAttente = parametres;
    }
    m_reveil.notify_all();
}

std::shared_ptr<const EditionSite> TSiteDirect::Edition() const
{
    std::lock_guard verrou(m_mutex);
    return m_edition;
}

void TSiteDirect::Attend()
{
    std::unique_lock verrou(m_mutex);
    m_fini.wait(verrou, [this] { return !m_attente && !m_occupe; });
}

void TSiteDirect::Travaille()
{
#ifdef __linux__
    // Building yields to the window's paint and to the judges' requests.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
#endif
    std::unique_lock verrou(m_mutex);
    for (;;) {
        m_reveil.wait(verrou, [this] { return m_arret || m_attente; });
        if (m_arret)
            return;
        std::shared_ptr<const TConcours> concours = std::move(m_attente);
        const ParametresCalcul parametres = m_parametresAttente;
        m_occupe = true;
        verrou.unlock();
        try {
            Construit(std::move(concours), parametres);
        } catch (const std::exception&) {
            // A site that cannot be built leaves the previous version served.
        }
        verrou.lock();
        m_occupe = false;
        m_fini.notify_all();
    }
}

void TSiteDirect::Construit(std::shared_ptr<const TConcours> concours,
                            const ParametresCalcul& parametres)
{
    std::vector<PageSite> pages = ConstruitSite(*concours, parametres, ModeSite{true});
    TEmpreinteOctets empreinte;
    for (const PageSite& page : pages) {
        empreinte.Ajoute(page.nom);
        empreinte.Ajoute("\n", 1);
        empreinte.Ajoute(page.contenu);
    }
    char hex[24];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(empreinte.Valeur()));
    const std::string version = hex;
    if (const auto courante = Edition(); courante && courante->version == version)
        return; // nothing changed: nothing to refresh

    auto edition = std::make_shared<EditionSite>();
    edition->version = version;
    edition->heure = MaintenantLocal("%H:%M:%S");
    edition->concours = std::move(concours);
    edition->parametres = parametres;
    for (PageSite& page : pages) {
        Remplace(page.contenu, MARQUE_HEURE, edition->heure);
        Remplace(page.contenu, MARQUE_VERSION, version);
        FichierDirect fichier = Fichier(TypeDe(page.nom), std::move(page.contenu));
        if (page.nom == "index.html")
            edition->fichiers.emplace("/", fichier);
        else if (page.nom == "tableau.html")
            edition->fichiers.emplace("/tableau", fichier);
        edition->fichiers.emplace("/" + page.nom, std::move(fichier));
    }
    edition->fichiers.emplace("/direct.js", Fichier(TypeDe(".js"), std::string(ScriptDirect())));
    edition->fichiers.emplace("/version", Fichier(TypeDe(".json"), "{\"version\":\"" + version +
                                                                       "\",\"heure\":\"" +
                                                                       edition->heure + "\"}"));
    std::lock_guard verrou(m_mutex);
    m_edition = std::move(edition);
}

std::shared_ptr<const std::string>
TSiteDirect::Zip(const std::shared_ptr<const EditionSite>& edition)
{
    std::lock_guard verrou(m_mutexZip);
    if (!m_zip || m_versionZip != edition->version) {
        std::vector<std::pair<std::string, std::string>> fichiers;
        for (PageSite& page : ConstruitSite(*edition->concours, edition->parametres))
            fichiers.emplace_back("resultats/" + page.nom, std::move(page.contenu));
        m_zip = std::make_shared<const std::string>(terrain::Zip(fichiers));
        m_versionZip = edition->version;
    }
    return m_zip;
}

} // namespace tavo::terrain
