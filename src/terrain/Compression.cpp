// SPDX-License-Identifier: GPL-3.0-or-later
#include "terrain/Compression.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <zlib.h>

namespace tavo::terrain {

namespace {

// Deflates `octets`: windowBits 15 + 16 gives gzip, -15 the raw stream a zip holds.
std::string Deflate(std::string_view octets, int fenetre, int niveau = Z_BEST_COMPRESSION)
{
    z_stream flux{};
    if (deflateInit2(&flux, niveau, Z_DEFLATED, fenetre, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string sortie(deflateBound(&flux, static_cast<uLong>(octets.size())), '\0');
    flux.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(octets.data()));
    flux.avail_in = static_cast<uInt>(octets.size());
    flux.next_out = reinterpret_cast<Bytef*>(sortie.data());
    flux.avail_out = static_cast<uInt>(sortie.size());
    const int fin = deflate(&flux, Z_FINISH);
    sortie.resize(flux.total_out);
    deflateEnd(&flux);
    if (fin != Z_STREAM_END)
        throw std::runtime_error("deflate");
    // The room was the bound, as large as the text: the live site keeps thousands of these.
    sortie.shrink_to_fit();
    return sortie;
}

void Mot(std::string& s, std::uint16_t v)
{
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>(v >> 8);
}

void Long(std::string& s, std::uint32_t v)
{
    Mot(s, static_cast<std::uint16_t>(v & 0xffff));
    Mot(s, static_cast<std::uint16_t>(v >> 16));
}

void Long64(std::string& s, std::uint64_t v)
{
    Long(s, static_cast<std::uint32_t>(v & 0xffffffffu));
    Long(s, static_cast<std::uint32_t>(v >> 32));
}

// What the 16- and 32-bit fields of a zip cannot hold goes to its zip64 records.
constexpr std::uint64_t MAX_MOT = 0xffff;
constexpr std::uint64_t MAX_LONG = 0xffffffff;

} // namespace

std::string Gzip(std::string_view octets)
{
    return Deflate(octets, 15 + 16);
}

std::string Tasse(std::string_view octets)
{
    return Deflate(octets, -15, Z_BEST_SPEED);
}

std::string Detasse(std::string_view donnees, std::size_t taille)
{
    std::string octets(taille, '\0');
    z_stream flux{};
    if (inflateInit2(&flux, -15) != Z_OK)
        throw std::runtime_error("inflateInit2");
    flux.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(donnees.data()));
    flux.avail_in = static_cast<uInt>(donnees.size());
    flux.next_out = reinterpret_cast<Bytef*>(octets.data());
    flux.avail_out = static_cast<uInt>(octets.size());
    const int fin = inflate(&flux, Z_FINISH);
    const bool entier = fin == Z_STREAM_END && flux.total_out == taille;
    inflateEnd(&flux);
    if (!entier)
        throw std::runtime_error("inflate");
    return octets;
}

TArchiveZip::TArchiveZip()
{
    // MS-DOS time and date of now, as zip files keep them.
    const std::time_t maintenant = std::time(nullptr);
    std::tm t{};
    localtime_r(&maintenant, &t);
    m_heure = static_cast<std::uint16_t>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
    m_date =
        static_cast<std::uint16_t>(((t.tm_year - 80) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
}

void TArchiveZip::Ajoute(const std::string& nom, std::string_view contenu)
{
    constexpr std::uint16_t UTF8 = 0x0800;
    constexpr std::uint16_t DEFLATE = 8;
    std::string& archive = m_archive;
    std::string& repertoire = m_repertoire;
    const std::uint16_t heure = m_heure;
    const std::uint16_t date = m_date;
    ++m_nombre;
    const auto crc = static_cast<std::uint32_t>(crc32(
        0, reinterpret_cast<const Bytef*>(contenu.data()), static_cast<uInt>(contenu.size())));
    const std::string donnees = Deflate(contenu, -15);
    const std::uint64_t position = archive.size();
    const bool loin = position >= MAX_LONG;
    // The local header, then the data.
    Long(archive, 0x04034b50);
    Mot(archive, 20);
    Mot(archive, UTF8);
    Mot(archive, DEFLATE);
    Mot(archive, heure);
    Mot(archive, date);
    Long(archive, crc);
    Long(archive, static_cast<std::uint32_t>(donnees.size()));
    Long(archive, static_cast<std::uint32_t>(contenu.size()));
    Mot(archive, static_cast<std::uint16_t>(nom.size()));
    Mot(archive, 0);
    archive += nom;
    archive += donnees;
    // Its entry in the central directory.
    Long(repertoire, 0x02014b50);
    Mot(repertoire, 0x0314); // made on Unix, version 2.0
    Mot(repertoire, loin ? 45 : 20);
    Mot(repertoire, UTF8);
    Mot(repertoire, DEFLATE);
    Mot(repertoire, heure);
    Mot(repertoire, date);
    Long(repertoire, crc);
    Long(repertoire, static_cast<std::uint32_t>(donnees.size()));
    Long(repertoire, static_cast<std::uint32_t>(contenu.size()));
    Mot(repertoire, static_cast<std::uint16_t>(nom.size()));
    Mot(repertoire, loin ? 12 : 0);   // extra: the zip64 offset
    Mot(repertoire, 0);               // comment
    Mot(repertoire, 0);               // disk
    Mot(repertoire, 0);               // internal attributes
    Long(repertoire, 0100644u << 16); // a regular file, rw-r--r--
    Long(repertoire,
         loin ? static_cast<std::uint32_t>(MAX_LONG) : static_cast<std::uint32_t>(position));
    repertoire += nom;
    if (loin) {
        Mot(repertoire, 0x0001);
        Mot(repertoire, 8);
        Long64(repertoire, position);
    }
}

std::string TArchiveZip::Termine()
{
    std::string archive = std::move(m_archive);
    const std::string repertoire = std::move(m_repertoire);
    const std::uint64_t nombre = m_nombre;
    m_nombre = 0;
    const std::uint64_t debut = archive.size();
    archive += repertoire;
    // More than 65,534 files (a site of many pilots) or 4 GB: the zip64 end records first.
    const bool zip64 = nombre >= MAX_MOT || repertoire.size() >= MAX_LONG || debut >= MAX_LONG;
    if (zip64) {
        const std::uint64_t fin = archive.size();
        Long(archive, 0x06064b50);
        Long64(archive, 44);  // the record's size after this field
        Mot(archive, 0x032d); // made on Unix, version 4.5
        Mot(archive, 45);
        Long(archive, 0);
        Long(archive, 0);
        Long64(archive, nombre);
        Long64(archive, nombre);
        Long64(archive, repertoire.size());
        Long64(archive, debut);
        Long(archive, 0x07064b50); // its locator
        Long(archive, 0);
        Long64(archive, fin);
        Long(archive, 1);
    }
    Long(archive, 0x06054b50);
    Mot(archive, 0);
    Mot(archive, 0);
    Mot(archive, static_cast<std::uint16_t>(std::min(nombre, MAX_MOT)));
    Mot(archive, static_cast<std::uint16_t>(std::min(nombre, MAX_MOT)));
    Long(archive, static_cast<std::uint32_t>(std::min<std::uint64_t>(repertoire.size(), MAX_LONG)));
    Long(archive, static_cast<std::uint32_t>(std::min(debut, MAX_LONG)));
    Mot(archive, 0);
    return archive;
}

std::string Zip(const std::vector<std::pair<std::string, std::string>>& fichiers)
{
    TArchiveZip zip;
    for (const auto& [nom, contenu] : fichiers)
        zip.Ajoute(nom, contenu);
    return zip.Termine();
}

} // namespace tavo::terrain
