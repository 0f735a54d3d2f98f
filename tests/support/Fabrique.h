// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Concours.h"
#include "model/Programme.h"

#include <initializer_list>
#include <string>
#include <vector>

/** Builders of programmes and competitions for the scoring tests and benchmarks. */
namespace tavo::test {

/** The file text of a programme: figures with these K, then the noise and conformity lines. */
std::string TexteProgramme(const std::vector<short>& k, short typeBruit = 0, short kBruit = 0,
                           short typeConformite = 0, short kConformite = 0);
TProgramme Programme(const std::vector<short>& k, short typeBruit = 0, short kBruit = 0,
                     short typeConformite = 0, short kConformite = 0);

/** Appends a pilot and returns the competition's own record of him. */
TPilote& AjoutePilote(TConcours& concours, const char* nom, const char* dossard,
                      const char* prenom = "");
/** Sets the marks of judges 1, 2, ... on one figure line of one flight. */
void Note(TPilote& pilote, short vol, short ligne, std::initializer_list<short> notes);
/** Appends a judge with this name. */
void AjouteJuge(TConcours& concours, const char* nom);

/**
 * A competition of `pilotes` pilots, `juges` judges and `vols` flights of the
 * programme "Gen.txt" (17 figures, noise type 2, conformity), written in the
 * directory `repProgrammes`; marks are drawn from a fixed seed, and about one
 * pilot in twenty misses each flight.
 */
void GenereConcours(TConcours& concours, const std::string& repProgrammes, int pilotes, short juges,
                    short vols, unsigned graine = 2026);

} // namespace tavo::test
