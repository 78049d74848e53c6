// Message boxes and file choosers on screen.
#include "platform/ui/QtUserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QThread>

#include <utility>

namespace varnel {
namespace {

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    default: return MessageAnswer::Cancel;
    }
}

// Runs `ask` on the user-interface thread and returns its answer.
template <class Ask>
auto OnGuiThread(Ask ask)
{
    if (QThread::currentThread() == qApp->thread()) return ask();
    decltype(ask()) answer{};
    QMetaObject::invokeMethod(qApp, [&] { answer = ask(); }, Qt::BlockingQueuedConnection);
    return answer;
}

}  // namespace

QtUserPrompt::QtUserPrompt(QString caption) : m_caption(std::move(caption)), m_previous(SetUserPrompt(this)) {}

QtUserPrompt::~QtUserPrompt()
{
    SetUserPrompt(m_previous);
}

MessageAnswer QtUserPrompt::Show(MessageId, std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    if (m_silent) return CautiousAnswer(buttons);
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return OnGuiThread([&] {
        QMessageBox box(IconOf(icon), m_caption, message, ButtonsOf(buttons), QApplication::activeWindow());
        box.setObjectName("messageBox");
        return AnswerOf(box.exec());
    });
}

std::optional<std::string> QtUserPrompt::AskSaveFileName(std::string_view defaultExtension, std::string_view fileName,
                                                          std::string_view filter)
{
    return AskFileName({FileRequest::Kind::Save, {}, std::string(defaultExtension), std::string(fileName),
                        std::string(filter), {}});
}

std::optional<std::string> QtUserPrompt::AskFileName(const FileRequest& request)
{
    if (m_silent) return std::nullopt;
    return OnGuiThread([&]() -> std::optional<std::string> {
        const bool save = request.kind == FileRequest::Kind::Save;
        QFileDialog dialog(QApplication::activeWindow(),
                           request.title.empty() ? m_caption : QString::fromStdString(request.title),
                           QString::fromStdString(request.initialDirectory));
        dialog.setObjectName(save ? "saveFileDialog" : "openFileDialog");
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (!save) dialog.setFileMode(QFileDialog::ExistingFile);
        if (save && !request.askOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setNameFilters(ToDialogFilter(request.filter).split(";;", Qt::SkipEmptyParts));
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
        if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().front().toStdString();
    });
}

QString ToDialogFilter(std::string_view filter)
{
    const QStringList parts = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        if (name.isEmpty()) break;
        const QString patterns = parts[i + 1].trimmed().replace(';', ' ');
        filters << (name.contains('(') ? name : name + " (" + patterns + ")");
    }
    return filters.join(";;");
}

}  // namespace varnel
