#include "program_start.h"

#include "command_line.h"
#include "file_io.h"
#include "program_folder.h"

#include <QCoreApplication>

#include <cerrno>

#if defined(TRUMI_WINDOW_MODULE)
#include <dlfcn.h>
#else
#include "window_start.h"
#endif

namespace {

// The arguments as text, each name's bytes kept (see FilePath::textOfNative);
// on Windows, the command line's own text.
QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
#ifdef Q_OS_WIN
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    arguments = QCoreApplication::arguments().mid(1);
#else
    for (int i = 1; i < argc; ++i)
        arguments.append(FilePath::textOfNative(argv[i]));
#endif
    return arguments;
}

#if defined(TRUMI_WINDOW_MODULE)
// The windows are a module beside the program, loaded only now, so that the
// command line never loads the graphical libraries.
int startWindowModule(int argc, char** argv, const Edition& edition)
{
    const FilePath module = programFilePath(QStringLiteral(TRUMI_WINDOW_MODULE));
    void* handle = module.isEmpty() ? nullptr : ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Start = int (*)(int, char**, const Edition*);
    const auto start = handle ? reinterpret_cast<Start>(::dlsym(handle, "trumiStartWindow")) : nullptr;
    if (!start) {
        const char* why = ::dlerror();
        FileError error = module.isEmpty() ? programFolderNotFound() : FileError::fromErrno(ENOENT, module);
        error.systemText = why ? QString::fromLocal8Bit(why) : error.systemText;
        (void)file_io::writeStandard(
            2,
            (edition.programName() + QStringLiteral(": ") + failureLine(error, edition.texts()) + u'\n').toLocal8Bit());
        return kFileFailure;
    }
    return start(argc, argv, &edition);
}
#endif

}  // namespace

int startProgram(int argc, char** argv, const Edition& edition)
{
    file_io::claimStandardStreams();
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));  // enough to tell options apart
    if (wantsCommandLine(given)) {
        // No window, so no display: a CI job or a session over ssh will do.
        const QCoreApplication app(argc, argv);
        return runCommandLine(argumentsOf(argc, argv), edition, processStreams());
    }
#if defined(TRUMI_WINDOW_MODULE)
    return startWindowModule(argc, argv, edition);
#else
    return startWindow(argc, argv, edition);
#endif
}
