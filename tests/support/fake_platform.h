#pragma once

#include "platform/platform.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kdx::test {

// A scripted platform: records every box, answers input boxes from a script and
// works on real files in the given folder, unless a failure is injected.
class FakePlatform final : public Platform {
public:
    struct ShownMessage {
        QString title;
        QString text;
        MessageIcon icon;
    };
    struct InputRequest {
        QString prompt;
        QString title;
        QString defaultAnswer;
    };
    struct StartedBatchFile {
        QString batchFile;
        QString argument;
    };

    explicit FakePlatform(QString folder) : folder_(std::move(folder)) {}

    // Answers for the next input boxes, in order; an answer of std::nullopt is
    // Cancel. An input box with no answer left fails the test.
    QList<std::optional<QString>> inputAnswers;

    // When set, every write fails with this reason and leaves the file alone.
    std::optional<QString> writeFailure;
    // When set, starting a batch file fails with this reason.
    std::optional<QString> startFailure;

    QList<ShownMessage> messages;
    QList<InputRequest> inputRequests;
    QList<StartedBatchFile> startedBatchFiles;
    QStringList focusedWidgets; // objectNames, in order
    QStringList writtenFiles;
    int endProgramCalls = 0;

    void showMessage(const QString &title, const QString &text, MessageIcon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) override;
    QString applicationFolder() const override { return folder_; }
    void giveFocus(QWidget *widget) override;
    std::variant<QByteArray, FileError> readFile(const QString &path) override;
    std::optional<FileError> writeFileAtomically(const QString &path, const QByteArray &bytes) override;
    std::optional<FileError> startBatchFile(const QString &batchFile, const QString &argument) override;
    void endProgram() override { ++endProgramCalls; }

private:
    QString folder_;
};

} // namespace kdx::test
