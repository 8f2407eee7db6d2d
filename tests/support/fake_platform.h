#pragma once

#include "platform/qt_platform.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace kdx::test {

// Writes a file whole, making its folder, or fails the test; reads one back.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

inline QByteArray readBack(const QString &path) { QFile f(path); return f.open(QFile::ReadOnly) ? f.readAll() : "?"; }

// A scripted platform: records every box, answers input boxes from a script and
// works on real files in the given folder, unless a failure is injected.
class FakePlatform final : public Platform {
public:
    struct ShownMessage { QString title, text; MessageIcon icon; };
    struct InputRequest { QString prompt, title, defaultAnswer; };
    struct StartedBatchFile { QString batchFile, argument; };

    explicit FakePlatform(QString folder) : folder(std::move(folder)) {}
    const QString folder;

    QList<std::optional<QString>> inputAnswers; // for the next input boxes (nullopt: Cancel); running out fails

    std::optional<QString> writeFailure; // every write fails so and leaves the file alone
    std::optional<QString> startFailure; // starting a batch file fails so

    QList<ShownMessage> messages;
    QList<InputRequest> inputRequests;
    QList<StartedBatchFile> startedBatchFiles;
    QStringList focusedWidgets; // objectNames, in order
    QStringList writtenFiles;
    int endProgramCalls = 0;

    void showMessage(const QString &title, const QString &s, MessageIcon i) override { messages.append({title, s, i}); }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) override
    {
        inputRequests.append({prompt, title, defaultAnswer});
        if (inputAnswers.isEmpty())
            QTest::qFail("an input box was shown that the test did not script", __FILE__, __LINE__);
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst().value_or(QString());
    }
    QString applicationFolder() const override { return folder; }
    void giveFocus(QWidget *widget) override { focusedWidgets.append(widget->objectName()); }
    std::variant<QByteArray, FileError> readFile(const QString &path) override { return QtPlatform().readFile(path); }
    std::optional<FileError> writeFileAtomically(const QString &path, const QByteArray &bytes) override
    {
        auto error = writeFailure ? FileError{*writeFailure} : QtPlatform().writeFileAtomically(path, bytes);
        if (!error)
            writtenFiles.append(path);
        return error;
    }
    std::optional<FileError> startBatchFile(const QString &batchFile, const QString &argument) override
    {
        startedBatchFiles.append({batchFile, argument});
        return startFailure ? FileError{*startFailure} : std::optional<FileError>();
    }
    void endProgram() override { ++endProgramCalls; }
};

} // namespace kdx::test
