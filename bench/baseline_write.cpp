// The floor for the command line: a minimal Qt program that reads a file
// and writes the same bytes to another, with fsync.
// Usage: baseline_write FROM TO
#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QFile from(QString::fromLocal8Bit(argv[1]));
    QFile to(QString::fromLocal8Bit(argv[2]));
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    const QByteArray bytes = from.readAll();
    return to.write(bytes) == bytes.size() && to.flush() && ::fsync(to.handle()) == 0 ? 0 : 1;
}
