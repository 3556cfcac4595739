#include "SaveDialog.h"

#include "Application.h"
#include "Window.h"

#include "platform/foundation/Log.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

namespace {
QString& answerFolder()
{
    static QString folder;
    return folder;
}
} // namespace

void SaveDialog::setAnswerFolder(const QString& folder)
{
    answerFolder() = folder;
}

QString SaveDialog::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void SaveDialog::ask(const QString& title, const QString& suggestedName, const QString& filter, const std::function<void(const QString& path)>& chosen)
{
    if (!answerFolder().isEmpty()) {
        QDir().mkpath(answerFolder());
        // In the folder, whatever the name holds.
        const QString path = QDir(answerFolder()).filePath(QFileInfo(suggestedName).fileName());
        foundation::Log::write(QStringLiteral("save dialog: ") + suggestedName);
        chosen(path);
        return;
    }
    QDir().mkpath(documentsFolder());
    Window* window = Application::shared() ? Application::shared()->keyWindow() : nullptr;
    auto* dialog = new QFileDialog(window, title, QDir(documentsFolder()).filePath(suggestedName), filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const QString suffix = QFileInfo(suggestedName).suffix();
    dialog->setDefaultSuffix(suffix);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, [chosen](const QString& path) { chosen(path); });
    dialog->open();
}

} // namespace ui
