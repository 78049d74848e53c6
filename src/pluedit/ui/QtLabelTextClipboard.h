// The label text editor's clipboard on the desktop's clipboard: the editor's block under a private
// MIME type named after its format, and the plain text as UTF-8 text/plain.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/LabelTextClipboard.h"

namespace varnel {

// The MIME type of the editor's block.
inline constexpr const char* kDescFieldMimeType = "application/x-varnel-CDescField_V2";

class QtLabelTextClipboard final : public ILabelTextClipboard {
public:
    explicit QtLabelTextClipboard(CodePage codePage) : m_codePage(codePage) {}
    bool Put(std::string_view block, std::string_view plainText) override;
    LabelTextClipboardContent Get() const override;

private:
    CodePage m_codePage;
};

}  // namespace varnel
