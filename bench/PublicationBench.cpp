// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing the results site of a generated competition (5 judges, 7 flights): every
// ranking, judge ranking, profile, diagram and pilot page computed, formatted and written.
#include "model/Concours.h"
#include "publication/Site.h"
#include "support/Fabrique.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

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
    int fichiers = 0;
    for (auto _ : state) {
        const tavo::ResultatPublication r =
            tavo::PublieSite(concours, parametres, (dossier / "site").string());
        if (!r.ok)
            state.SkipWithError(r.message.c_str());
        fichiers = r.fichiers;
    }
    state.counters["fichiers"] = fichiers;
    std::error_code erreur;
    fs::remove_all(dossier, erreur);
}

} // namespace

// Target: 1,000 pilots in under 2 s.
BENCHMARK(PublicationSite)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
