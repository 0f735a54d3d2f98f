// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on generated competitions of 1,000, 10,000 and 100,000 pilots (5 judges,
// 7 flights), offscreen, 800 × 600: one paint of each view at its top, in its middle and
// after a scroll of one page; entering a view (its command and first paint); opening the
// file to the first paint; one page in the middle of the long printouts.
#include "app/ListePilotes.h"
#include "app/Menu.h"
#include "app/TTavoApp.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "platform/Clavier.h"
#include "platform/DecoratedFrame.h"
#include "platform/Printer.h"
#include "print/Printouts.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"
#include "support/RepondeurScripte.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {

constexpr int LARGEUR = 800;
constexpr int HAUTEUR = 600;

/** The program's frame and window in a start-up directory of their own, the file open. */
struct Fenetre
{
    QTemporaryDir depart;
    tavo::TRepondeurScripte repondeur;
    std::unique_ptr<tavo::TDecoratedFrame> cadre;
    TTavoWindow* fenetre = nullptr;
    QString fichier;
};

/** The windows made, closed before the application. */
std::map<int, std::unique_ptr<Fenetre>>& Fenetres()
{
    static std::map<int, std::unique_ptr<Fenetre>> fenetres;
    return fenetres;
}

Fenetre& FenetreDe(int pilotes)
{
    std::unique_ptr<Fenetre>& f = Fenetres()[pilotes];
    if (f)
        return *f;
    f = std::make_unique<Fenetre>();
    const std::string rep = tavo::CheminNatif(f->depart.path());
    QFile(f->depart.filePath(QStringLiteral("tavo.ini"))).open(QIODevice::WriteOnly);
    QDir(f->depart.path()).mkdir(QStringLiteral("Concours"));
    f->fichier = f->depart.filePath(QStringLiteral("Concours/gen.ccr"));
    {
        TConcours concours;
        tavo::test::GenereConcours(concours, rep, pilotes, 5, 7);
        tavo::EnregistreConcours(concours, tavo::CheminNatif(f->fichier));
    }
    QDir::setCurrent(f->depart.path());
    f->cadre.reset(TTavoApp::CreeCadre(f->fenetre));
    f->repondeur.Attache(f->cadre.get());
    f->cadre->resize(LARGEUR, HAUTEUR);
    f->cadre->show();
    TOption& options = f->fenetre->GetOptions();
    options.SetRepProgrammes(rep.c_str());
    options.SetImpressionAuto(0);
    options.SetTBL(1);
    f->fenetre->OuvreFichier(f->fichier);
    // The score sheet of the pilot in the middle, flight 1.
    const std::string dossard = f->fenetre->GetConcours().GetPilote(pilotes / 2).GetDossard();
    f->fenetre->GetDialoguesSaisie().Notes = [dossard](QWidget*, TConcours& concours) {
        concours.SetVolCourant(1);
        concours.SetDossardCourant(dossard.c_str());
        return tavo::IDOK;
    };
    return *f;
}

void Peint(TTavoWindow& fenetre, QImage& image)
{
    fenetre.viewport()->render(&image);
}

struct Vue
{
    const char* nom;
    int commande;
    bool defile; ///< taller than the window
};

constexpr Vue VUES[] = {
    {"Caracteristiques", CM_CARACTERISTIQUES, false},
    {"Juges", CM_JUGES, false},
    {"ListePilotes", CM_LISTE_PILOTES, true},
    {"ClassementApres1Vol", CM_CLST_PILOTES_1, true},
    {"ClassementApres4Vols", CM_CLST_PILOTES_1 + 3, true},
    {"FlyOff1", CM_FLYOFF_1, true},
    {"ClassementJugesVol1", CM_CLST_JUGES_1, true},
    {"Diagramme1", CM_DIAGRAMME_1, false},
    {"ProfilTBL1", CM_TBL_1, false},
    {"FeuillesManquantes", CM_FEUILLES_MANQUANTES, true},
    {"FeuilleNotes", CM_NOTES, false},
};

