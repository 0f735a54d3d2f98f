// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Document.h"

namespace tavo::test {

/** Answers yes to every question of a document (replaying journals with `recupere`) and hears
 * nothing it is told. */
struct InterlocuteurMuet : TInterlocuteur
{
    bool recupere = true;

    bool OuvreMalgreVerrou(const std::string&, const TDetenteurVerrou&) override { return true; }
    bool RemplaceFichierChange(const std::string&) override { return true; }
    bool RemplaceFichierOuvert(const std::string&, const TDetenteurVerrou&) override
    {
        return true;
    }
    bool RecupereNotes(bool) override { return recupere; }
    void VerrouImpossible(const std::string&, const std::string&) override {}
    void JournalImpossible(const std::string&, const std::string&) override {}
    void JournalTropGrand(const std::string&, std::uint64_t) override {}
};

} // namespace tavo::test
