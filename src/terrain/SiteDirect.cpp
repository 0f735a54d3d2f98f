// SPDX-License-Identifier: GPL-3.0-or-later
#include "terrain/SiteDirect.h"

#include "model/Concours.h"
#include "model/Date.h"
#include "model/Empreinte.h"
#include "terrain/Compression.h"

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

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

// A page as built, ready to be sent: its time and version in, compressed.
std::shared_ptr<const FichierDirect> Prepare(const std::string& nom,
                                             const EditionSite::Source& source,
                                             const std::string& heure, const std::string& version)
{
    std::string contenu = Detasse(source.donnees, source.taille);
    Remplace(contenu, MARQUE_HEURE, heure);
    Remplace(contenu, MARQUE_VERSION, version);
    return std::make_shared<const FichierDirect>(Fichier(TypeDe(nom), std::move(contenu)));
}

// The pilots' pages kept ready, ready and compressed, beyond which the least asked for go.
constexpr std::size_t OCTETS_PRETS = 16u << 20;

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
    std::shared_ptr<TConcours> copie;
    {
        std::lock_guard verrou(m_mutex);
        copie = std::move(m_libre);
    }
    if (!copie)
        copie = std::make_shared<TConcours>();
    copie->Reprend(concours);
    std::shared_ptr<TConcours> remplacee;
    {
        std::lock_guard verrou(m_mutex);
        remplacee = std::exchange(m_attente, std::move(copie));
        m_parametresAttente = parametres;
        if (remplacee && !m_libre)
            m_libre = std::move(remplacee); // a build that never ran: its copy is the spare
    }
    m_reveil.notify_all();
}

void TSiteDirect::Garde(std::shared_ptr<TConcours> copie)
{
    std::lock_guard verrou(m_mutex);
    if (!m_libre)
        m_libre = std::move(copie);
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
        std::shared_ptr<TConcours> concours = std::move(m_attente);
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

void TSiteDirect::Construit(std::shared_ptr<TConcours> concours, const ParametresCalcul& parametres)
{
    // The spare for the next copy is made here, away from the thread that owns the competition.
    PrepareLibre(*concours);
    // Each page is hashed and kept deflated as it is made: the site is never held whole.
    TEmpreinteOctets empreinte;
    std::vector<std::pair<std::string, EditionSite::Source>> sources;
    ConstruitSite(
        *concours, parametres, ModeSite{true},
        [&](const std::string& nom, std::string_view contenu) {
            empreinte.Ajoute(nom);
            empreinte.Ajoute("\n", 1);
            empreinte.Ajoute(contenu);
            sources.emplace_back(nom, EditionSite::Source{Tasse(contenu), contenu.size()});
            return true;
        });
    char hex[24];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(empreinte.Valeur()));
    const std::string version = hex;
    if (const auto courante = Edition(); courante && courante->version == version) {
        Garde(std::move(concours));
        return; // nothing changed: nothing to refresh
    }

    auto edition = std::make_shared<EditionSite>();
    edition->version = version;
    edition->heure = MaintenantLocal("%H:%M:%S");
    edition->concours = concours;
    edition->parametres = parametres;
    for (auto& [nom, source] : sources) {
        if (nom.starts_with("pilote-")) {
            edition->pilotes.emplace("/" + nom, std::move(source));
            continue;
        }
        auto fichier = Prepare(nom, source, edition->heure, version);
        source = {};
        if (nom == "index.html")
            edition->fichiers.emplace("/", fichier);
        else if (nom == "tableau.html")
            edition->fichiers.emplace("/tableau", fichier);
        edition->fichiers.emplace("/" + nom, std::move(fichier));
    }
    edition->fichiers.emplace("/direct.js", std::make_shared<const FichierDirect>(Fichier(
                                                TypeDe(".js"), std::string(ScriptDirect()))));
    edition->fichiers.emplace(
        "/version", std::make_shared<const FichierDirect>(
                        Fichier(TypeDe(".json"), "{\"version\":\"" + version + "\",\"heure\":\"" +
                                                     edition->heure + "\"}")));
    std::shared_ptr<const EditionSite> ancienne;
    {
        std::lock_guard verrou(m_mutex);
        ancienne = std::exchange(m_edition, std::move(edition));
    }
    // The previous version's copy, once no request holds that version, is the spare.
    if (ancienne && ancienne.use_count() == 1 && ancienne->concours.use_count() == 1)
        Garde(std::const_pointer_cast<TConcours>(ancienne->concours));
    ancienne.reset();
    PrepareLibre(*concours);
}

void TSiteDirect::PrepareLibre(const TConcours& modele)
{
    {
        std::lock_guard verrou(m_mutex);
        if (m_libre)
            return;
    }
    auto libre = std::make_shared<TConcours>();
    libre->Reprend(modele);
    Garde(std::move(libre));
}

std::shared_ptr<const FichierDirect> EditionSite::Fichier(std::string_view chemin) const
{
    if (const auto fichier = fichiers.find(chemin); fichier != fichiers.end())
        return fichier->second;
    const auto source = pilotes.find(chemin);
    if (source == pilotes.end())
        return nullptr;
    const auto taille = [](const FichierDirect& f) { return f.brut.size() + f.gzip.size(); };
    {
        std::lock_guard verrou(m_mutexPrets);
        for (auto it = m_prets.begin(); it != m_prets.end(); ++it)
            if (it->first == source->first) {
                m_prets.splice(m_prets.begin(), m_prets, it);
                return it->second;
            }
    }
    auto fichier = Prepare(source->first.substr(1), source->second, heure, version);
    std::lock_guard verrou(m_mutexPrets);
    for (const auto& [nom, pret] : m_prets)
        if (nom == source->first)
            return pret; // made meanwhile by another request
    m_prets.emplace_front(source->first, fichier);
    m_octetsPrets += taille(*fichier);
    while (m_prets.size() > 1 && m_octetsPrets > OCTETS_PRETS) {
        m_octetsPrets -= taille(*m_prets.back().second);
        m_prets.pop_back();
    }
    return fichier;
}

std::shared_ptr<const std::string>
TSiteDirect::Zip(const std::shared_ptr<const EditionSite>& edition)
{
    std::lock_guard verrou(m_mutexZip);
    if (!m_zip || m_versionZip != edition->version) {
        TArchiveZip zip;
        ConstruitSite(*edition->concours, edition->parametres, {},
                      [&zip](const std::string& nom, std::string_view contenu) {
                          zip.Ajoute("resultats/" + nom, contenu);
                          return true;
                      });
        m_zip = std::make_shared<const std::string>(zip.Termine());
        m_versionZip = edition->version;
    }
    return m_zip;
}

} // namespace tavo::terrain
