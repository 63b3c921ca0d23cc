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
    const char* field;    // for a field's text: the field's name
    FieldText fieldText;
};

constexpr LanguageKey caption(const char* key, const char* window, const char* element)
{
    return {key, window, element, TextId{}, nullptr, nullptr, FieldText{}};
}

constexpr LanguageKey text(TextId id, const char* key, const char* spanish)
{
    return {key, nullptr, nullptr, id, spanish, nullptr, FieldText{}};
}

constexpr LanguageKey fieldHelp(const char* key, const char* field, const char* spanish)
{
    return {key, nullptr, nullptr, TextId{}, spanish, field, FieldText::Help};
}

constexpr LanguageKey markdownWord(const char* key, const char* field, const char* spanish)
{
    return {key, nullptr, nullptr, TextId{}, spanish, field, FieldText::MarkdownWord};
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
    text(TextId::UnwritableTipOne, "Cad60", "El documento no puede contener %1: se escribir\u00E1 como \u00AB?\u00BB."),
    text(TextId::QuotedCharacter, "Cad61", "\u00AB%1\u00BB"),
    text(TextId::PreviewMarks, "Cad62", "\u00AB?\u00BB resaltado: un car\u00E1cter que Windows-1252 no tiene"),
    text(TextId::InputClosed, "Cad63", "La entrada est\u00E1ndar est\u00E1 cerrada."),
    text(TextId::OutputClosed, "Cad64", "La salida est\u00E1ndar est\u00E1 cerrada."),
    text(TextId::UsageWindow, "Cad65", "Uso: %1 [DOCUMENTO]"),
    text(TextId::UsageWrite, "Cad66", "  o: %1 --output FICHERO [OPCI\u00D3N]..."),
    text(TextId::UsageInfo, "Cad67", "  o: %1 --help | --version"),
    text(TextId::AboutWindowMode, "Cad68", "Sin --output abre la ventana de Trumi Editor, con el DOCUMENTO si se da."),
    text(TextId::AboutWriteMode, "Cad69",
         "Con --output escribe el documento l\u00E9ame sin ventana: cada campo sale de su opci\u00F3n, si no del "
         "documento de --from, si no de lo que la ventana muestra al empezar."),
    text(TextId::OptionsHeading, "Cad70", "Opciones:"),
    text(TextId::FieldOptionsHeading, "Cad71", "Opciones de campo:"),
    text(TextId::FileWord, "Cad72", "FICHERO"),
    text(TextId::DocumentWord, "Cad73", "DOCUMENTO"),
    text(TextId::ValueWord, "Cad74", "VALOR"),
    text(TextId::DateWord, "Cad75", "FECHA"),
    text(TextId::OutputHelp, "Cad76", "fichero que escribir; - es la salida est\u00E1ndar"),
    text(TextId::FromHelp, "Cad77", "documento del que tomar los dem\u00E1s campos; - es la entrada est\u00E1ndar"),
    text(TextId::HelpHelp, "Cad78", "muestra esta ayuda y termina"),
    text(TextId::VersionHelp, "Cad79", "muestra la versi\u00F3n y termina"),
    text(TextId::ValuesNote, "Cad80",
         "Un VALOR @FICHERO se lee del fichero, @- de la entrada est\u00E1ndar; @@ es una @. Repetida una opci\u00F3n, "
         "vale la \u00FAltima."),
    text(TextId::ExitNote, "Cad81",
         "Estado de salida: 0 escrito, 1 un fichero no se pudo leer o escribir, 2 uso incorrecto."),
    text(TextId::LicenceNote, "Cad82", "Licencia MIT: <https://opensource.org/licenses/MIT>."),
    text(TextId::WarrantyNote, "Cad83",
         "Esto es software libre: puede cambiarlo y redistribuirlo. No hay NINGUNA GARANT\u00CDA, en la medida en que "
         "lo permita la ley."),
    text(TextId::UnknownOption, "Cad84", "opci\u00F3n no reconocida \u00AB%1\u00BB"),
    text(TextId::MissingValue, "Cad85", "la opci\u00F3n \u00AB%1\u00BB necesita un argumento"),
    text(TextId::UnexpectedValue, "Cad86", "la opci\u00F3n \u00AB%1\u00BB no admite ning\u00FAn argumento"),
    text(TextId::TryHelp, "Cad87", "Pruebe \u00AB%1 --help\u00BB para m\u00E1s informaci\u00F3n."),
    text(TextId::MissingOutput, "Cad88", "falta la opci\u00F3n --output"),
    text(TextId::ExtraOperand, "Cad89",
         "sobra el operando \u00AB%1\u00BB: con --output no se abre ning\u00FAn documento"),
    text(TextId::InvalidArgument, "Cad90", "argumento \u00AB%1\u00BB no v\u00E1lido para \u00AB%2\u00BB"),
    text(TextId::ValidChoices, "Cad91", "Los argumentos v\u00E1lidos son: %1."),
    text(TextId::EmptyFileName, "Cad92", "nombre de fichero vac\u00EDo para \u00AB%1\u00BB"),
    text(TextId::WarningOne, "Cad93",
         "aviso: %1 car\u00E1cter de \u00AB%2\u00BB no cabe en Windows-1252 y se escribe como \u00AB?\u00BB"),
    text(TextId::WarningMany, "Cad94",
         "aviso: %1 caracteres de \u00AB%2\u00BB no caben en Windows-1252 y se escriben como \u00AB?\u00BB"),
    text(TextId::DateChoices, "Cad105", "AAAA-MM-DD, AAAA-MM-DDTHH:MM:SS, now"),
    text(TextId::FolderType, "Cad106", "Carpeta"),
    // The Markdown document's words (the version's in its title, then each
    // field's label or heading), its Save filter and --format.
    text(TextId::MarkdownVersion, "Cad107", "Ver."),
    markdownWord("Cad108", "author", "Autor"),
    markdownWord("Cad109", "email", "E-Mail"),
    markdownWord("Cad110", "web", "P\u00E1gina Web"),
    markdownWord("Cad111", "date", "Fecha"),
    markdownWord("Cad112", "description", "DESCRIPCI\u00D3N"),
    markdownWord("Cad113", "use-licence", "LICENCIA DE USO"),
    markdownWord("Cad114", "distribution-licence", "LICENCIA DE DISTRIBUCI\u00D3N"),
    text(TextId::MarkdownFilter, "Cad115", "Markdown *.md"),
    text(TextId::FormatHelp, "Cad116",
         "clase de documento: text o markdown; si no se da, la de la extensi\u00F3n de --output (.md: markdown)"),
    text(TextId::PreviewSizeMarkdown, "Cad117", "%1 bytes \u00B7 UTF-8, LF \u00B7 ctrl+U: el texto fuente"),
    // What each field's option is, in --help.
    fieldHelp("Cad95", "product", "nombre del producto, sin la versi\u00F3n (se escribe en may\u00FAsculas)"),
    fieldHelp("Cad96", "product-version", "versi\u00F3n del producto"),
    fieldHelp("Cad97", "status", "estado de la versi\u00F3n: final, beta o none"),
    fieldHelp("Cad98", "author", "nombre y apellidos del autor"),
    fieldHelp("Cad99", "email", "direcci\u00F3n de correo electr\u00F3nico"),
    fieldHelp("Cad100", "web", "p\u00E1gina web del autor o del producto"),
    fieldHelp("Cad101", "date", "fecha de creaci\u00F3n: AAAA-MM-DD, AAAA-MM-DDTHH:MM:SS o now"),
    fieldHelp("Cad102", "description", "descripci\u00F3n del producto, de las l\u00EDneas que sea"),
    fieldHelp("Cad103", "use-licence", "licencia de uso"),
    fieldHelp("Cad104", "distribution-licence", "licencia de distribuci\u00F3n"),
};

std::vector<TextEntry> makeTextEntries()
{
    std::vector<TextEntry> entries;
    for (const LanguageKey& row : kKeys) {
        if (!row.window && !row.field)
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

std::span<const FieldTextEntry> fieldTextEntries()
{
    static const std::vector<FieldTextEntry> entries = [] {
        std::vector<FieldTextEntry> result;
        for (const LanguageKey& row : kKeys) {
            if (row.field)
                result.push_back({row.fieldText, row.field, row.key, row.spanish});
        }
        return result;
    }();
    return entries;
}

std::span<const TextEntry> textEntries()
{
    static const std::vector<TextEntry> entries = makeTextEntries();
    return entries;
}
