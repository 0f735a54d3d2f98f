// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>

namespace tavo {

/**
 * Blocks of one size for the records a competition holds by the thousand,
 * carved from large regions that the system may back with huge pages: opening
 * 100,000 pilots then costs a few hundred page faults instead of 75,000.
 * Freed blocks are reused; a size's regions go back to the system once none
 * of its blocks is in use. Safe from any thread.
 */
void* PrendBloc(std::size_t taille);
void RendBloc(void* bloc, std::size_t taille);

/** Blocks in use and bytes reserved for them, over every size (for the benchmarks and tests). */
struct EtatReserve
{
    std::size_t blocs = 0;
    std::size_t octets = 0;
};
EtatReserve Reserve();

/** The allocator of such records: one element at a time from the reserve, arrays as usual. */
template <typename T> class AllocateurReserve
{
public:
    using value_type = T;

    AllocateurReserve() noexcept = default;
    template <typename U> AllocateurReserve(const AllocateurReserve<U>&) noexcept {}

    T* allocate(std::size_t n)
    {
        static_assert(alignof(T) <= alignof(std::max_align_t));
        if (n == 1)
            return static_cast<T*>(PrendBloc(sizeof(T)));
        return std::allocator<T>{}.allocate(n);
    }
    void deallocate(T* p, std::size_t n) noexcept
    {
        if (n == 1)
            RendBloc(p, sizeof(T));
        else
            std::allocator<T>{}.deallocate(p, n);
    }

    template <typename U> bool operator==(const AllocateurReserve<U>&) const noexcept
    {
        return true;
    }
};

} // namespace tavo
