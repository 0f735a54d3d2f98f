// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of the competition file and of every ranking and statistics view
// on generated competitions of 100, 1,000 and 10,000 pilots (5 judges, 7 flights).
#include "LectureLignes.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "scoring/Accord.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

/** A generated competition kept in memory and on disk for one size. */
struct Jeu
{
    std::string fichier;
    tavo::ParametresCalcul parametres;
    std::unique_ptr<TConcours> concours = std::make_unique<TConcours>();
};

// The directory of the generated files, removed when the program ends.
struct RepertoireBench
{
    fs::path chemin = fs::temp_directory_path() / ("tavo-bench-" + std::to_string(::getpid()));
    RepertoireBench() { fs::create_directories(chemin); }
    ~RepertoireBench()
    {
        std::error_code erreur;
        fs::remove_all(chemin, erreur);
    }
};

const fs::path& Repertoire()
{
    static const RepertoireBench repertoire;
    return repertoire.chemin;
}

Jeu& JeuDe(int pilotes)
{
    static std::map<int, Jeu> jeux;
    auto [it, nouveau] = jeux.try_emplace(pilotes);
    Jeu& jeu = it->second;
    if (nouveau) {
        jeu.parametres.repProgrammes = Repertoire().string();
        tavo::test::GenereConcours(*jeu.concours, jeu.parametres.repProgrammes, pilotes, 5, 7);
        jeu.fichier = (Repertoire() / ("gen" + std::to_string(pilotes) + ".ccr")).string();
        tavo::EnregistreConcours(*jeu.concours, jeu.fichier);
    }
    return jeu;
}

int Pilotes(const benchmark::State& state)
{
    return static_cast<int>(state.range(0));
}

// Opening into the one competition the program keeps ("Ouvrir" reuses it). A fresh
// competition per iteration measures the allocator instead: on this kind of
// machine the page faults of giving 30 MB back and taking it again can cost
// more than the reading itself.
void OuvertureFichier(benchmark::State& state)
{
    const Jeu& jeu = JeuDe(Pilotes(state));
    TConcours concours;
    const auto debut = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::OuvreConcours(concours, jeu.fichier));
    const double duree =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count() /
        static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(jeu.fichier)));
    // The target is a ratio: opening within 3 times a plain line read of the same file.
    state.counters["fois_lecture_lignes"] = duree / tavo::bench::SecondesLectureLignes(jeu.fichier);
}

// The two halves of opening: the bytes into memory, then the records from them.
void LectureOctets(benchmark::State& state)
{
    const Jeu& jeu = JeuDe(Pilotes(state));
    for (auto _ : state) {
        std::string contenu;
        benchmark::DoNotOptimize(tavo::LitFichier(jeu.fichier, contenu));
    }
}

void AnalyseConcours(benchmark::State& state)
{
    const Jeu& jeu = JeuDe(Pilotes(state));
    std::string contenu;
    tavo::LitFichier(jeu.fichier, contenu);
    TConcours concours;
    for (auto _ : state)
        benchmark::DoNotOptimize(concours.Lit(contenu));
}

// The yardstick of the file reader: every line read, nothing interpreted.
void LectureLignes(benchmark::State& state)
{
    const Jeu& jeu = JeuDe(Pilotes(state));
    for (auto _ : state) {
        std::ifstream flux(jeu.fichier, std::ios::binary);
        std::string ligne;
        std::size_t lignes = 0;
        while (std::getline(flux, ligne))
            ++lignes;
        benchmark::DoNotOptimize(lignes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(jeu.fichier)));
}

void ClassementApres4Vols(benchmark::State& state)
{
    Jeu& jeu = JeuDe(Pilotes(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::ClassementApresVols(*jeu.concours, jeu.parametres, 4));
}

void ClassementApres3FlyOff(benchmark::State& state)
{
    Jeu& jeu = JeuDe(Pilotes(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::ClassementApresFlyOff(*jeu.concours, jeu.parametres, 3));
}

void ClassementJugesVol1(benchmark::State& state)
{
    Jeu& jeu = JeuDe(Pilotes(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::ClassementJugesVol(*jeu.concours, jeu.parametres, 1));
}

// The TBL profile command of one flight: programme, plain scores, TBL, profile.
void TblUnVol(benchmark::State& state)
{
    Jeu& jeu = JeuDe(Pilotes(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::ProfilJugesVol(*jeu.concours, jeu.parametres, 1));
}

// The diagram command of one judge: the seven flights, then the statistics.
void DiagrammeJuge1(benchmark::State& state)
{
    Jeu& jeu = JeuDe(Pilotes(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::DiagrammeNotesJuge(*jeu.concours, jeu.parametres, 1));
}

// Kendall's tau-b of one judge's places against the jury's, n pilots, with ties as judges give
// them: the agreement view's costly part.
void KendallTauB(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    std::mt19937 hasard(25);
    std::vector<double> scoresJuge(n), scoresJury(n);
    for (std::size_t i = 0; i < n; ++i) {
        scoresJury[i] = static_cast<double>(hasard() % 4000) / 4.0;
        scoresJuge[i] = scoresJury[i] + static_cast<double>(hasard() % 200) - 100.0;
    }
    const std::vector<double> juge = tavo::RangsMoyens(scoresJuge);
    const std::vector<double> jury = tavo::RangsMoyens(scoresJury);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::KendallTauB(juge, jury));
    state.SetComplexityN(state.range(0));
}

void Tailles(benchmark::internal::Benchmark* b)
{
    b->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

// After a warm-up: the first openings of 100,000 pilots take their memory from the system
// (tavo_bench_commandes measures a whole process, that first time included).
void TaillesFichier(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)
        ->Arg(10000)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond)
        ->MinWarmUpTime(2.0)
        ->MinTime(3.0);
}

} // namespace

BENCHMARK(LectureLignes)->Apply(TaillesFichier);
BENCHMARK(OuvertureFichier)->Apply(TaillesFichier);
BENCHMARK(LectureOctets)->Apply(TaillesFichier);
BENCHMARK(AnalyseConcours)->Apply(TaillesFichier);
BENCHMARK(ClassementApres4Vols)->Apply(Tailles);
BENCHMARK(ClassementApres3FlyOff)->Apply(Tailles);
BENCHMARK(ClassementJugesVol1)->Apply(Tailles);
BENCHMARK(TblUnVol)->Apply(Tailles);
BENCHMARK(DiagrammeJuge1)->Apply(Tailles);
BENCHMARK(KendallTauB)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

BENCHMARK_MAIN();
