// The desktop clipboard for label text.
#include "pluedit/ui/QtLabelTextClipboard.h"

#include "platform/ui/CodePageText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace varnel {

bool QtLabelTextClipboard::Put(std::string_view block, std::string_view plainText)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    auto* data = new QMimeData;
    data->setData(kDescFieldMimeType, QByteArray(block.data(), static_cast<qsizetype>(block.size())));
    data->setText(ToDisplayText(plainText, m_codePage));
    clipboard->setMimeData(data);
    return true;
}

LabelTextClipboardContent QtLabelTextClipboard::Get() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr) return {};
    // The first of the two formats in the order the clipboard lists them.
    for (const QString& format : data->formats()) {
        if (format == kDescFieldMimeType) {
            const QByteArray block = data->data(format);
            return {LabelTextClipboardContent::Kind::DescField, std::string(block.constData(), static_cast<std::size_t>(block.size()))};
        }
        if (format.startsWith("text/plain"))
            return {LabelTextClipboardContent::Kind::PlainText, FromDisplayText(data->text(), m_codePage)};
    }
    return {};
}

}  // namespace varnel
