// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing the results site of a generated competition (5 judges, 7 flights): every
// ranking, judge ranking, profile, diagram and pilot page computed, formatted and written.
#include "model/Concours.h"
#include "publication/Site.h"
#include "support/Fabrique.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The peak of this process's resident memory (VmHWM) in MB, and its reset (Linux).
double PicMemoireMo()
{
    std::ifstream statut("/proc/self/status");
    std::string ligne;
    while (std::getline(statut, ligne))
        if (ligne.starts_with("VmHWM:"))
            return std::stod(ligne.substr(6)) / 1024;
    return 0;
}

void RepartPicMemoire()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Publishes the site of a generated competition of range(0) pilots; from 10,000 pilots on, once
// into a new folder, below that again and again over the same folder (a new publication after
// each round). Counts the files, the pages a second and the peak memory while publishing beside
// the memory the competition already held.
void PublicationSite(benchmark::State& state)
{
    const fs::path dossier =
        fs::temp_directory_path() / ("tavo-bench-site-" + std::to_string(::getpid()));
    fs::create_directories(dossier / "Vols");
    TConcours concours;
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = (dossier / "Vols").string();
    tavo::test::GenereConcours(concours, parametres.repProgrammes, static_cast<int>(state.range(0)),
                               5, 7);
    RepartPicMemoire();
    const double avant = PicMemoireMo();
    int fichiers = 0;
    for (auto _ : state) {
        const tavo::ResultatPublication r =
            tavo::PublieSite(concours, parametres, (dossier / "site").string());
        if (!r.ok)
            state.SkipWithError(r.message.c_str());
        fichiers = r.fichiers;
    }
    state.counters["fichiers"] = fichiers;
    state.counters["pages_par_s"] =
        benchmark::Counter(static_cast<double>(fichiers) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["concours_mo"] = avant;
    state.counters["pic_mo"] = PicMemoireMo();
    std::error_code erreur;
    fs::remove_all(dossier, erreur);
}

} // namespace

// Target: 1,000 pilots in under 2 s; at least 2,000 pages a second, memory bounded by one page
// besides the competition.
BENCHMARK(PublicationSite)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PublicationSite)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
