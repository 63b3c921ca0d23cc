// The command line's streams in a real process: standard input, output and
// error, through file access, which neither waits on them nor ends the
// program when a reader has gone.
#include "command_line.h"

#include "file_io.h"

CommandLineStreams processStreams()
{
    return {file_io::readStandardInput, [](QByteArrayView bytes) { return file_io::writeStandard(1, bytes); },
            [](const QString& text) { return file_io::writeStandardText(1, text); },
            [](const QString& line) { (void)file_io::writeStandardText(2, line + u'\n'); }};
}
