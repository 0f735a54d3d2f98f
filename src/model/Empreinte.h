// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

/**
 * A 64-bit fingerprint of bytes (FNV-1a): equal bytes give equal values, and
 * two different files or records practically never share one. Not a
 * protection against someone who wants a collision.
 */
class TEmpreinteOctets
{
public:
    void Ajoute(std::string_view octets);
    void Ajoute(const void* octets, std::size_t taille);
    std::uint64_t Valeur() const { return m_valeur; }

private:
    std::uint64_t m_valeur = 0xcbf29ce484222325ULL;
};

/** The fingerprint of some bytes as 16 hexadecimal digits. */
std::string EmpreinteHex(std::string_view octets);
/** A fingerprint's value as those 16 digits. */
std::string EmpreinteHex(const TEmpreinteOctets& empreinte);

} // namespace tavo
