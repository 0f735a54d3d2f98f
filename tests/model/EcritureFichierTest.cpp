// SPDX-License-Identifier: GPL-3.0-or-later
// Saving: read-only files, links, owners, the leftovers of interrupted saves, documents
// written to a device or a pipe, and generated pages that must never write anything else.

#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "support/TestUtil.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace tavo::test;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> nomsDans(const fs::path& dossier)
{
    std::vector<std::string> noms;
    for (const auto& entree : fs::directory_iterator(dossier))
        noms.push_back(entree.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

struct stat etat(const std::string& chemin)
{
    struct stat infos
    {
    };
    EXPECT_EQ(::stat(chemin.c_str(), &infos), 0) << chemin;
    return infos;
}

// Every entry of a folder: its kind, inode and content (a link's target).
std::map<std::string, std::string> etatDossier(const fs::path& dossier)
{
    std::map<std::string, std::string> etat;
    for (const auto& entree : fs::directory_iterator(dossier)) {
        struct stat infos
        {
        };
        ::lstat(entree.path().c_str(), &infos);
        std::string& decrit = etat[entree.path().filename().string()];
        decrit = std::to_string(infos.st_mode & S_IFMT) + " " + std::to_string(infos.st_ino) + " ";
        if (S_ISLNK(infos.st_mode))
            decrit += fs::read_symlink(entree.path()).string();
        else if (S_ISREG(infos.st_mode))
            decrit += LitOctets(entree.path().string());
    }
    return etat;
}

pid_t processusTermine()
{
    const pid_t enfant = ::fork();
    if (enfant == 0)
        ::_exit(0);
    ::waitpid(enfant, nullptr, 0);
    return enfant;
}

} // namespace

TEST(ErreurSysteme, commonReasonsAreInFrenchOthersAsTheSystemSays)
{
    EXPECT_EQ(tavo::RaisonSysteme(ENOSPC), "Plus de place sur le disque");
    EXPECT_EQ(tavo::RaisonSysteme(EACCES), "Permission refusée");
    EXPECT_EQ(tavo::RaisonSysteme(EDOM), std::strerror(EDOM));
}

TEST(EcritureFichier, readOnlyFileIsRefusedAndKept)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("concours.ccr");
    EcritOctets(chemin, "ancien");
    ASSERT_EQ(::chmod(chemin.c_str(), 0444), 0);
    std::string erreur;
    EXPECT_FALSE(tavo::EcritFichierSur(chemin, "nouveau", &erreur));
    EXPECT_NE(erreur.find("lecture seule"), std::string::npos) << erreur;
    EXPECT_EQ(LitOctets(chemin), "ancien");
    EXPECT_EQ(nomsDans(rep.Chemin()).size(), 1u);
}

TEST(EcritureFichier, symbolicLinksAreFollowedAndStayLinks)
{
    RepertoireTemporaire rep;
    const fs::path& d = rep.Chemin();
    fs::create_directory(d / "vrai");
    EcritOctets(rep.Fichier("vrai/concours.ccr"), "ancien");
    fs::create_symlink("vrai/concours.ccr", d / "lien.ccr");
    fs::create_symlink(d / "lien.ccr", d / "chaine.ccr");
    fs::create_symlink("vrai/nouveau.ccr", d / "pendant.ccr");
    fs::create_symlink("boucle.ccr", d / "boucle.ccr");

    ASSERT_TRUE(tavo::EcritFichierSur(rep.Fichier("chaine.ccr"), "nouveau"));
    EXPECT_EQ(LitOctets(rep.Fichier("vrai/concours.ccr")), "nouveau");
    ASSERT_TRUE(tavo::EcritFichierSur(rep.Fichier("pendant.ccr"), "créé"));
    EXPECT_EQ(LitOctets(rep.Fichier("vrai/nouveau.ccr")), "créé");
    for (const char* lien : {"lien.ccr", "chaine.ccr", "pendant.ccr"})
        EXPECT_TRUE(fs::is_symlink(d / lien)) << lien;

    std::string erreur;
    EXPECT_FALSE(tavo::EcritFichierSur(rep.Fichier("boucle.ccr"), "x", &erreur));
    EXPECT_EQ(erreur, tavo::RaisonSysteme(ELOOP));
    EXPECT_TRUE(fs::is_symlink(d / "boucle.ccr"));
}

