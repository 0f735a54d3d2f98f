// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ErreurSysteme.h"

#include <cerrno>
#include <cstring>

namespace tavo {

namespace {

struct Raison
{
    int numero;
    const char* texte;
};

const Raison RAISONS[] = {
    {0, "Erreur inconnue"},
    {ENOSPC, "Plus de place sur le disque"},
#if defined(EDQUOT)
    {EDQUOT, "Quota d'espace disque dépassé"},
#endif
    {EACCES, "Permission refusée"},
    {EPERM, "Opération non permise"},
    {EROFS, "Le disque est en lecture seule"},
    {ENOENT, "Fichier ou dossier introuvable"},
    {ENOTDIR, "Un élément du chemin n'est pas un dossier"},
    {EISDIR, "Le chemin désigne un dossier, pas un fichier"},
    {ENAMETOOLONG, "Nom de fichier trop long"},
    {EIO, "Erreur de lecture ou d'écriture sur le disque"},
    {EFBIG, "Fichier trop volumineux"},
    {ELOOP, "Trop de liens symboliques (boucle de liens)"},
    {EMFILE, "Trop de fichiers ouverts"},
    {ENFILE, "Trop de fichiers ouverts"},
    {EBUSY, "Fichier ou périphérique occupé"},
    {ETXTBSY, "Fichier en cours d'utilisation"},
    {EEXIST, "Le fichier existe déjà"},
    {EXDEV, "Déplacement impossible d'un disque à un autre"},
    {ENOMEM, "Mémoire insuffisante"},
    {EINVAL, "Opération impossible sur ce fichier"},
};

} // namespace

std::string RaisonSysteme(int numeroErreur)
{
    for (const Raison& raison : RAISONS)
        if (raison.numero == numeroErreur)
            return raison.texte;
    return std::strerror(numeroErreur);
}

} // namespace tavo
