// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandeTerrain.h"

#include "cli/FonctionsVues.h"
#include "document/Document.h"
#include "model/Concours.h"
#include "model/Emplacements.h"
#include "model/Option.h"
#include "presentation/Messages.h"
#include "presentation/Presentation.h"
#include "terrain/Serveur.h"
#include "terrain/Terrain.h"

#include <algorithm>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <functional>
#include <mutex>
#include <ostream>
#include <unistd.h>

namespace tavo::cli {

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void SurSignal(int numero)
{
    g_signal = numero;
}

// The tasks the server's threads hand to the thread that owns the competition.
class TFileTaches
{
public:
    void Poste(std::function<void()> tache)
    {
        {
            std::lock_guard verrou(m_mutex);
            m_taches.push_back(std::move(tache));
        }
        m_reveil.notify_one();
    }
    /** Runs the tasks posted, waiting for one at most `attente`. */
    void Execute(std::chrono::milliseconds attente)
    {
        std::deque<std::function<void()>> taches;
        {
            std::unique_lock verrou(m_mutex);
            m_reveil.wait_for(verrou, attente, [&] { return !m_taches.empty(); });
            taches.swap(m_taches);
        }
        for (auto& tache : taches)
            tache();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_reveil;
    std::deque<std::function<void()>> m_taches;
};

// A program without a window answers the document's questions by itself, and says so.
class TInterlocuteurTerrain : public TInterlocuteur
{
public:
    explicit TInterlocuteurTerrain(std::ostream& erreurs)
        : m_erreurs(erreurs)
    {}
    bool OuvreMalgreVerrou(const std::string& fichier, const TDetenteurVerrou& qui) override
    {
        m_erreurs << "tavo-cli : " << fichier << " : le concours est déjà ouvert par "
                  << (qui.Utilisateur.empty() ? std::string("un autre programme") : qui.Utilisateur)
                  << (qui.Hote.empty() ? std::string() : " sur " + qui.Hote)
                  << " : fermez-le d'abord.\n";
        return false;
    }
    bool RemplaceFichierChange(const std::string& fichier) override
    {
        m_erreurs << "tavo-cli : " << fichier
                  << " : modifié par un autre programme, il n'est pas remplacé ; les notes "
                     "restent dans le journal de récupération.\n";
        return false;
    }
    bool RemplaceFichierOuvert(const std::string& fichier, const TDetenteurVerrou&) override
    {
        m_erreurs << "tavo-cli : " << fichier << " : ouvert ailleurs, il n'est pas remplacé.\n";
        return false;
    }
    bool RecupereNotes(bool) override
    {
        m_erreurs << "tavo-cli : notes reçues après le dernier enregistrement retrouvées : "
                     "elles sont reprises.\n";
        return true;
    }
    void VerrouImpossible(const std::string& verrou, const std::string& raison) override
    {
        m_erreurs << "tavo-cli : le verrou « " << verrou << " » n'a pas pu être créé (" << raison
                  << ") : le fichier n'est pas protégé.\n";
    }
    void JournalImpossible(const std::string& journal, const std::string& raison) override
    {
        m_erreurs << "tavo-cli : le journal « " << journal << " » ne peut pas être écrit ("
                  << raison << ") : les notes ne seront protégées qu'une fois enregistrées.\n";
    }
    void JournalTropGrand(const std::string& journal, std::uint64_t) override
    {
        m_erreurs << "tavo-cli : le journal « " << journal
                  << " » est trop grand : il est ignoré.\n";
    }

private:
    std::ostream& m_erreurs;
};

struct ArgumentsTerrain
{
    std::string fichier;
    int port = -1;
    std::string programmes;
    std::string erreur;
};

ArgumentsTerrain AnalyseTerrain(const std::vector<std::string>& arguments)
{
    ArgumentsTerrain a;
    bool options = true; // until "--"
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& mot = arguments[i];
        const bool suivi = i + 1 < arguments.size();
        if (options && mot == "--") {
            options = false;
        } else if (!options) {
            if (!a.fichier.empty())
                a.erreur = "un seul fichier de concours, pas « " + mot + " »";
            a.fichier = mot;
        } else if (mot == "--port" && suivi) {
            const std::string& valeur = arguments[++i];
            try {
                std::size_t fin = 0;
                a.port = std::stoi(valeur, &fin);
                if (fin != valeur.size() || a.port < 0 || a.port > 65535)
                    a.erreur = "--port attend un nombre de 0 à 65535, pas « " + valeur + " »";
            } catch (const std::exception&) {
                a.erreur = "--port attend un nombre de 0 à 65535, pas « " + valeur + " »";
            }
        } else if (mot == "--programmes" && suivi) {
            a.programmes = arguments[++i];
        } else if (mot.rfind("--", 0) == 0) {
            a.erreur = "option inconnue ou incomplète : « " + mot + " »";
        } else if (a.fichier.empty()) {
            a.fichier = mot;
        } else {
            a.erreur = "un seul fichier de concours, pas « " + mot + " »";
        }
        if (!a.erreur.empty())
            return a;
    }
    if (a.fichier.empty())
        a.erreur = "terrain attend le fichier du concours";
    return a;
}

constexpr const char* USAGE_TERRAIN =
    "usage : tavo-cli terrain FICHIER.ccr [--port P] [--programmes REP]\n";

constexpr const char* AIDE_TERRAIN =
    "Usage : tavo-cli terrain FICHIER.ccr [--port P] [--programmes REP]\n"
    "\n"
    "  sert la page des juges sur le terrain (port P, celui de tavo.ini par défaut, 8000 ;\n"
    "  0 : un port libre) et les résultats en direct jusqu'à SIGINT ou SIGTERM ; écrit\n"
    "  l'adresse et le lien de chaque juge ; enregistre le fichier à chaque feuille\n"
    "  terminée par tout le jury.\n"
    "\n"
    "Options :\n"
    "  --port P                le port du serveur (0 à 65535)\n"
    "  --programmes REP        répertoire des programmes de vol\n"
    "  -h, --help              affiche cette aide\n"
    "  -V, --version           affiche la version\n"
    "  --                      termine les options\n";

} // namespace

