#include "program_start.h"

#include "command_line.h"
#include "file_io.h"
#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>

#include <cerrno>

#if defined(Q_OS_WIN)
#include "windows_system.h"

#include <windows.h>
#else
#include <dlfcn.h>
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

// Says why the windows could not be started, as the command line says a
// file's failure.
int cannotStart(const Edition& edition, const FileError& error)
{
    (void)file_io::writeStandardText(2, edition.programName() + QStringLiteral(": ") +
                                            failureLine(error, edition.texts()) + u'\n');
    return kFileFailure;
}

#if defined(Q_OS_WIN)
// A window program given command-line options shows their output in the
// console it was started from, where there is one (the console companion
// has a console of its own).
void useParentConsole()
{
    if (!::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    for (const auto& [stream, name] : {std::pair{STD_OUTPUT_HANDLE, L"CONOUT$"}, {STD_ERROR_HANDLE, L"CONOUT$"}}) {
        if (::GetStdHandle(stream) != nullptr)
            continue;
        const HANDLE console = ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE)
            ::SetStdHandle(stream, console);
    }
}
#endif

}  // namespace

#if defined(Q_OS_WIN)
// The window program beside this one, with the arguments as given; a
// console does not wait for it, as it does not for any program with windows.
int startWindowProgram(int, char**, const Edition& edition)
{
    const FilePath program = programFilePath(edition.programName() + QStringLiteral(".exe"));
    // The command line's first word is this program's own name.
    const wchar_t* arguments = ::GetCommandLineW();
    bool quoted = false;
    while (*arguments && (quoted || (*arguments != L' ' && *arguments != L'\t'))) {
        quoted = *arguments == L'"' ? !quoted : quoted;
        ++arguments;
    }
    std::wstring line = L"\"" + windows_system::wideOf(program) + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return cannotStart(edition, windows_system::lastError(program));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}
#else
int startWindowModule(int argc, char** argv, const Edition& edition)
{
    const FilePath module = programFilePath(QStringLiteral(TRUMI_WINDOW_MODULE));
    void* handle = module.isEmpty() ? nullptr : ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Start = int (*)(int, char**, const Edition*);
    const auto start = handle ? reinterpret_cast<Start>(::dlsym(handle, "trumiStartWindow")) : nullptr;
    if (!start) {
        const char* why = ::dlerror();
        FileError error = module.isEmpty() ? programFolderNotFound() : FileError::fromErrno(ENOENT, module);
        // The loader's words name the module by its bytes: shown as any name is.
        error.systemText = why ? FilePath::fromNative(QByteArray(why)).display() : error.systemText;
        return cannotStart(edition, error);
    }
    return start(argc, argv, &edition);
}
#endif

int startProgram(int argc, char** argv, const Edition& edition, WindowStarter startWindows)
{
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));  // enough to tell options apart
    const bool commandLine = wantsCommandLine(given);
#if defined(Q_OS_WIN)
    if (commandLine)
        useParentConsole();
#endif
    file_io::claimStandardStreams();
    if (commandLine) {
        // No window, so no display: a CI job or a session over ssh will do.
        const QCoreApplication app(argc, argv);
        return runCommandLine(argumentsOf(argc, argv), edition, processStreams());
    }
    return startWindows(argc, argv, edition);
}