TEST(EcritureFichier, hardLinksAndPermissionsAreKept)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("concours.ccr");
    EcritOctets(chemin, "un ancien contenu plus long");
    ASSERT_EQ(::chmod(chemin.c_str(), 0640), 0);
    ASSERT_EQ(::link(chemin.c_str(), rep.Fichier("copie.ccr").c_str()), 0);
    ASSERT_TRUE(tavo::EcritFichierSur(chemin, "nouveau"));
    EXPECT_EQ(LitOctets(rep.Fichier("copie.ccr")), "nouveau");
    EXPECT_EQ(etat(chemin).st_nlink, 2u);
    EXPECT_EQ(etat(chemin).st_mode & 07777, 0640u);
    EXPECT_EQ(nomsDans(rep.Chemin()).size(), 2u);
}

TEST(EcritureFichier, ownerIsKeptEvenWhenTheWriterCannotGiveFilesAway)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can make files of other users";
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("concours.ccr");
    EcritOctets(chemin, "ancien");
    ASSERT_EQ(::chown(chemin.c_str(), 4242, 4343), 0);
    ASSERT_TRUE(tavo::EcritFichierSur(chemin, "par root"));
    EXPECT_EQ(etat(chemin).st_uid, 4242u);
    EXPECT_EQ(etat(chemin).st_gid, 4343u);

    // Another user allowed to write the file: it is rewritten in place.
    ASSERT_EQ(::chmod(chemin.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(rep.Chemin().c_str(), 0777), 0);
    const pid_t enfant = ::fork();
    if (enfant == 0)
        ::_exit(::setgid(5000) == 0 && ::setuid(5000) == 0 &&
                        tavo::EcritFichierSur(chemin, "par un autre")
                    ? 0
                    : 1);
    int statut = 0;
    ::waitpid(enfant, &statut, 0);
    EXPECT_EQ(statut, 0);
    EXPECT_EQ(LitOctets(chemin), "par un autre");
    EXPECT_EQ(etat(chemin).st_uid, 4242u);
    EXPECT_EQ(nomsDans(rep.Chemin()).size(), 1u);
}

TEST(EcritureFichier, leftoversOfGoneWritersAreRemovedAtTheNextSave)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("concours.ccr");
    const std::string gros(8 << 20, 'x');
    ASSERT_TRUE(tavo::EcritFichierSur(chemin, "ancien"));
    const pid_t enfant = ::fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0)
        for (;;)
            tavo::EcritFichierSur(chemin, gros);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::kill(enfant, SIGKILL);
    ::waitpid(enfant, nullptr, 0);

    const auto temporaire = [](const std::string& cible, pid_t auteur) {
        return cible + ".tavo-" + std::to_string(auteur) + ".tmp";
    };
    const pid_t disparu = processusTermine();
    EcritOctets(temporaire(chemin, disparu), "abandonné");
    EcritOctets(temporaire(chemin, ::getppid()), "en cours");            // a live writer's
    EcritOctets(temporaire(rep.Fichier("autre.ccr"), disparu), "autre"); // another file's
    ASSERT_TRUE(tavo::EcritFichierSur(chemin, "nouveau"));
    EXPECT_EQ(LitOctets(chemin), "nouveau");
    EXPECT_EQ(nomsDans(rep.Chemin()),
              (std::vector<std::string>{
                  "autre.ccr.tavo-" + std::to_string(disparu) + ".tmp", "concours.ccr",
                  "concours.ccr.tavo-" + std::to_string(::getppid()) + ".tmp"}));
}

TEST(EcritureDocument, pipeNamedByItsDescriptorIsWrittenInPlace)
{
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    std::string erreur;
    EXPECT_TRUE(tavo::EcritDocument("/dev/fd/" + std::to_string(tube[1]), "%PDF-1.4", &erreur))
        << erreur;
    ::close(tube[1]);
    char lu[16] = {};
    EXPECT_EQ(::read(tube[0], lu, sizeof lu), 8);
    EXPECT_EQ(std::string(lu), "%PDF-1.4");
    ::close(tube[0]);

    EXPECT_FALSE(tavo::EcritDocument("/dev/full", "%PDF-1.4", &erreur));
    EXPECT_EQ(erreur, tavo::RaisonSysteme(ENOSPC));
    EXPECT_FALSE(tavo::EcritDocument("/dev/absent", "%PDF-1.4", &erreur));
    EXPECT_NE(::access("/dev/absent", F_OK), 0); // never made
}