int Terrain(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs,
            const std::string& repertoireCourant)
{
    if (DemandeVersion(arguments)) {
        sortie << Version();
        return SORTIE_OK;
    }
    const auto fin = std::find(arguments.begin(), arguments.end(), "--");
    if (std::find(arguments.begin(), fin, "--help") != fin ||
        std::find(arguments.begin(), fin, "-h") != fin) {
        sortie << AIDE_TERRAIN;
        return SORTIE_OK;
    }
    const ArgumentsTerrain a = AnalyseTerrain(arguments);
    if (!a.erreur.empty()) {
        erreurs << "tavo-cli : " << a.erreur << "\n\n" << USAGE_TERRAIN;
        return SORTIE_USAGE;
    }
    const Emplacements emplacements = TrouveEmplacements(repertoireCourant, false);
    TOption options(emplacements.depart);
    options.Charge(emplacements.options);
    const std::string programmes =
        a.programmes.empty() ? RepertoireProgrammes(options.GetRepProgrammes(), emplacements)
                             : a.programmes;

    TInterlocuteurTerrain interlocuteur(erreurs);
    TDocument document(interlocuteur);
    ResultatLecture lecture;
    const Issue ouvert = document.Ouvre(a.fichier, &lecture);
    if (ouvert != Issue::Faite) {
        if (ouvert == Issue::Echouee)
            erreurs << "tavo-cli : " << a.fichier << " : " << messages::FICHIER_ILLISIBLE << " : "
                    << MessageLecture(lecture) << "\n";
        return SORTIE_ERREUR;
    }
    std::string erreur;
    if (document.ProposeRecuperation() &&
        document.Ecrit(document.Fichier(), &erreur) != Issue::Faite)
        erreurs << "tavo-cli : " << erreur << "\n";
    if (document.Concours().NbPilotes() == 0 || document.Concours().NbJugesSaisis() == 0) {
        erreurs << "tavo-cli : " << a.fichier
                << " : le concours n'a pas encore de pilotes ou de juges.\n";
        return SORTIE_ERREUR;
    }

    terrain::TTerrain terrain(document, programmes);
    terrain.SurErreur = [&](const std::string& message) {
        erreurs << "tavo-cli : " << message << "\n";
    };
    bool termine = false; // a sheet was finished: the results are published at once
    terrain.SurFeuilleTerminee = [&](const terrain::FeuilleTerminee& f) {
        termine = true;
        std::string pourquoi;
        const bool enregistre = document.Ecrit(document.Fichier(), &pourquoi) == Issue::Faite;
        sortie << "Vol " << f.vol << ", dossard " << f.dossard << " : " << Fixe(f.score, 1, 2)
               << (enregistre ? " (enregistré)" : " (non enregistré)") << std::endl;
        if (!enregistre)
            erreurs << "tavo-cli : " << pourquoi << "\n";
    };
    terrain.Charge();
    TFileTaches taches;
    terrain::TServeurTerrain serveur(terrain,
                                     [&](std::function<void()> t) { taches.Poste(std::move(t)); });
    const int port = a.port >= 0 ? a.port : options.GetPortTerrain();
    if (!serveur.Demarre(port, &erreur)) {
        erreurs << "tavo-cli : " << erreur << "\n";
        return SORTIE_ERREUR;
    }
    const std::vector<std::string> adresses = terrain::AdressesLocales();
    const std::string hote = adresses.empty() ? std::string("127.0.0.1") : adresses.front();
    const std::string base = "http://" + hote + ":" + std::to_string(serveur.Port()) + "/";
    sortie << "Adresse : " << base << "\n";
    sortie << "Résultats : " << base << " (tableau : " << base << "tableau, site en zip : " << base
           << "resultats.zip)\n";
    for (short j = 1; j <= terrain.NbJuges(); ++j)
        sortie << "Juge " << j << " (" << terrain.NomJuge(j) << ") : " << base << "juge#"
               << terrain.Cle(j) << "\n";
    sortie << std::flush;

    g_signal = 0;
    struct sigaction action = {};
    action.sa_handler = SurSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ParametresCalcul parametres(options);
    parametres.repProgrammes = programmes;
    serveur.ActualiseResultats(parametres);
    while (g_signal == 0) {
        taches.Execute(std::chrono::milliseconds(100));
        serveur.ActualiseResultats(parametres, false, termine);
        termine = false;
    }
    serveur.Arrete();
    taches.Execute(std::chrono::milliseconds(0));
    if (document.Modifie() && document.Ecrit(document.Fichier(), &erreur) != Issue::Faite) {
        erreurs << "tavo-cli : " << erreur << "\n";
        return SORTIE_ERREUR;
    }
    return SORTIE_OK;
}

} // namespace tavo::cli
