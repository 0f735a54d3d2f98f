// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal: its cost per mark typed (target: under 1 ms), how long a mark waits
// before it is on the disk (target: under 1 s), the copy of a whole competition it takes before
// the first mark of an unsaved one, and the record of a dialog's changes.
#include "model/Journal.h"
#include "support/Fabrique.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

std::string CheminJournal()
{
    return (std::filesystem::temp_directory_path() /
            ("tavo-bench-journal-" + std::to_string(::getpid())))
        .string();
}

tavo::EnteteJournal Entete()
{
    return {"bench", ::getpid(), {}, {}};
}

void JournalUneNote(benchmark::State& state)
{
    TPilote pilote;
    pilote.SetNom("DURAND");
    pilote.SetDossard("128");
    tavo::TJournal journal(CheminJournal(), Entete());
    short note = 0;
    for (auto _ : state) {
        const tavo::NoteJournal n{3, static_cast<short>(1 + note % 19), 2, note, "128"};
        if (!journal.AjouteNote(n, pilote))
            state.SkipWithError("journal cannot be written");
        note = static_cast<short>((note + 1) % 11);
    }
    journal.Supprime();
}

// From a mark appended to the moment the journal's thread has it on the disk, one mark at a
// time as a judge's sheet is typed.
void JournalNoteSurLeDisque(benchmark::State& state)
{
    TPilote pilote;
    pilote.SetDossard("128");
    tavo::TJournal journal(CheminJournal(), Entete());
    double pire = 0;
    for (auto _ : state) {
        const auto debut = std::chrono::steady_clock::now();
        journal.AjouteNote({3, 1, 2, 8, "128"}, pilote);
        while (journal.Synchronisees() < journal.Ecrites())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const double duree =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        pire = std::max(pire, duree);
        state.SetIterationTime(duree);
    }
    state.counters["pire_s"] = pire;
    journal.Supprime();
}

void JournalCopieConcours(benchmark::State& state)
{
    const std::string programmes = CheminJournal() + "-vols";
    std::filesystem::create_directories(programmes);
    TConcours concours;
    tavo::test::GenereConcours(concours, programmes, static_cast<int>(state.range(0)), 5, 7);
    const std::string texte = concours.Ecrit();
    for (auto _ : state) {
        tavo::TJournal journal(CheminJournal(), Entete());
        journal.AjouteConcours(texte);
        journal.Supprime();
    }
    std::filesystem::remove_all(programmes);
}

// A dialog that corrected one pilot's name: what it costs to find and write the change.
void JournalChangementPilote(benchmark::State& state)
{
    const std::string programmes = CheminJournal() + "-vols";
    std::filesystem::create_directories(programmes);
    TConcours concours;
    tavo::test::GenereConcours(concours, programmes, static_cast<int>(state.range(0)), 5, 7);
    std::size_t octets = 0;
    for (auto _ : state) {
        const tavo::PhotoConcours avant = tavo::Photographie(concours);
        TPilote pilote = concours.GetPilote(1);
        pilote.SetNom(pilote.GetNom()[0] == 'A' ? "B" : "A");
        concours.SetPilote(pilote, 1);
        const std::string changements = tavo::Changements(avant, concours);
        tavo::TJournal journal(CheminJournal(), Entete());
        journal.AjouteChangements(changements);
        journal.Supprime();
        octets = changements.size();
    }
    state.counters["octets"] = static_cast<double>(octets);
    std::filesystem::remove_all(programmes);
}

} // namespace

BENCHMARK(JournalUneNote);
BENCHMARK(JournalNoteSurLeDisque)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(JournalCopieConcours)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(JournalChangementPilote)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
