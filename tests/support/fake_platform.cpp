#include "fake_platform.h"

#include "platform/qt_platform.h"

#include <QTest>
#include <QWidget>

namespace kdx::test {

void FakePlatform::showMessage(const QString &title, const QString &text, MessageIcon icon)
{
    messages.append({title, text, icon});
}

QString FakePlatform::inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    inputRequests.append({prompt, title, defaultAnswer});
    if (inputAnswers.isEmpty()) {
        QTest::qFail("an input box was shown that the test did not script", __FILE__, __LINE__);
        return {};
    }
    return inputAnswers.takeFirst().value_or(QString());
}

void FakePlatform::giveFocus(QWidget *widget)
{
    focusedWidgets.append(widget->objectName());
}

std::variant<QByteArray, FileError> FakePlatform::readFile(const QString &path)
{
    return QtPlatform().readFile(path);
}

std::optional<FileError> FakePlatform::writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (writeFailure)
        return FileError{*writeFailure};
    auto error = QtPlatform().writeFileAtomically(path, bytes);
    if (!error)
        writtenFiles.append(path);
    return error;
}

std::optional<FileError> FakePlatform::startBatchFile(const QString &batchFile, const QString &argument)
{
    startedBatchFiles.append({batchFile, argument});
    if (startFailure)
        return FileError{*startFailure};
    return std::nullopt;
}

} // namespace kdx::test