// Pages are ours only: a name that is a link, another name of a protected file, not a regular
// file, or a file the writer does not know, stops the whole group before anything changes.
TEST(EcriturePages, refusesEveryNameThatIsNotItsOwnPageAndChangesNothing)
{
    RepertoireTemporaire rep;
    const std::string concours = rep.Fichier("demo.ccr");
    EcritOctets(concours, "le concours");
    const fs::path site = rep.Chemin() / "pub";
    const std::string page = (site / "vol-1.html").string();
    const tavo::GardePages garde{
        {concours}, [](std::string_view debut, std::string_view) { return debut == "<p>"; }};
    const std::string pasUnePage = "« vol-1.html » n'est pas une page écrite par Tavo 2000";
    const std::vector<std::pair<std::function<void()>, std::string>> cas{
        {[&] { fs::create_symlink(concours, page); }, pasUnePage + " (lien symbolique)"},
        {[&] { fs::create_hard_link(concours, page); },
         "« vol-1.html » est le fichier « " + concours + " » sous un autre nom"},
        {[&] { ASSERT_EQ(::mkfifo(page.c_str(), 0600), 0); },
         pasUnePage + " (pas un fichier ordinaire)"},
        {[&] { fs::create_directory(page); }, pasUnePage + " (répertoire)"},
        {[&] { EcritOctets(page, "une photo"); }, pasUnePage},
        {[&] { EcritOctets(page, ""); }, pasUnePage},
    };
    for (const auto& [plante, refus] : cas) {
        fs::remove_all(site);
        fs::create_directory(site);
        EcritOctets((site / "index.html").string(), "<p>");
        plante();
        const auto avant = etatDossier(site);
        std::string erreur;
        EXPECT_EQ(tavo::EcritPagesSures({{(site / "index.html").string(), "<p>nouveau"},
                                         {page, "<p>nouveau"},
                                         {(site / "style.css").string(), "nouveau"}},
                                        garde, &erreur),
                  0);
        EXPECT_EQ(erreur, refus + " : il n'est pas remplacé.");
        EXPECT_EQ(etatDossier(site), avant) << refus;
        EXPECT_EQ(LitOctets(concours), "le concours");
    }
}

// Its own pages are replaced by a rename: another hard link keeps the old page, and a link
// planted at the temporary file's name is never written through.
TEST(EcriturePages, replacesItsOwnPagesWithoutWritingThroughOtherNames)
{
    RepertoireTemporaire rep;
    const std::string concours = rep.Fichier("demo.ccr");
    EcritOctets(concours, "le concours");
    const std::string page = rep.Fichier("index.html");
    EcritOctets(page, "<p>ancien");
    ASSERT_EQ(::chmod(page.c_str(), 0644), 0);
    fs::create_hard_link(page, rep.Fichier("copie.html"));
    fs::create_symlink(concours, page + ".tavo-" + std::to_string(::getpid()) + ".tmp");
    const tavo::GardePages garde{{concours}, [](std::string_view debut, std::string_view fin) {
                                     return debut.starts_with("<p>") && fin.ends_with("ancien");
                                 }};
    std::string erreur;
    ASSERT_EQ(tavo::EcritPagesSures({{page, "<p>nouveau"}, {rep.Fichier("style.css"), "css"}},
                                    garde, &erreur),
              2)
        << erreur;
    EXPECT_EQ(LitOctets(page), "<p>nouveau");
    EXPECT_EQ(etat(page).st_nlink, 1u);
    EXPECT_EQ(etat(page).st_mode & 07777, 0644u);
    EXPECT_EQ(LitOctets(rep.Fichier("copie.html")), "<p>ancien");
    EXPECT_EQ(LitOctets(concours), "le concours");
    EXPECT_EQ(nomsDans(rep.Chemin()),
              (std::vector<std::string>{"copie.html", "demo.ccr", "index.html", "style.css"}));
}

