// The least a command can be: a program on QtCore alone that reads a program file and
// writes its lines, which bench/command.sh times `fernhollow compile` against.
// Usage: fernhollow_baseline FILE

#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray bytes = file.readAll();
    for (const QByteArray& line : bytes.split('\n'))
        if (!line.trimmed().isEmpty())
            std::printf("%s\n", line.trimmed().constData());
    return std::fflush(stdout) == 0 ? 0 : 2;
}
