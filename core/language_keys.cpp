// Every key of the language file's captions section, in one table: the
// captions of the windows' elements and the program's other texts with
// their built-in Spanish wording.
#include "caption_keys.h"
#include "program_texts.h"

#include <QList>
#include <algorithm>

namespace {

struct LanguageKey {
    const char* key;
    const char* window;   // a caption's window (its object name); nullptr for a text
    const char* element;  // a caption's element; "" for the window's title
    TextId text;
    const char* spanish;  // a text's built-in wording
};

constexpr LanguageKey caption(const char* key, const char* window, const char* element)
{
    return {key, window, element, TextId{}, nullptr};
}

constexpr LanguageKey text(TextId id, const char* key, const char* spanish)
{
    return {key, nullptr, nullptr, id, spanish};
}

constexpr LanguageKey kKeys[] = {
    // The main window, in the order it reads them; the last one titles the
    // Open dialog (ctrl+O), which has no control.
    caption("Cad1", "FrmTrumi", "CmdOpciones"),
    caption("Cad2", "FrmTrumi", "CmdAcercade"),
    caption("Cad3", "FrmTrumi", "CmdCerrar"),
    caption("Cad4", "FrmTrumi", "Frame1"),
    caption("Cad5", "FrmTrumi", "Label1"),
    caption("Cad6", "FrmTrumi", "Label2"),
    caption("Cad7", "FrmTrumi", "Label3"),
    caption("Cad8", "FrmTrumi", "Chk1"),
    caption("Cad9", "FrmTrumi", "OpVer1"),
    caption("Cad10", "FrmTrumi", "OpVer2"),
    caption("Cad11", "FrmTrumi", "Frame2"),
    caption("Cad12", "FrmTrumi", "Label4"),
    caption("Cad13", "FrmTrumi", "Label5"),
    caption("Cad14", "FrmTrumi", "Label6"),
    caption("Cad15", "FrmTrumi", "Label7"),
    caption("Cad16", "FrmTrumi", "Label8"),
    caption("Cad17", "FrmTrumi", "Frame4"),
    caption("Cad18", "FrmTrumi", "Label12"),
    caption("Cad19", "FrmTrumi", "Frame3"),
    caption("Cad20", "FrmTrumi", "Label9"),
    caption("Cad21", "FrmTrumi", "Label10"),
    caption("Cad22", "FrmTrumi", "Label11"),
    caption("Cad23", "FrmTrumi", "CmdCrear"),
    caption("Cad33", "FrmTrumi", "DialogoAbrir"),
    // The options window; Cad29 comes before Cad27, the order in which it
    // reads them.
    caption("Cad24", "FrmOpciones", ""),
    caption("Cad25", "FrmOpciones", "Label3"),
    caption("Cad26", "FrmOpciones", "Label4"),
    caption("Cad29", "FrmOpciones", "Frame1"),
    caption("Cad21", "FrmOpciones", "Label1"),
    caption("Cad22", "FrmOpciones", "Label2"),
    caption("Cad27", "FrmOpciones", "CmdGuardar"),
    caption("Cad28", "FrmOpciones", "CmdAceptar"),
    // The about window.
    caption("Cad28", "Frmacercade", "CmdAceptar"),
    caption("Cad30", "Frmacercade", ""),
    caption("Cad31", "Frmacercade", "lblautor"),
    caption("Cad32", "Frmacercade", "lblfecha"),
    // The program's other texts, in the order of TextId.
    text(TextId::ProductTip, "Cad34", "Nombre del producto sin la versi\u00F3n."),
    text(TextId::VersionTip, "Cad35", "Versi\u00F3n del producto."),
    text(TextId::AuthorTip, "Cad36", "Nombre y apellidos del autor."),
    text(TextId::EmailTip, "Cad37", "Direcci\u00F3n de correo electr\u00F3nico."),
    text(TextId::WebTip, "Cad38", "P\u00E1gina web del autor y/o actualizaciones."),
    text(TextId::DateTip, "Cad39", "Fecha de creaci\u00F3n del producto."),
    text(TextId::SaveDialogTitle, "Cad40", "Generar fichero"),
    text(TextId::TextFilesFilter, "Cad41", "Fichero de texto *.txt"),
    text(TextId::AllFilesFilter, "Cad42", "Todos los ficheros"),
    text(TextId::FailureSentence, "Cad43", "No se ha podido completar la operaci\u00F3n con el fichero"),
    text(TextId::ErrorWord, "Cad44", "Error"),
    text(TextId::ProgramFolderMissing, "Cad45", "No se encuentra la carpeta del programa."),
    text(TextId::NotRegularFile, "Cad46", "No es un fichero normal (es una tuber\u00EDa, un dispositivo o un socket)."),
    text(TextId::TooLarge, "Cad47", "El fichero es demasiado grande: tiene m\u00E1s de %1 MB."),
    text(TextId::LicenceFieldsMissing, "Cad48",
         "Se ha le\u00EDdo m\u00E1s all\u00E1 del final del fichero: le faltan campos."),
    text(TextId::LicenceQuoteUnclosed, "Cad49",
         "Se ha le\u00EDdo m\u00E1s all\u00E1 del final del fichero: una comilla no se cierra."),
    text(TextId::NoWholeDocument, "Cad50", "El fichero no contiene ning\u00FAn documento completo."),
    text(TextId::BeingWritten, "Cad51", "Otro programa est\u00E1 escribiendo en el fichero."),
    text(TextId::DateNotRead, "Cad52",
         "El documento se ha abierto, pero su fecha \u00AB%1\u00BB no se puede leer con el formato de fecha del "
         "sistema."),
    text(TextId::DateKept, "Cad53", "La fecha de creaci\u00F3n sigue siendo %1."),
    text(TextId::AboutSubtitle, "Cad54", "Editor de archivos trumi."),
    text(TextId::AboutEmail, "Cad55", "E-Mail :"),
    text(TextId::PreviewTitle, "Cad56", "Vista previa del documento"),
    text(TextId::PreviewSize, "Cad57", "%1 bytes \u00B7 Windows-1252, CR LF"),
    text(TextId::CreateTip, "Cad58", "Escribe el documento en un fichero. F5 muestra antes c\u00F3mo quedar\u00E1."),
    text(TextId::UnwritableTip, "Cad59", "El documento no puede contener %1: se escribir\u00E1n como \u00AB?\u00BB."),
};

std::vector<TextEntry> makeTextEntries()
{
    std::vector<TextEntry> entries;
    for (const LanguageKey& row : kKeys) {
        if (!row.window)
            entries.push_back({row.text, row.key, row.spanish});
    }
    Q_ASSERT(std::is_sorted(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.id < b.id; }));
    return entries;
}

}  // namespace

QList<CaptionKey> captionKeysOf(const QString& window)
{
    QList<CaptionKey> keys;
    for (const LanguageKey& row : kKeys) {
        if (row.window && window == QLatin1String(row.window))
            keys.append(CaptionKey{row.key, row.element});
    }
    return keys;
}

std::span<const TextEntry> textEntries()
{
    static const std::vector<TextEntry> entries = makeTextEntries();
    return entries;
}
