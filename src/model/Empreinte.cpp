// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Empreinte.h"

namespace tavo {

void TEmpreinteOctets::Ajoute(const void* octets, std::size_t taille)
{
    const auto* p = static_cast<const unsigned char*>(octets);
    std::uint64_t h = m_valeur;
    for (std::size_t i = 0; i < taille; ++i) {
        h ^= p[i];
        h *= 0x100000001b3ULL;
    }
    m_valeur = h;
}

void TEmpreinteOctets::Ajoute(std::string_view octets)
{
    Ajoute(octets.data(), octets.size());
}

std::string EmpreinteHex(std::string_view octets)
{
    TEmpreinteOctets e;
    e.Ajoute(octets);
    return EmpreinteHex(e);
}

std::string EmpreinteHex(const TEmpreinteOctets& empreinte)
{
    static constexpr char CHIFFRES[] = "0123456789abcdef";
    std::string hex(16, '0');
    std::uint64_t v = empreinte.Valeur();
    for (int i = 15; i >= 0; --i, v >>= 4)
        hex[static_cast<std::size_t>(i)] = CHIFFRES[v & 0xF];
    return hex;
}

} // namespace tavo