/** Enters the view; false, with the benchmark told why, when the window did not. */
bool Entre(benchmark::State& state, Fenetre& f, const Vue& vue)
{
    if (f.fenetre->GetVue() == modes::FEUILLE)
        f.fenetre->ToucheFeuille(tavo::VK_ESCAPE);
    f.repondeur.Oublie();
    f.cadre->ExecuteCommande(vue.commande);
    const bool entree =
        vue.commande == CM_NOTES ? f.fenetre->GetVue() == modes::FEUILLE
        : vue.commande == CM_CARACTERISTIQUES
            ? true
            : f.repondeur.Messages().empty() && f.fenetre->GetVue() != modes::CARACTERISTIQUES;
    if (!entree) {
        state.SkipWithError("the view could not be entered");
        return false;
    }
    return true;
}

enum class Position
{
    Haut,
    Milieu,
    Defilement, ///< one page down and back at each paint
};

void BM_PeintureVue(benchmark::State& state, const Vue& vue, Position position)
{
    const int pilotes = static_cast<int>(state.range(0));
    Fenetre& f = FenetreDe(pilotes);
    if (!Entre(state, f, vue))
        return;
    QImage image(f.fenetre->viewport()->size(), QImage::Format_RGB32);
    Peint(*f.fenetre, image); // computed at the first paint after the command
    tavo::TScroller& defile = f.fenetre->GetScroller();
    QAbstractScrollArea* liste = f.fenetre->GetListeVue();
    auto va = [&](int fraction, int page) {
        if (liste) {
            QScrollBar* barre = f.fenetre->GetListeVue()->verticalScrollBar();
            barre->setValue(barre->maximum() * fraction / 2 + page * barre->pageStep());
        } else {
            defile.ScrollTo(0, defile.YRange() * fraction / 2 +
                                   page * (HAUTEUR / TTavoWindow::UNITE_DEFILEMENT));
        }
    };
    va(position == Position::Haut ? 0 : 1, 0);
    int page = 0;
    for (auto _ : state) {
        if (position == Position::Defilement) {
            page = 1 - page;
            va(1, page);
        }
        Peint(*f.fenetre, image);
    }
    state.counters["pilotes"] = pilotes;
}

void BM_EntreeVue(benchmark::State& state, const Vue& vue)
{
    const int pilotes = static_cast<int>(state.range(0));
    Fenetre& f = FenetreDe(pilotes);
    QImage image(f.fenetre->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        if (f.fenetre->GetVue() == modes::FEUILLE)
            f.fenetre->ToucheFeuille(tavo::VK_ESCAPE); // the sheet finished, its score computed
        f.cadre->ExecuteCommande(CM_CARACTERISTIQUES);
        state.ResumeTiming();
        if (!Entre(state, f, vue))
            return;
        Peint(*f.fenetre, image);
    }
    state.counters["pilotes"] = pilotes;
}

// Opening the file in an empty window, to the first paint of the characteristics.
void BM_OuvertureFenetre(benchmark::State& state)
{
    const int pilotes = static_cast<int>(state.range(0));
    Fenetre& f = FenetreDe(pilotes);
    QImage image(f.fenetre->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        f.cadre->ExecuteCommande(CM_NOUVEAU); // the window empty, as at start-up
        state.ResumeTiming();
        if (!f.fenetre->OuvreFichier(f.fichier)) {
            state.SkipWithError("the file did not open");
            return;
        }
        Peint(*f.fenetre, image);
    }
    state.counters["pilotes"] = pilotes;
    state.counters["octets"] = static_cast<double>(QFileInfo(f.fichier).size());
    // What the window adds is the time less the reader's (the fingerprint is computed beside it).
    std::string empreinte;
    const auto debut = std::chrono::steady_clock::now();
    TConcours lu;
    tavo::OuvreConcours(lu, tavo::CheminNatif(f.fichier), &empreinte);
    const auto lecture = std::chrono::steady_clock::now();
    state.counters["lecture_ms"] =
        std::chrono::duration<double, std::milli>(lecture - debut).count();
}

