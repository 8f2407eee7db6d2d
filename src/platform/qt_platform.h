#pragma once

#include "platform.h"

namespace kdx {

// The platform services of a running desktop program.
class QtPlatform final : public Platform {
public:
    // The application folder is the folder that holds the program.
    QtPlatform();
    // The application folder is the given one: the bot's folder the program was started on.
    explicit QtPlatform(const QString &applicationFolder);

    void showMessage(const QString &title, const QString &text, MessageIcon icon) override;
    bool askYesNo(const QString &title, const QString &text) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) override;
    QString applicationFolder() const override;
    void giveFocus(QWidget *widget) override;
    std::variant<QByteArray, FileError> readFile(const QString &path) override;
    QStringList fileNamesIn(const QString &folder) override;
    QStringList folderNamesIn(const QString &folder) override;
    bool sameFile(const QString &a, const QString &b) override;
    std::optional<FileError> writeFileAtomically(const QString &path, const QByteArray &bytes,
                                                 const files::ContentAsRead *asRead = nullptr) override;
    std::optional<FileError> startBatchFile(const QString &batchFile, const QString &argument) override;
    void endProgram() override;

private:
    QString applicationFolder_;
};

// A text as a box shows it. Texts separate their lines with a lone carriage
// return, Qt breaks lines only at a line feed; a line too long to read is cut
// after its first thousand characters.
QString displayLines(QString text);

} // namespace kdx
