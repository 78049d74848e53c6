// The pickers that give a caller the number of a record the user chooses, over the frame's lists and
// the open database, each in pick mode on the caller's number; none when the user cancelled or no
// database is open:
//   FramePluPicker           "Select PLU" with the frame's department codes, price zone and text rules
//   PickMessageNo            the message list of a message kind (IDocument::SelectMessageNo)
//   MakeCommCenterPicker     the Communication Center's "Select..." by data kind: PLUs for 2 and 9, the
//                            POP message list for 37 and 79, the trays for 53, the operators for 61,
//                            the store settings for 71, the storage texts for 80 and 81, the
//                            departments and groups for 82 and 83
#pragma once

#include "pluedit/SelectPluForm.h"

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace varnel {

class CMainFrame;
class CVrn3Doc;

PluPicker FramePluPicker(CMainFrame& frame, CVrn3Doc& document, QWidget* parent);

std::optional<std::uint32_t> PickMessageNo(CMainFrame& frame, CVrn3Doc& document, QWidget* parent,
                                           std::uint32_t messageKind, std::uint32_t current);

using RecordPicker = std::function<std::optional<std::uint32_t>(std::uint16_t kind, std::uint32_t current)>;
RecordPicker MakeCommCenterPicker(CMainFrame& frame, CVrn3Doc& document, QWidget* parent);

}  // namespace varnel
