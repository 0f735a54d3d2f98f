// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Reserve.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define TAVO_RESERVE_SIMPLE 1 // every block its own allocation, for the sanitizer's checks
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVO_RESERVE_SIMPLE 1
#endif
#endif

#if !defined(TAVO_RESERVE_SIMPLE) && defined(__linux__)
#include <sys/mman.h>
#define TAVO_RESERVE_MMAP 1
#endif

namespace tavo {

#if !defined(TAVO_RESERVE_SIMPLE)
namespace {

constexpr std::size_t ALIGNEMENT = alignof(std::max_align_t);
constexpr std::size_t PREMIERE_REGION = std::size_t{2} << 20;
constexpr std::size_t REGION_MAX = std::size_t{64} << 20;

void* PrendRegion(std::size_t taille)
{
#if defined(TAVO_RESERVE_MMAP)
    void* region =
        ::mmap(nullptr, taille, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED)
        throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
    ::madvise(region, taille, MADV_HUGEPAGE); // a hint: refused, the pages are small
#endif
    return region;
#else
    return ::operator new(taille);
#endif
}

void RendRegion(void* region, std::size_t taille)
{
#if defined(TAVO_RESERVE_MMAP)
    ::munmap(region, taille);
#else
    (void)taille;
    ::operator delete(region);
#endif
}

struct Libre
{
    Libre* suivant;
};

// The blocks of one size: a free list, then the rest of the last region.
struct Taille
{
    std::size_t taille = 0;
    Libre* libres = nullptr;
    char* courant = nullptr;
    char* fin = nullptr;
    std::size_t enUsage = 0;
    std::vector<std::pair<void*, std::size_t>> regions;

    void* Prend()
    {
        if (libres) {
            Libre* bloc = libres;
            libres = bloc->suivant;
            ++enUsage;
            return bloc;
        }
        if (static_cast<std::size_t>(fin - courant) < taille) {
            const std::size_t dernier = regions.empty() ? 0 : regions.back().second;
            const std::size_t region =
                std::max(std::min(dernier * 2, REGION_MAX), std::max(PREMIERE_REGION, taille));
            void* nouvelle = PrendRegion(region);
            regions.emplace_back(nouvelle, region);
            courant = static_cast<char*>(nouvelle);
            fin = courant + region;
        }
        void* bloc = courant;
        courant += taille;
        ++enUsage;
        return bloc;
    }

    void Rend(void* bloc)
    {
        auto* libre = static_cast<Libre*>(bloc);
        libre->suivant = libres;
        libres = libre;
        // Once none is in use, the regions go back, unless there is only the first one.
        if (--enUsage == 0 && regions.size() > 1) {
            for (const auto& [region, octets] : regions)
                RendRegion(region, octets);
            regions.clear();
            libres = nullptr;
            courant = fin = nullptr;
        }
    }
};

struct Reserves
{
    std::mutex mutex;
    std::vector<Taille> tailles;

    Taille& De(std::size_t taille)
    {
        for (Taille& t : tailles)
            if (t.taille == taille)
                return t;
        tailles.emplace_back().taille = taille;
        return tailles.back();
    }
};

Reserves& LesReserves()
{
    static Reserves* reserves = new Reserves; // never destroyed: blocks may go back at exit
    return *reserves;
}

std::size_t Arrondi(std::size_t taille)
{
    return (std::max(taille, sizeof(Libre)) + ALIGNEMENT - 1) / ALIGNEMENT * ALIGNEMENT;
}

} // namespace
#endif

#if defined(TAVO_RESERVE_SIMPLE)
void* PrendBloc(std::size_t taille)
{
    return ::operator new(taille);
}

void RendBloc(void* bloc, std::size_t)
{
    ::operator delete(bloc);
}

EtatReserve Reserve()
{
    return {};
}
#else
void* PrendBloc(std::size_t taille)
{
    Reserves& r = LesReserves();
    std::lock_guard verrou(r.mutex);
    return r.De(Arrondi(taille)).Prend();
}

void RendBloc(void* bloc, std::size_t taille)
{
    if (!bloc)
        return;
    Reserves& r = LesReserves();
    std::lock_guard verrou(r.mutex);
    r.De(Arrondi(taille)).Rend(bloc);
}

EtatReserve Reserve()
{
    Reserves& r = LesReserves();
    std::lock_guard verrou(r.mutex);
    EtatReserve etat;
    for (const Taille& t : r.tailles) {
        etat.blocs += t.enUsage;
        for (const auto& region : t.regions)
            etat.octets += region.second;
    }
    return etat;
}
#endif

} // namespace tavo