// Pages handed over one at a time: a refusal after some were written leaves the folder as it
// was, no temporary file left; otherwise all are renamed at the end, a gone writer's leftover of
// one of them removed and the other files kept.
TEST(EcriturePages, pagesWrittenOneAtATimeChangeNothingUntilTheEnd)
{
    RepertoireTemporaire rep;
    const fs::path site = rep.Chemin();
    const std::string index = rep.Fichier("index.html");
    EcritOctets(index, "<p>ancien");
    EcritOctets(rep.Fichier("notes.txt"), "à garder");
    EcritOctets(rep.Fichier("vol-1.html"), "une photo");
    const tavo::GardePages garde{
        {}, [](std::string_view debut, std::string_view) { return debut.starts_with("<p>"); }};
    const auto avant = etatDossier(site);
    {
        tavo::TPagesSures pages(garde);
        EXPECT_TRUE(pages.Ajoute(index, "<p>nouveau"));
        EXPECT_TRUE(pages.Ajoute(rep.Fichier("pilote-1.html"), "<p>pilote"));
        EXPECT_FALSE(pages.Ajoute(rep.Fichier("vol-1.html"), "<p>vol"));
        EXPECT_EQ(
            pages.Erreur(),
            "« vol-1.html » n'est pas une page écrite par Tavo 2000 : il n'est pas remplacé.");
        EXPECT_FALSE(pages.Ajoute(rep.Fichier("style.css"), "css"));
        EXPECT_EQ(pages.Termine(), 0);
    }
    EXPECT_EQ(etatDossier(site), avant);

    fs::remove(rep.Fichier("vol-1.html"));
    const std::string reste = index + ".tavo-" + std::to_string(::getpid()) + ".tmp";
    EcritOctets(reste, "<p>interrompu");
    tavo::TPagesSures pages(garde);
    ASSERT_TRUE(pages.Ajoute(index, "<p>nouveau")) << pages.Erreur();
    ASSERT_TRUE(pages.Ajoute(rep.Fichier("vol-1.html"), "<p>vol")) << pages.Erreur();
    EXPECT_EQ(LitOctets(index), "<p>ancien");
    EXPECT_EQ(pages.Termine(), 2) << pages.Erreur();
    EXPECT_EQ(LitOctets(index), "<p>nouveau");
    EXPECT_EQ(LitOctets(rep.Fichier("vol-1.html")), "<p>vol");
    EXPECT_EQ(nomsDans(site), (std::vector<std::string>{"index.html", "notes.txt", "vol-1.html"}));
}

// The temporary files are written while the next pages are made: a page whose file cannot be
// written stops the writing, its reason reaches the caller, and nothing changes.
TEST(EcriturePages, aPageThatCannotBeWrittenStopsTheWritingAndChangesNothing)
{
    RepertoireTemporaire rep;
    const std::string index = rep.Fichier("index.html");
    EcritOctets(index, "<p>ancien");
    const auto avant = etatDossier(rep.Chemin());
    {
        tavo::TPagesSures pages({{}, [](std::string_view debut, std::string_view) {
                                     return debut.starts_with("<p>");
                                 }});
        ASSERT_TRUE(pages.Ajoute(index, "<p>nouveau"));
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(pages.Ajoute(rep.Fichier("pilote-" + std::to_string(i) + ".html"),
                                     std::string(40000, 'x')))
                << pages.Erreur();
        // Its temporary file is there already: the writer cannot make it. The pages after it
        // are refused as soon as the writer has told.
        pages.Ajoute(index, "<p>encore");
        pages.Ajoute(rep.Fichier("vol-1.html"), "<p>vol");
        EXPECT_EQ(pages.Termine(), 0);
        EXPECT_FALSE(pages.Ajoute(rep.Fichier("vol-2.html"), "<p>vol"));
        EXPECT_EQ(pages.Erreur(),
                  "Impossible d'écrire le fichier " + index + " : Le fichier existe déjà");
    }
    EXPECT_EQ(etatDossier(rep.Chemin()), avant);
}