// Page `page` alone of a printout, printed into a PDF file as the print dialog's page range does.
template <typename Fabrique>
void BM_PagePrintout(benchmark::State& state, Fabrique fabrique, int page)
{
    const int pilotes = static_cast<int>(state.range(0));
    Fenetre& f = FenetreDe(pilotes);
    TConcours& concours = f.fenetre->GetConcours();
    const tavo::ParametresCalcul parametres(f.fenetre->GetOptions());
    tavo::PrepareClassementVols(concours, parametres, 4);
    tavo::PrepareClassementJuges(concours, parametres, 1);
    concours.SetVolCourant(1);
    concours.SetDossardCourant(concours.GetPilote(pilotes / 2).GetDossard());
    std::unique_ptr<tavo::TPrintout> printout = fabrique(concours);
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(f.depart.filePath(QStringLiteral("page.pdf")));
    imprimante.setFromTo(page, page);
    for (auto _ : state)
        if (tavo::TPrinter::Imprime(imprimante, *printout) != 1) {
            state.SkipWithError("the page was not printed");
            return;
        }
    state.counters["pilotes"] = pilotes;
    state.counters["page"] = page;
}

void Enregistre()
{
    for (const Vue& vue : VUES) {
        const std::string nom = vue.nom;
        benchmark::RegisterBenchmark(("BM_PeintureVue/" + nom + "/haut").c_str(), BM_PeintureVue,
                                     vue, Position::Haut)
            ->Arg(1000)
            ->Arg(10000)
            ->Arg(100000)
            ->Unit(benchmark::kMillisecond);
        if (vue.defile) {
            benchmark::RegisterBenchmark(("BM_PeintureVue/" + nom + "/milieu").c_str(),
                                         BM_PeintureVue, vue, Position::Milieu)
                ->Arg(1000)
                ->Arg(10000)
                ->Arg(100000)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("BM_PeintureVue/" + nom + "/defilement").c_str(),
                                         BM_PeintureVue, vue, Position::Defilement)
                ->Arg(100000)
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("BM_EntreeVue/" + nom).c_str(), BM_EntreeVue, vue)
            ->Arg(100000)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_OuvertureFenetre", BM_OuvertureFenetre)
        ->Arg(10000)
        ->Arg(100000)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    const tavo::TMarges marges;
    benchmark::RegisterBenchmark("BM_PagePrintout/ClassementApres4Vols/page800",
                                 [marges](benchmark::State& state) {
                                     BM_PagePrintout(
                                         state,
                                         [marges](TConcours& c) {
                                             return std::make_unique<tavo::TTavoPrintout>(c, marges,
                                                                                          4, true);
                                         },
                                         800);
                                 })
        ->Arg(100000)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PagePrintout/ClassementJugesVol1/page800",
                                 [marges](benchmark::State& state) {
                                     BM_PagePrintout(
                                         state,
                                         [marges](TConcours& c) {
                                             return std::make_unique<tavo::TTavoPrintoutClstJuge>(
                                                 c, marges, 1, true);
                                         },
                                         800);
                                 })
        ->Arg(100000)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PagePrintout/ListePilotes/page800",
                                 [marges](benchmark::State& state) {
                                     BM_PagePrintout(
                                         state,
                                         [marges](TConcours& c) {
                                             return std::make_unique<tavo::TTavoPrintoutList>(
                                                 c, marges, 1);
                                         },
                                         800);
                                 })
        ->Arg(100000)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PagePrintout/FeuilleNotes/page1",
                                 [marges](benchmark::State& state) {
                                     BM_PagePrintout(
                                         state,
                                         [marges](TConcours& c) {
                                             return std::make_unique<tavo::TTavoPrintoutNotes>(
                                                 c, marges);
                                         },
                                         1);
                                 })
        ->Arg(100000)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    Enregistre();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (auto& [pilotes, f] : Fenetres())
        f->fenetre->GetDocument().MarqueEnregistre();
    Fenetres().clear();
    return 0;
}
