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

inline QByteArray readBack(const QString &path)
{
    QFile f(path);
    return f.open(QFile::ReadOnly) ? f.readAll() : "?";
}

// A scripted platform: records every box, answers input and question boxes from
// a script and works on the files in `files` and on real files in the given
// folder, unless a failure is injected.
class FakePlatform final : public Platform {
public:
    struct ShownMessage {
        QString title, text;
        MessageIcon icon;
    };
    struct InputRequest {
        QString prompt, title, defaultAnswer;
    };
    struct StartedBatchFile {
        QString batchFile, argument;
    };

    explicit FakePlatform(QString folder) : folder(std::move(folder)) {}
    const QString folder;

    QList<std::optional<QString>> inputAnswers; // for the next input boxes (nullopt: Cancel); running out fails
    QList<bool> questionAnswers;                // for the next Yes/No boxes (true: Yes); running out fails
    QMap<QString, QByteArray> files;            // in memory, by path relative to the folder ("chat/a.txt")

    bool folderIgnoresCase = false;      // a name in another case stands for the file on disk, as on vfat
    std::optional<QString> readFailure;  // every read fails so, as of a file that exists, the writer's too
    std::optional<QString> writeFailure; // every write fails so and leaves the file alone
    std::optional<QString> startFailure; // starting a batch file fails so

    QList<ShownMessage> messages;
    QList<InputRequest> inputRequests;
    QStringList questions;
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
    bool askYesNo(const QString &, const QString &text) override
    {
        questions.append(text);
        if (questionAnswers.isEmpty())
            QTest::qFail("a question was asked that the test did not script", __FILE__, __LINE__);
        return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
    }
    QString applicationFolder() const override { return folder; }
    void giveFocus(QWidget *widget) override { focusedWidgets.append(widget->objectName()); }
    std::variant<QByteArray, FileError> readFile(const QString &path) override
    {
        if (readFailure)
            return FileError{*readFailure};
        const auto file = files.constFind(inFolder(path));
        return file != files.cend() ? std::variant<QByteArray, FileError>(*file) : QtPlatform().readFile(onDisk(path));
    }
    QStringList fileNamesIn(const QString &path) override { return namesIn(path, QtPlatform().fileNamesIn(path), false); }
    QStringList folderNamesIn(const QString &path) override { return namesIn(path, QtPlatform().folderNamesIn(path), true); }
    std::optional<FileError> writeFileAtomically(const QString &path, const QByteArray &bytes,
                                                 const files::ContentAsRead *asRead = nullptr) override
    {
        auto error = writeFailure            ? FileError{*writeFailure}
                     : readFailure && asRead ? FileError{*readFailure, false, true, true}
                                             : QtPlatform().writeFileAtomically(onDisk(path), bytes, asRead);
        if (!error)
            writtenFiles.append(path);
        return error;
    }
    bool sameFile(const QString &a, const QString &b) override { return QtPlatform().sameFile(onDisk(a), onDisk(b)); }
    std::optional<FileError> startBatchFile(const QString &batchFile, const QString &argument) override
    {
        startedBatchFiles.append({batchFile, argument});
        return startFailure ? FileError{*startFailure} : std::optional<FileError>();
    }
    void endProgram() override { ++endProgramCalls; }

private:
    // Where the folder ignores case, the file on disk that a name in another case stands for.
    QString onDisk(const QString &path) const
    {
        const QFileInfo named(path);
        if (folderIgnoresCase)
            for (const QString &name : named.dir().entryList(QDir::Files))
                if (name.compare(named.fileName(), Qt::CaseInsensitive) == 0)
                    return named.dir().filePath(name);
        return path;
    }
    QString inFolder(const QString &path) const { return QDir(folder).relativeFilePath(QDir::fromNativeSeparators(path)); }
    // The names on disk and those of `files` directly in the folder: files, or the folders above them.
    QStringList namesIn(const QString &path, QStringList names, bool folders) const
    {
        const QString prefix = inFolder(path) == u'.' ? QString() : inFolder(path) + u'/';
        for (const QString &file : files.keys())
            if (file.startsWith(prefix) && file.count(u'/') - prefix.count(u'/') == (folders ? 1 : 0))
                names.append(file.mid(prefix.size()).section(u'/', 0, 0));
        names.removeDuplicates();
        std::sort(names.begin(), names.end(),
                  [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        return names;
    }
};

} // namespace kdx::test
