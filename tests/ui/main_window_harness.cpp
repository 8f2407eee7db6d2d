#include "main_window_harness.h"

#include <QFile>

namespace kdx::test {

MainWindowHarness::MainWindowHarness(const std::optional<QByteArray> &file)
{
    if (file)
        writeFile(*file);
    window = std::make_unique<frmMain>(cfg, platform);
}

QByteArray MainWindowHarness::fileContent(const QString &fileName) const
{
    QFile file(path(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void MainWindowHarness::writeFile(const QByteArray &content, const QString &fileName) const
{
    QFile file(path(fileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write the test file %s", qPrintable(path(fileName)));
}

QByteArray crlfLines(std::initializer_list<const char *> lines)
{
    QByteArray bytes;
    for (const char *line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

} // namespace kdx::test
