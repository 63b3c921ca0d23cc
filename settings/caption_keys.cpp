#include "settings/caption_keys.h"

#include <array>

namespace {

constexpr std::array<CaptionKey, 23> kMainWindow = {{
    {"Cad1", "CmdOpciones", "&Opciones"},
    {"Cad2", "CmdAcercade", "&Acerca de..."},
    {"Cad3", "CmdCerrar", "&Salir"},
    {"Cad4", "Frame1", "Título y versión"},
    {"Cad5", "Label1", "Establece el nombre del producto, la versión y el estado de la versión."},
    {"Cad6", "Label2", "Nombre del producto:"},
    {"Cad7", "Label3", "Versión del producto:"},
    {"Cad8", "Chk1", "Especificar estado de la versión. ( Si / No )"},
    {"Cad9", "OpVer1", "Versión Final"},
    {"Cad10", "OpVer2", "Versión Beta"},
    {"Cad11", "Frame2", "Datos del autor"},
    {"Cad12", "Label4", "Establece el nombre del autor, su E-Mail, página Web y la fecha de creación del producto."},
    {"Cad13", "Label5", "Nombre y apellidos:"},
    {"Cad14", "Label6", "Dirección E-Mail:"},
    {"Cad15", "Label7", "Página Web:"},
    {"Cad16", "Label8", "Fecha de Creación:"},
    {"Cad17", "Frame4", "Descripción del producto e instalación"},
    {"Cad18", "Label12", "Establece la descripión del producto:"},
    {"Cad19", "Frame3", "Licencia de uso y distribución"},
    {"Cad20", "Label9", "Establece las condiciones de uso y distribución que el autor especifica."},
    {"Cad21", "Label10", "Licencia de uso:"},
    {"Cad22", "Label11", "Licencia de distrubución:"},
    {"Cad23", "CmdCrear", "&Crear Trumi"},
}};

constexpr std::array<CaptionKey, 8> kOptionsWindow = {{
    {"Cad24", "", "Opciones"},
    {"Cad25", "Label3", "OPCIONES"},
    {"Cad26", "Label4", nullptr},
    {"Cad29", "Frame1", "Licencias"},
    {"Cad21", "Label1", "Licencia de uso:"},
    {"Cad22", "Label2", "Licencia de distribución:"},
    {"Cad27", "CmdGuardar", "&Guardar"},
    {"Cad28", "CmdAceptar", "&Aceptar", "FrmAceptar"},
}};

constexpr std::array<CaptionKey, 4> kAboutWindow = {{
    {"Cad28", "CmdAceptar", "&Aceptar"},
    {"Cad30", "", "Acerca de..."},
    {"Cad31", "lblautor", nullptr},
    {"Cad32", "lblfecha", nullptr},
}};

}  // namespace

std::span<const CaptionKey> mainWindowCaptions() { return kMainWindow; }
std::span<const CaptionKey> optionsWindowCaptions() { return kOptionsWindow; }
std::span<const CaptionKey> aboutWindowCaptions() { return kAboutWindow; }
