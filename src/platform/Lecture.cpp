// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Lecture.h"

#include "model/Fichier.h"
#include "platform/Chaines.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace tavo {

bool LitFichierBorne(const QString& chemin, QByteArray& contenu, std::uint64_t tailleMax)
{
    if (chemin.startsWith(u':')) {
        QFile ressource(chemin);
        if (!ressource.open(QIODevice::ReadOnly) ||
            static_cast<std::uint64_t>(ressource.size()) > tailleMax)
            return false;
        contenu = ressource.readAll();
        return true;
    }
    std::string octets;
    if (!LitFichier(CheminNatif(chemin), octets, tailleMax))
        return false;
    contenu = QByteArray(octets.data(), static_cast<qsizetype>(octets.size()));
    return true;
}

QImage LitImage(const QString& chemin)
{
    QByteArray octets;
    if (chemin.isEmpty() || !LitFichierBorne(chemin, octets, TAILLE_MAX_IMAGE))
        return {};
    QBuffer tampon(&octets);
    QImageReader lecteur(&tampon);
    return lecteur.read();
}

} // namespace tavo
