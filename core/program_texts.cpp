#include "program_texts.h"

#include "file_io.h"

#include <QDir>

namespace {

constexpr std::array<TextEntry, 26> kTexts = {{
    {TextId::ProductTip, "Cad34", "Nombre del producto sin la versi\u00F3n."},
    {TextId::VersionTip, "Cad35", "Versi\u00F3n del producto."},
    {TextId::AuthorTip, "Cad36", "Nombre y apellidos del autor."},
    {TextId::EmailTip, "Cad37", "Direcci\u00F3n de correo electr\u00F3nico."},
    {TextId::WebTip, "Cad38", "P\u00E1gina web del autor y/o actualizaciones."},
    {TextId::DateTip, "Cad39", "Fecha de creaci\u00F3n del producto."},
    {TextId::SaveDialogTitle, "Cad40", "Generar fichero"},
    {TextId::TextFilesFilter, "Cad41", "Fichero de texto *.txt"},
    {TextId::AllFilesFilter, "Cad42", "Todos los ficheros"},
    {TextId::FailureSentence, "Cad43", "No se ha podido completar la operaci\u00F3n con el fichero"},
    {TextId::ErrorWord, "Cad44", "Error"},
    {TextId::ProgramFolderMissing, "Cad45", "No se encuentra la carpeta del programa."},
    {TextId::NotRegularFile, "Cad46", "No es un fichero normal (es una tuber\u00EDa, un dispositivo o un socket)."},
    {TextId::TooLarge, "Cad47", "El fichero es demasiado grande: tiene m\u00E1s de %1 MB."},
    {TextId::LicenceFieldsMissing, "Cad48",
     "Se ha le\u00EDdo m\u00E1s all\u00E1 del final del fichero: le faltan campos."},
    {TextId::LicenceQuoteUnclosed, "Cad49",
     "Se ha le\u00EDdo m\u00E1s all\u00E1 del final del fichero: una comilla no se cierra."},
    {TextId::NoWholeDocument, "Cad50", "El fichero no contiene ning\u00FAn documento completo."},
    {TextId::BeingWritten, "Cad51", "Otro programa est\u00E1 escribiendo en el fichero."},
    {TextId::DateNotRead, "Cad52",
     "El documento se ha abierto, pero su fecha \u00AB%1\u00BB no se puede leer con el formato de fecha del sistema."},
    {TextId::DateKept, "Cad53", "La fecha de creaci\u00F3n sigue siendo %1."},
    {TextId::AboutSubtitle, "Cad54", "Editor de archivos trumi."},
    {TextId::AboutEmail, "Cad55", "E-Mail :"},
    {TextId::PreviewTitle, "Cad56", "Vista previa del documento"},
    {TextId::PreviewSize, "Cad57", "%1 bytes \u00B7 Windows-1252, CR LF"},
    {TextId::CreateTip, "Cad58", "Escribe el documento en un fichero. F5 muestra antes c\u00F3mo quedar\u00E1."},
    {TextId::UnwritableTip, "Cad59", "El documento no puede contener %1: se escribir\u00E1n como \u00AB?\u00BB."},
}};

constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        if (kTexts[i].id != TextId(i))
            return false;
    }
    return true;
}
static_assert(inIdOrder(), "one entry per text, in the order of TextId");

TextId textOf(FileProblem problem)
{
    switch (problem) {
    case FileProblem::ProgramFolderMissing:
        return TextId::ProgramFolderMissing;
    case FileProblem::NotRegularFile:
        return TextId::NotRegularFile;
    case FileProblem::TooLarge:
        return TextId::TooLarge;
    case FileProblem::LicenceFieldsMissing:
        return TextId::LicenceFieldsMissing;
    case FileProblem::LicenceQuoteUnclosed:
        return TextId::LicenceQuoteUnclosed;
    case FileProblem::NoWholeDocument:
        return TextId::NoWholeDocument;
    case FileProblem::BeingWritten:
        return TextId::BeingWritten;
    case FileProblem::System:
        break;
    }
    Q_UNREACHABLE();
}

QString descriptionOf(const FileError& error, const ProgramTexts& texts)
{
    if (error.problem == FileProblem::System)
        return error.systemText;
    return texts.filled(textOf(error.problem), QString::number(file_io::kLargestRead >> 20));
}

}  // namespace

std::span<const TextEntry> textEntries() { return kTexts; }

ProgramTexts::ProgramTexts()
{
    for (const TextEntry& entry : kTexts)
        texts_[std::size_t(entry.id)] = QString::fromUtf8(entry.spanish);
}

ProgramTexts ProgramTexts::fromKeys(const std::function<QString(const QString& key)>& valueOf)
{
    ProgramTexts texts;
    for (const TextEntry& entry : kTexts) {
        const QString given = valueOf(QString::fromLatin1(entry.key));
        if (!given.isEmpty())
            texts.texts_[std::size_t(entry.id)] = given;
    }
    return texts;
}

QString ProgramTexts::text(TextId id) const { return texts_[std::size_t(id)]; }

QString ProgramTexts::filled(TextId id, const QString& value) const
{
    QString result = text(id);
    return result.replace(QLatin1String("%1"), value);
}

QString failureText(const FileError& error, const ProgramTexts& texts)
{
    return QStringLiteral("%1\n%2\n\n%3 %4: %5")
        .arg(texts.text(TextId::FailureSentence), QDir::toNativeSeparators(error.path), texts.text(TextId::ErrorWord),
             QString::number(error.number), descriptionOf(error, texts));
}
