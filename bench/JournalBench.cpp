// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal's cost per mark typed (target: under 1 ms), and the copy of a whole
// competition it takes before the first mark of an unsaved one.
#include "model/Journal.h"
#include "support/Fabrique.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string CheminJournal()
{
    return (std::filesystem::temp_directory_path() /
            ("tavo-bench-journal-" + std::to_string(::getpid())))
        .string();
}

void JournalUneNote(benchmark::State& state)
{
    tavo::TJournal journal(CheminJournal(), "bench", ::getpid());
    short note = 0;
    for (auto _ : state) {
        const tavo::NoteJournal n{3, static_cast<short>(1 + note % 19), 2, note, "128"};
        if (!journal.AjouteNote(n))
            state.SkipWithError("journal cannot be written");
        note = static_cast<short>((note + 1) % 11);
    }
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
        tavo::TJournal journal(CheminJournal(), "bench", ::getpid());
        journal.AjouteConcours(texte);
        journal.Supprime();
    }
    std::filesystem::remove_all(programmes);
}

} // namespace

BENCHMARK(JournalUneNote);
BENCHMARK(JournalCopieConcours)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
