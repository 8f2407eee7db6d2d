#include "language_dialog.h"

#include "file_list_box.h"
#include "platform/folder_path.h"
#include "ui/common/classic_metrics.h"
#include "ui/common/text_codec.h"

#include <QLabel>
#include <QPushButton>

#include <string>
#include <utility>
#include <variant>

namespace kdx {

namespace {

std::string_view viewOf(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// A language file is read in the code page that KDX.cfg would be read in.
QString decodedMessage(const QByteArray &file, const std::string &message, const FileCodePages &codePages)
{
    return textFromBytes(message, codePages.of(viewOf(file)));
}

} // namespace

LanguageDialog::LanguageDialog(const LanguageDialogSettings &settings, Platform &platform, FileCodePages codePages,
                               QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), settings_(settings),
      platform_(platform), codePages_(std::move(codePages))
{
    setObjectName(settings_.objectName);
    setWindowTitle(settings_.caption);
    setModal(true);
    setFont(classicFont());
    setFixedSize(pixelsFromTwips(2076), pixelsFromTwips(3480));
    createControls();
    listLanguageFiles();
}

void LanguageDialog::createControls()
{
    auto *label = new QLabel(tr("Select language file"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(rectFromTwips(120, 120, 1812, 252));

    filSelect_ = new FileListBox(this);
    filSelect_->setObjectName(QStringLiteral("filSelect"));
    filSelect_->setGeometry(rectFromTwips(120, 360, 1812, 2568));
    filSelect_->setSelectionMode(QAbstractItemView::SingleSelection);
    filSelect_->setAccessibleName(label->text());
    connect(filSelect_, &QListWidget::itemDoubleClicked, this, &LanguageDialog::cmdApply_Click);

    auto *cmdApply = new QPushButton(tr("Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setGeometry(rectFromTwips(120, 3000, 1812, 372));
    cmdApply->setDefault(true);
    connect(cmdApply, &QPushButton::clicked, this, &LanguageDialog::cmdApply_Click);

    setTabOrder(filSelect_, cmdApply);
    filSelect_->setFocus(Qt::OtherFocusReason);
}

void LanguageDialog::listLanguageFiles()
{
    folder_ = platform_.findFolder(platform_.applicationFolder(), settings_.folder);
    if (!folder_) {
        platform_.showMessage(
            QString(),
            tr("The language folder \"%1\" does not exist.").arg(pathInFolder(platform_.applicationFolder(), settings_.folder)),
            MessageIcon::None);
        return;
    }
    filSelect_->addItems(platform_.fileNamesIn(*folder_));
}

void LanguageDialog::cmdApply_Click()
{
    const QList<QListWidgetItem *> selected = filSelect_->selectedItems();
    if (selected.isEmpty())
        return;
    const QString fileName = selected.constFirst()->text();
    // The message says the language changed, which is untrue when the batch file did not start.
    if (startBatchFile(fileName))
        showLanguageMessage(fileName);
    accept();
}

bool LanguageDialog::startBatchFile(const QString &fileName)
{
    const QString batchFile = pathInFolder(platform_.applicationFolder(), settings_.batchFile);
    const std::optional<FileError> error = platform_.startBatchFile(batchFile, fileName);
    if (error) {
        platform_.showMessage(QString(), tr("Could not start \"%1\": %2").arg(batchFile, error->reason), MessageIcon::None);
    }
    return !error;
}

void LanguageDialog::showLanguageMessage(const QString &fileName)
{
    const QString languageFile = pathInFolder(*folder_, fileName);
    const std::variant<QByteArray, FileError> content = platform_.readFile(languageFile);
    if (const auto *error = std::get_if<FileError>(&content)) {
        platform_.showMessage(QString(), tr("Could not read the language file \"%1\": %2").arg(languageFile, error->reason),
                              MessageIcon::None);
        return;
    }
    const auto &bytes = std::get<QByteArray>(content);
    const std::string message = languageMessage(settings_.messageRule, viewOf(bytes));
    if (!message.empty())
        platform_.showMessage(QString(), decodedMessage(bytes, message, codePages_), MessageIcon::None);
}

} // namespace kdx
