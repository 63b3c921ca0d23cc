#include "caption_keys.h"

#include <array>

namespace {

// The last one titles the Open dialog (ctrl+O), which has no control.
constexpr std::array<CaptionKey, 24> kMainWindow = {{
    {"Cad1", "CmdOpciones"}, {"Cad2", "CmdAcercade"}, {"Cad3", "CmdCerrar"}, {"Cad4", "Frame1"},
    {"Cad5", "Label1"},      {"Cad6", "Label2"},      {"Cad7", "Label3"},    {"Cad8", "Chk1"},
    {"Cad9", "OpVer1"},      {"Cad10", "OpVer2"},     {"Cad11", "Frame2"},   {"Cad12", "Label4"},
    {"Cad13", "Label5"},     {"Cad14", "Label6"},     {"Cad15", "Label7"},   {"Cad16", "Label8"},
    {"Cad17", "Frame4"},     {"Cad18", "Label12"},    {"Cad19", "Frame3"},   {"Cad20", "Label9"},
    {"Cad21", "Label10"},    {"Cad22", "Label11"},    {"Cad23", "CmdCrear"}, {"Cad33", "DialogoAbrir"},
}};

// Cad29 comes before Cad27: the order in which the window reads them.
constexpr std::array<CaptionKey, 8> kOptionsWindow = {{
    {"Cad24", ""},
    {"Cad25", "Label3"},
    {"Cad26", "Label4"},
    {"Cad29", "Frame1"},
    {"Cad21", "Label1"},
    {"Cad22", "Label2"},
    {"Cad27", "CmdGuardar"},
    {"Cad28", "CmdAceptar"},
}};

constexpr std::array<CaptionKey, 4> kAboutWindow = {{
    {"Cad28", "CmdAceptar"},
    {"Cad30", ""},
    {"Cad31", "lblautor"},
    {"Cad32", "lblfecha"},
}};

}  // namespace

std::span<const CaptionKey> captionKeysOf(const QString& window)
{
    if (window == QLatin1String("FrmTrumi"))
        return kMainWindow;
    if (window == QLatin1String("FrmOpciones"))
        return kOptionsWindow;
    if (window == QLatin1String("Frmacercade"))
        return kAboutWindow;
    return {};
}
