#pragma once

#include <QString>

// The ten values one read-me document is made from, each exactly as the main
// window holds it: nothing is trimmed, checked or shortened.
struct DatosTrumi {
    QString Producto;      // product name without the version
    QString Version;
    QString Estado;        // "FINAL", "BETA" or empty
    QString NomApe;        // author's name and surnames
    QString Email;
    QString Web;
    QString Fecha;         // creation date in the general date form
    QString Desc;          // description, several lines
    QString Uso;           // licence of use
    QString Distribucion;  // licence of distribution
};

enum class CheckState { Clear = 0, Ticked = 1, Greyed = 2 };

// The release status from the status check box and the "final" option: only
// a ticked box states a status; the "beta" option itself is never consulted.
QString estadoFor(CheckState chk1, bool opVer1Selected);
