// SPDX-License-Identifier: GPL-3.0-or-later
#include "terrain/Compression.h"

#include "support/TestUtil.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

// What Python's zipfile, a reader of its own, finds in an archive: the count its end records
// give (the zip64 one when there is one), the names it lists, its bad entry, one file's text.
std::string LuParPython(const std::string& archive)
{
    tavo::test::RepertoireTemporaire rep;
    const std::string chemin = rep.Chemin().string() + "/site.zip";
    tavo::test::EcritOctets(chemin, archive);
    const std::string commande =
        "/usr/bin/python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
        "fin = zipfile._EndRecData(open(sys.argv[1], \"rb\"))[zipfile._ECD_ENTRIES_TOTAL]; "
        "print(fin, len(z.namelist()), z.testzip(), z.read(\"p-70000.html\").decode())' " +
        chemin;
    std::string sortie;
    if (FILE* flux = popen(commande.c_str(), "r")) {
        char tampon[256];
        while (std::fgets(tampon, sizeof tampon, flux))
            sortie += tampon;
        pclose(flux);
    }
    return sortie;
}

} // namespace

// The live site keeps every pilot's page deflated: each holds the room of its bytes, not of the
// page it was made from.
TEST(Compression, aDeflatedPageHoldsNoMoreRoomThanItsBytes)
{
    std::string page;
    for (int i = 0; i < 2000; ++i)
        page += "<tr><td>" + std::to_string(i % 37) + "</td><td class=\"n\">8</td></tr>\n";
    for (const std::string& compresse : {tavo::terrain::Tasse(page), tavo::terrain::Gzip(page)}) {
        EXPECT_LT(compresse.size(), page.size() / 10);
        EXPECT_LT(compresse.capacity(), 2 * compresse.size());
    }
    EXPECT_EQ(tavo::terrain::Detasse(tavo::terrain::Tasse(page), page.size()), page);
}

// A site of more pilots than a plain zip counts files: the zip64 records take the count.
TEST(Compression, aZipOfMoreThan65535FilesReadsWhole)
{
    std::vector<std::pair<std::string, std::string>> fichiers;
    for (int i = 1; i <= 70000; ++i)
        fichiers.emplace_back("p-" + std::to_string(i) + ".html", "page " + std::to_string(i));
    EXPECT_EQ(LuParPython(tavo::terrain::Zip(fichiers)), "70000 70000 None page 70000\n");
    fichiers.resize(3);
    fichiers.emplace_back("p-70000.html", "petit");
    EXPECT_EQ(LuParPython(tavo::terrain::Zip(fichiers)), "4 4 None petit\n");
}
